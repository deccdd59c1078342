#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

#include "device/LinkSettings.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel {

// The name the preferences file is written under; any name that differs from
// it only in case is read as well.
inline constexpr const char* kPreferencesFileName = "QuorbelU.ini";
// Text beyond this is not read: the program writes a few dozen bytes.
inline constexpr std::size_t kMaxPreferencesBytes = 64 * 1024;
inline constexpr const char* kPreferencesMissingMessage =
    "Cannot find Quorbel.|Make sure it is turned on and connected to computer.|"
    "Use EDIT/PREFERENCES to set communications port.";

// The preferences file in `folder`, found whatever the case of its name; an
// exact "QuorbelU.ini" is chosen before any other spelling.
std::optional<std::filesystem::path> FindPreferencesFile(const std::filesystem::path& folder);

// Sets the link settings from the preferences file in `folder`. When there is
// none, tells the user so and leaves the settings as they are. Errors while
// reading end the reading silently, keeping what was read.
void ReadPreferences(const std::filesystem::path& folder, LinkSettings& settings,
                     ui::Toolkit& toolkit, ui::WindowState& windows);

// Writes the preferences file into `folder` as "QuorbelU.ini". The old file is
// replaced only by a complete new one; errors are silent.
void WritePreferences(const std::filesystem::path& folder, const LinkSettings& settings);

}  // namespace quorbel
