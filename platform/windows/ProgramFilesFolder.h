#pragma once

#include <string>

namespace quorbel {

// The folder where programs are installed (the system's program-files folder,
// not made when it is missing), in UTF-8; "C:\Program Files" when the system
// names none.
std::string ProgramFilesFolder();

}  // namespace quorbel
