#include "keysets/FixedText.h"

#include <algorithm>
#include <cstring>

namespace quorbel {

void StoreFixedText(char* field, std::size_t size, std::string_view text) {
  const std::size_t kept = std::min(size, text.size());
  std::memcpy(field, text.data(), kept);
  std::memset(field + kept, ' ', size - kept);
}

std::string TrimmedFixedText(const char* field, std::size_t size) {
  auto blank = [](char c) { return c == '\0' || c == ' '; };
  std::size_t first = 0;
  while (first < size && blank(field[first])) ++first;
  std::size_t last = size;
  while (last > first && blank(field[last - 1])) --last;
  return std::string(field + first, last - first);
}

std::string RawFixedText(const char* field, std::size_t size) {
  const void* zero = std::memchr(field, '\0', size);
  const std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : size;
  return std::string(field, length);
}

}  // namespace quorbel
