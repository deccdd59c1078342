#pragma once

#include <vector>

#include "keysets/WindowList.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// Shows the window list's rows, top first, in the main window's hidden list
// view (Ctrl+F12): handle, program name, title and class.
void ShowWindowRows(Toolkit& toolkit, const std::vector<WindowRow>& rows);

}  // namespace quorbel::ui
