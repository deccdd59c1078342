#include "common/NumberText.h"

namespace quorbel {

std::string NumberText(long long n) {
  std::string digits = std::to_string(n);
  return n < 0 ? digits : " " + digits;
}

std::string TrimmedNumberText(long long n) { return std::to_string(n); }

}  // namespace quorbel
