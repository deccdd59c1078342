#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorbel {

// Fixed texts of n bytes: stored values are padded on the right with spaces
// or cut to n bytes; a field never stored holds zero bytes.
void StoreFixedText(char* field, std::size_t size, std::string_view text);

// The field's bytes with zero bytes and spaces removed from both ends.
std::string TrimmedFixedText(const char* field, std::size_t size);

// The field's bytes as they stand, up to its first zero byte.
std::string RawFixedText(const char* field, std::size_t size);

}  // namespace quorbel
