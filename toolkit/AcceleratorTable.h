#pragma once

#include <string>
#include <vector>

namespace quorbel::ui {

// One entry of a form's accelerator table: a key with its modifiers, and the
// ID it reports as a click.
struct Accelerator {
  int virtualKey = 0;
  bool control = false;
  bool alt = false;
  bool shift = false;
  int id = 0;

  friend bool operator==(const Accelerator&, const Accelerator&) = default;
};

// Reads a table such as "^F12,28|^X,1605|ESC, 27|". Each entry is a key and
// an ID separated by a comma and closed by "|". A key is a letter or digit,
// F1..F24, or one of ESC, ENTER, TAB, SPACE, BACK, INS, DEL, HOME, END, PGUP,
// PGDN, UP, DOWN, LEFT, RIGHT (any case), after any of the prefixes "^"
// (Ctrl), "%" (Alt) and "+" (Shift). Blanks around the parts do not count.
// An entry without a known key or a whole-number ID is left out.
std::vector<Accelerator> ReadAccelerators(const std::string& table);

}  // namespace quorbel::ui
