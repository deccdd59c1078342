#pragma once

#include <string>
#include <vector>

namespace quorbel::ui {

// The items of a list text as the toolkit takes them: "A|B|C" gives three
// items; a final "|" adds no empty item.
std::vector<std::string> SplitItems(const std::string& text);

}  // namespace quorbel::ui
