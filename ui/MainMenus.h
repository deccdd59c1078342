#pragma once

#include <string>

#include "ui/Toolkit.h"

namespace quorbel::ui {

// The text of a baud rate item: the rate, a blank and "Baud", right-aligned
// in ten characters (" 9600 Baud").
std::string BaudItemText(int rate);

// The menu bar of the main window with every fixed item, the Preferences
// submenu of ports and baud rates, and the accelerator table. The Delete
// Keyset item starts disabled.
void BuildMainMenus(Toolkit& toolkit);
void BuildMainAccelerators(Toolkit& toolkit);

// The fixed entries of the Keysets menu: "&Default Keyset" and a separator.
void AddFixedKeysetsItems(Toolkit& toolkit);

}  // namespace quorbel::ui
