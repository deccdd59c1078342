#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Keys stored as one character hold a single-byte code of code page 437, the
// character set whose capitals the action text turns into small letters; the
// windows show text in UTF-8. Codes 128..255 are the 437 characters (132 is
// "ä", 225 "ß"), 20 and 21 its "¶" and "§"; every other code below 128 is
// the ASCII character or control of that code.

// The Unicode character of the single-byte code 0..255.
char32_t UnicodeOfCode(unsigned char code);

// The single-byte code of a Unicode character; -1 when code page 437 has none.
int CodeOfUnicode(char32_t character);

// The UTF-8 text of one Unicode character.
std::string Utf8Text(char32_t character);

// The one Unicode character a UTF-8 text consists of; 0 when it is empty,
// holds more than one character or is not UTF-8.
char32_t SingleCharacter(std::string_view text);

// The UTF-8 text of the single-byte code 0..255.
std::string CharacterText(unsigned char code);

// The code of a text that is exactly one character with a code; -1 otherwise.
int CodeOfCharacterText(std::string_view text);

}  // namespace quorbel
