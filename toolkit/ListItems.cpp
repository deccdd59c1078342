#include "toolkit/ListItems.h"

namespace quorbel::ui {

std::vector<std::string> SplitItems(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t bar = text.find('|', start);
    if (bar == std::string::npos) bar = text.size();
    items.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  return items;
}

}  // namespace quorbel::ui
