#pragma once

#include <filesystem>
#include <string>

#include "keysets/KeysetFiles.h"

namespace quorbel {

// What start-up tells the user about the working folder, the keysets folder
// and the ports folder: one line each for a folder that is missing,
// unreadable or open to other users ("|" between lines). Empty when all is
// well.
std::string FolderTroubleText(const std::filesystem::path& workFolder, const KeysetFiles& files);

}  // namespace quorbel
