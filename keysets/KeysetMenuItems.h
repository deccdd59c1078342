#pragma once

namespace quorbel {

// The Keysets menu's entries: slot k of the keyset table is chosen by the
// entry 1705 + k, up to the last slot's 1715.
inline constexpr int kFirstKeysetItem = 1705;
inline constexpr int kLastKeysetItem = 1715;

}  // namespace quorbel
