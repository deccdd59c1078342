#pragma once

#include <string_view>

#include "keysets/KeysetModel.h"

namespace quorbel::testing {

// The keyset that the kill loop saves over and over.
inline constexpr std::string_view kLoopKeysetName = "Keys";

// Gives slot `k` one of two contents (version 0 or 1) under the loop's keyset
// name. The two versions differ in every byte past the name, so a file that
// is a mix of them, a prefix of one, or zeros where a write was cut short
// matches neither.
void FillVersion(KeysetModel& keysets, int k, int version);

}  // namespace quorbel::testing
