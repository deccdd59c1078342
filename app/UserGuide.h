#pragma once

#include <filesystem>

namespace quorbel {

// Where the user guide of the program at `executable` is. Installed on Linux,
// it lies in share/doc/quorbelu/ beside the program's bin/ folder, and the
// build puts a copy in the same place relative to its app/ folder; in the
// Windows installation and zip it lies in doc/ inside the program's own
// folder. Empty when none of these exists.
std::filesystem::path FindUserGuide(const std::filesystem::path& executable);

}  // namespace quorbel
