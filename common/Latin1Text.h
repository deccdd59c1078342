#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Keys stored as one character hold a single-byte code; the windows show
// text in UTF-8. A code of 128..255 is the Latin-1 character of that code.

// The UTF-8 text of the single-byte code 0..255.
std::string CharacterText(unsigned char code);

// The code of a text that is exactly one character of 0..255; -1 otherwise.
int CodeOfCharacterText(std::string_view text);

}  // namespace quorbel
