#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "surface/ControlCatalogue.h"

namespace quorbel {

// What the "Key Press:" box shows for a captured key: the key's name when it
// is a named key that has one, otherwise its one character with a..z in
// upper case. Nothing (the box keeps its text) for a named key without a
// name or a code that is no single character.
std::optional<std::string> CapturedKeyText(int code, bool named, const ControlCatalogue& catalogue);

// The key code a key step gets from the "Key Press:" text: one character
// gives its code ("`" gives 192, the code of its key; the box holds UTF-8, and
// a character's code is its code page 437 code: "ä" is 132); a key name gives
// the first code with that name plus the named-key flag. 0 when the text
// names no key.
std::int32_t KeyCodeOfKeyPress(std::string_view text, const ControlCatalogue& catalogue);

// The key code of a "Mouse Emulation:" choice; 0 for "None" and anything
// that is not a mouse action.
std::int32_t MouseCodeOfChoice(std::string_view choice);

// The number a text starts with after leading blanks, as far as its digits
// go; 0 when it starts with none.
int LeadingNumber(std::string_view text);

}  // namespace quorbel
