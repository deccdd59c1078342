#include "ui/KeysetDisplayLines.h"

#include <algorithm>

namespace quorbel::ui {

namespace {

constexpr std::size_t kThirdColumnWidth = 30;

// 0-based character at which the action text starts in the third column.
std::size_t ActionColumn(int index) {
  if (index <= 49) return 6;  // the digits, after "Num n:"
  if (index <= 55) return 13;
  return 7;  // transport keys
}

}  // namespace

std::string KeysetDisplayLine(int index, const std::string& name, const std::string& action) {
  if (index < 40) return name + ": " + action;
  std::string line = (index <= 49 ? "Num " : "") + name + ":";
  line.resize(kThirdColumnWidth, ' ');
  const std::size_t at = ActionColumn(index);
  const std::size_t count = std::min(action.size(), kThirdColumnWidth - at);
  line.replace(at, count, action, 0, count);
  return line;
}

}  // namespace quorbel::ui
