#include "toolkit/qt/QtFileFilter.h"

#include <vector>

#include "toolkit/ListItems.h"

namespace quorbel::ui {

std::string QtFileFilter(const std::string& filter) {
  const std::vector<std::string> parts = SplitItems(filter);
  std::string qt;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    std::string patterns = i + 1 < parts.size() ? parts[i + 1] : "*";
    for (char& c : patterns) {
      if (c == ';') c = ' ';
    }
    if (!qt.empty()) qt += ";;";
    qt += parts[i] + " (" + patterns + ")";
  }
  return qt;
}

}  // namespace quorbel::ui
