#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace quorbel::ui {

// The main window's form: every part that shows a message on it, sets its
// caption or works on its controls names it by this constant.
inline constexpr const char* kMainForm = "MAIN";

// Forms are named whatever the case: "KSDisplay" is "KSDISPLAY".
inline bool SameFormName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace quorbel::ui
