#pragma once

#include <filesystem>

namespace quorbel {

// Where the user guide of the program at `executable` is: installed, it lies
// in share/doc/quorbelu/ beside the program's bin/ folder, and the build puts
// a copy in the same place relative to its app/ folder. Empty when neither
// exists.
std::filesystem::path FindUserGuide(const std::filesystem::path& executable);

}  // namespace quorbel
