#pragma once

#include <string>

namespace quorbel::ui {

// The line of control `index` on the Keyset Display: its name, a separator
// and the action text of its first step. The keypad and transport lines of
// the third column are 30 characters long, the action text written over the
// padded name from a fixed character on and cut at the 30th.
std::string KeysetDisplayLine(int index, const std::string& name, const std::string& action);

}  // namespace quorbel::ui
