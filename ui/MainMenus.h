#pragma once

#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// The menu bar of the main window with every fixed item, the Preferences
// submenu of ports and baud rates, and the accelerator table. The Delete
// Keyset item starts disabled.
void BuildMainMenus(Toolkit& toolkit);
void BuildMainAccelerators(Toolkit& toolkit);

// The fixed entries of the Keysets menu: "&Default Keyset" and a separator.
void AddFixedKeysetsItems(Toolkit& toolkit);

}  // namespace quorbel::ui
