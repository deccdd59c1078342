#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// Proper case, the form in which keysets are named after programs and
// compared: a letter that follows a letter becomes small, every other letter
// a capital. Letters are A-Z and a-z; every other byte stays as it is, so
// the bytes of a UTF-8 file name are never changed.
std::string ProperCase(std::string_view text);

// The keyset a program file is given: its file name up to the first ".", in
// proper case ("winword.exe" and "WINWORD.EXE" give "Winword"). Only an
// executable file, or one whose name holds ".exe" in any case, is a program.
// None for other files and for names that cannot name a keyset.
std::optional<std::string> ProgramKeysetName(const std::filesystem::path& program);

// The keyset an imported file becomes: its file name, in its own case, up to
// the first "." ("Acme.Old.qrb" gives "Acme"). The file name must hold
// ".qrb" in any case. None for other files and for names that cannot name a
// keyset.
std::optional<std::string> ImportedKeysetName(const std::filesystem::path& file);

// Where an export chosen as `chosen` is written: the same folder, the file
// name up to its first "." (unless the name starts with it), then ".qrb".
// None when the choice has no file name.
std::optional<std::filesystem::path> ExportTarget(const std::filesystem::path& chosen);

}  // namespace quorbel
