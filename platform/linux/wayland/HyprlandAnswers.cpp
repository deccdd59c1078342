#include "platform/linux/wayland/HyprlandAnswers.h"

#include <charconv>

#include "platform/linux/wayland/JsonFields.h"

namespace quorbel::wayland {
namespace {

using nlohmann::json;

// A window's address is written as hexadecimal text with a 0x prefix.
WindowId ReadAddress(const json& window) {
  const std::string text = TextField(window, "address");
  if (text.size() <= 2 || text.compare(0, 2, "0x") != 0) return 0;
  WindowId address = 0;
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(text.data() + 2, last, address, 16);
  return error == std::errc() && end == last ? address : 0;
}

// A pair of numbers such as "at": [x, y].
std::optional<Point> ReadPair(const json& object, const char* name) {
  const json* pair = Field(object, name);
  if (pair == nullptr || !pair->is_array() || pair->size() != 2) return std::nullopt;
  if (!(*pair)[0].is_number() || !(*pair)[1].is_number()) return std::nullopt;
  return Point{ToInt((*pair)[0].get<long long>()), ToInt((*pair)[1].get<long long>())};
}

std::optional<CompositorWindow> ReadClient(const json& client) {
  CompositorWindow window;
  window.id = ReadAddress(client);
  const auto at = ReadPair(client, "at");
  const auto size = ReadPair(client, "size");
  if (window.id == 0 || !at || !size) return std::nullopt;
  const long long pid = IntegerField(client, "pid").value_or(0);
  window.processId = pid > 0 && pid < (1LL << 31) ? static_cast<int>(pid) : 0;
  window.title = TextField(client, "title");
  window.windowClass = TextField(client, "class");
  window.content = Rect{at->x, at->y, size->x, size->y};
  return window;
}

}  // namespace

std::optional<std::vector<CompositorWindow>> ReadHyprlandClients(std::string_view text,
                                                                 WindowId activeAddress) {
  const json clients = json::parse(text, nullptr, false);
  if (!clients.is_array()) return std::nullopt;
  std::vector<CompositorWindow> windows;
  for (const json& client : clients) {
    // Windows not on screen yet (or any more) are no program's window.
    if (Field(client, "mapped") != nullptr && !FlagField(client, "mapped")) continue;
    if (auto window = ReadClient(client)) {
      window->focused = window->id == activeAddress;
      windows.push_back(std::move(*window));
    }
  }
  return windows;
}

std::optional<WindowId> ReadHyprlandActiveWindow(std::string_view text) {
  const json window = json::parse(text, nullptr, false);
  if (!window.is_object()) return std::nullopt;
  if (window.empty()) return WindowId{0};
  const WindowId address = ReadAddress(window);
  if (address == 0) return std::nullopt;
  return address;
}

std::optional<Rect> ReadHyprlandLayout(std::string_view text) {
  const json monitors = json::parse(text, nullptr, false);
  if (!monitors.is_array()) return std::nullopt;
  std::optional<Rect> box;
  for (const json& monitor : monitors) {
    // Width and height are in the monitor's own pixels; the layout is in
    // logical ones, the pixels divided by the scale.
    const json* scaleField = Field(monitor, "scale");
    const double scale =
        scaleField != nullptr && scaleField->is_number() ? scaleField->get<double>() : 1.0;
    if (!(scale > 0.0)) continue;
    const Rect rect{ToInt(IntegerField(monitor, "x")), ToInt(IntegerField(monitor, "y")),
                    static_cast<int>(ToInt(IntegerField(monitor, "width")) / scale),
                    static_cast<int>(ToInt(IntegerField(monitor, "height")) / scale)};
    if (rect.width <= 0 || rect.height <= 0) continue;
    box = box ? Around(*box, rect) : rect;
  }
  return box;
}

std::optional<Point> ReadHyprlandCursor(std::string_view text) {
  const json cursor = json::parse(text, nullptr, false);
  const auto x = IntegerField(cursor, "x");
  const auto y = IntegerField(cursor, "y");
  if (!x || !y) return std::nullopt;
  return Point{ToInt(x), ToInt(y)};
}

}  // namespace quorbel::wayland
