#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Proper case, the form in which keysets are named after programs and
// compared, of UTF-8 text, as program names on this system are written: a
// letter that follows a letter becomes small, every other letter a capital.
// Letters are A-Z, a-z and every character beyond ASCII; the Latin, Greek and
// Cyrillic letters that have two cases change case ("ärger" gives "Ärger",
// "PRöGRAM" gives "Prögram"), the others stay as they are. Bytes that are no
// valid UTF-8 count as letters and stay.
std::string ProperCase(std::string_view text);

}  // namespace quorbel
