#include "common/Latin1Text.h"

namespace quorbel {

namespace {

constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kLeadC2 = 0xC2;
constexpr unsigned char kLeadC3 = 0xC3;
constexpr unsigned char kContinuationBits = 0x3F;
constexpr unsigned char kContinuationMark = 0x80;
constexpr unsigned char kContinuationMask = 0xC0;

}  // namespace

std::string CharacterText(unsigned char code) {
  if (code < kFirstHigh) return std::string(1, static_cast<char>(code));
  const auto lead = static_cast<char>(code < 0xC0 ? kLeadC2 : kLeadC3);
  const auto tail = static_cast<char>(kContinuationMark | (code & kContinuationBits));
  return std::string{lead, tail};
}

int CodeOfCharacterText(std::string_view text) {
  if (text.size() == 1) {
    const auto code = static_cast<unsigned char>(text.front());
    return code < kFirstHigh ? code : -1;
  }
  if (text.size() != 2) return -1;
  const auto lead = static_cast<unsigned char>(text[0]);
  const auto tail = static_cast<unsigned char>(text[1]);
  if ((lead != kLeadC2 && lead != kLeadC3) || (tail & kContinuationMask) != kContinuationMark) {
    return -1;
  }
  return ((lead & 0x03) << 6) | (tail & kContinuationBits);
}

}  // namespace quorbel
