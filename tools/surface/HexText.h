#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::surfacetool {

// Bytes as upper-case hex pairs separated by blanks: "BF 12 05".
std::string HexText(std::span<const std::uint8_t> bytes);

// Reads hex bytes from one word ("BF", "bf1205"); nothing when the word has an
// odd number of digits or a character that is not a hex digit.
std::optional<std::vector<std::uint8_t>> ParseHexWord(std::string_view word);

}  // namespace quorbel::surfacetool
