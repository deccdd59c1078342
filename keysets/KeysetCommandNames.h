#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "keysets/LetterCase.h"

namespace quorbel {

// The file that runs when `program` is started, which is what the system
// names while it runs: symbolic links are resolved (/usr/bin/firefox leads to
// firefox-esr, gimp to gimp-2.10). The path as given when it cannot be.
std::filesystem::path RunningProgram(const std::filesystem::path& program);

// The keyset a program file is given: the file name of the program that runs
// (RunningProgram) up to the first ".", in proper case ("winword.exe" and
// "WINWORD.EXE" give "Winword"). Only an executable file, or one whose name
// holds ".exe" in any case, is a program. None for other files and for names
// that cannot name a keyset.
std::optional<std::string> ProgramKeysetName(const std::filesystem::path& program);

// A script (a file starting with "#!") runs as its interpreter: while it runs
// the system names the interpreter, not the script. The interpreter, found
// as the system finds it ("env" looks for it along PATH), resolved as
// RunningProgram does; none for a file that is no script.
std::optional<std::filesystem::path> ScriptInterpreter(const std::filesystem::path& file);

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
