#include "keysets/LetterCase.h"

#include <cstddef>
#include <cstdint>

namespace quorbel {

namespace {

// Small letter of a capital, capital of a small letter; other characters stay.
// The ranges where the two cases stand side by side, by a fixed distance or
// in pairs of neighbours.
char32_t Lower(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
      (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
    return c + 0x20;
  }
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && c % 2 == 0) return c + 1;
  if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 1) return c + 1;
  return c;
}

char32_t Upper(char32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
      (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
    return c - 0x20;
  }
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && c % 2 == 1) return c - 1;
  if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 0) return c - 1;
  return c;
}

// One character of UTF-8 at `at`: its code and its length in bytes; a byte
// that starts no valid sequence is a character of length 1 and no code.
struct Decoded {
  char32_t code = 0;
  std::size_t length = 1;
  bool valid = false;
};

Decoded Decode(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return {};
  }
  if (at + length > text.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3F);
  }
  return {code, length, true};
}

// Writes a code that Decode read, so always one that UTF-8 can hold.
void Encode(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsLetter(const Decoded& d) {
  return !d.valid || d.code >= 0x80 || (d.code >= 'A' && d.code <= 'Z') ||
         (d.code >= 'a' && d.code <= 'z');
}

}  // namespace

std::string ProperCase(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  bool afterLetter = false;
  for (std::size_t at = 0; at < text.size();) {
    const Decoded d = Decode(text, at);
    if (!d.valid) {
      result += text[at];
    } else if (IsLetter(d)) {
      Encode(afterLetter ? Lower(d.code) : Upper(d.code), result);
    } else {
      Encode(d.code, result);
    }
    afterLetter = IsLetter(d);
    at += d.length;
  }
  return result;
}

}  // namespace quorbel
