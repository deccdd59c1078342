#include "common/CodePage437Text.h"

#include <array>
#include <cstddef>

namespace quorbel {

namespace {

constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kPilcrowCode = 0x14;
constexpr unsigned char kSectionCode = 0x15;
constexpr char32_t kPilcrow = 0x00B6;
constexpr char32_t kSection = 0x00A7;
constexpr char32_t kLargestCharacter = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

// The characters of the codes 128..255.
constexpr std::array<char32_t, 128> kHighCharacters{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  //
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  //
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  //
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  //
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  //
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  //
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  //
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  //
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  //
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  //
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  //
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  //
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  //
};

// Bytes a UTF-8 sequence has, from its first byte; 0 for a byte no
// sequence starts with.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

char32_t UnicodeOfCode(unsigned char code) {
  if (code >= kFirstHigh) return kHighCharacters[code - kFirstHigh];
  if (code == kPilcrowCode) return kPilcrow;
  if (code == kSectionCode) return kSection;
  return code;
}

int CodeOfUnicode(char32_t character) {
  if (character == kPilcrow) return kPilcrowCode;
  if (character == kSection) return kSectionCode;
  if (character < kFirstHigh) {
    // The codes of "¶" and "§" are not their control characters.
    return character == kPilcrowCode || character == kSectionCode ? -1
                                                                  : static_cast<int>(character);
  }
  for (std::size_t i = 0; i < kHighCharacters.size(); ++i) {
    if (kHighCharacters[i] == character) return static_cast<int>(kFirstHigh + i);
  }
  return -1;
}

std::string Utf8Text(char32_t c) {
  std::string text;
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

char32_t SingleCharacter(std::string_view text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || length != text.size()) return 0;
  if (length == 1) return lead;
  char32_t c = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto tail = static_cast<unsigned char>(text[i]);
    if ((tail & 0xC0) != 0x80) return 0;
    c = (c << 6) | (tail & 0x3F);
  }
  // Overlong forms, surrogates and values beyond Unicode are no characters.
  if (Utf8Text(c).size() != length || c > kLargestCharacter ||
      (c >= kFirstSurrogate && c <= kLastSurrogate)) {
    return 0;
  }
  return c;
}

std::string CharacterText(unsigned char code) { return Utf8Text(UnicodeOfCode(code)); }

int CodeOfCharacterText(std::string_view text) {
  const char32_t character = SingleCharacter(text);
  return character == 0 ? -1 : CodeOfUnicode(character);
}

}  // namespace quorbel
