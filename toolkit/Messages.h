#pragma once

#include <string>

#include "toolkit/FormName.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel::ui {

inline constexpr const char* kMessageTitle = "Brenlow Electronics";

// Shows one of the program's messages with an "OK" button on the main window,
// keeping DialogActive set while it is up.
void ShowMessage(Toolkit& toolkit, WindowState& windows, const std::string& text);

}  // namespace quorbel::ui
