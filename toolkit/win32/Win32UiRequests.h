#pragma once

#include "platform/QueuedUiRequests.h"
#include "toolkit/win32/Win32Calls.h"

namespace quorbel::ui {

// The device thread's requests to the GUI thread on Win32, carried by the
// toolkit's blocking calls (Win32Calls).
using Win32UiRequests = QueuedUiRequests;

}  // namespace quorbel::ui
