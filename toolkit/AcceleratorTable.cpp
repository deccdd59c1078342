#include "toolkit/AcceleratorTable.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string_view>
#include <utility>

#include "common/VirtualKeyCodes.h"

namespace quorbel::ui {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

constexpr std::array<std::pair<std::string_view, int>, 19> kNamedKeys{{
    {"ESC", vk::kEscape},    {"ESCAPE", vk::kEscape}, {"ENTER", vk::kReturn},
    {"RETURN", vk::kReturn}, {"TAB", vk::kTab},       {"SPACE", vk::kSpace},
    {"BACK", vk::kBack},     {"INS", vk::kInsert},    {"INSERT", vk::kInsert},
    {"DEL", vk::kDelete},    {"DELETE", vk::kDelete}, {"HOME", vk::kHome},
    {"END", vk::kEnd},       {"PGUP", vk::kPrior},    {"PGDN", vk::kNext},
    {"UP", vk::kUp},         {"DOWN", vk::kDown},     {"LEFT", vk::kLeft},
    {"RIGHT", vk::kRight},
}};

int KeyNamed(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return name[0];
  if (name.size() >= 2 && name[0] == 'F') {
    int number = 0;
    auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size() && number >= 1 &&
        number <= vk::kF24 - vk::kF1 + 1) {
      return vk::kF1 + number - 1;
    }
    return 0;
  }
  for (const auto& [keyName, code] : kNamedKeys) {
    if (keyName == name) return code;
  }
  return 0;
}

bool ReadEntry(std::string_view entry, Accelerator& accelerator) {
  const std::size_t comma = entry.find(',');
  if (comma == std::string_view::npos) return false;
  std::string_view key = Trim(entry.substr(0, comma));
  const std::string_view id = Trim(entry.substr(comma + 1));
  // A prefix counts only while a key follows it, so "+" alone is no entry.
  while (key.size() > 1 && (key.front() == '^' || key.front() == '%' || key.front() == '+')) {
    if (key.front() == '^') accelerator.control = true;
    if (key.front() == '%') accelerator.alt = true;
    if (key.front() == '+') accelerator.shift = true;
    key.remove_prefix(1);
  }
  accelerator.virtualKey = KeyNamed(Upper(key));
  auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), accelerator.id);
  return accelerator.virtualKey != 0 && !id.empty() && error == std::errc() &&
         end == id.data() + id.size();
}

}  // namespace

std::vector<Accelerator> ReadAccelerators(const std::string& table) {
  std::vector<Accelerator> accelerators;
  std::string_view rest = table;
  while (!rest.empty()) {
    const std::size_t bar = rest.find('|');
    const std::string_view entry = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    Accelerator accelerator;
    if (ReadEntry(entry, accelerator)) accelerators.push_back(accelerator);
  }
  return accelerators;
}

}  // namespace quorbel::ui
