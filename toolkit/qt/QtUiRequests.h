#pragma once

#include "platform/QueuedUiRequests.h"
#include "toolkit/qt/GuiCalls.h"

namespace quorbel::ui {

// The device thread's requests to the GUI thread on Qt, carried by the
// toolkit's blocking calls (GuiCalls).
using QtUiRequests = QueuedUiRequests;

}  // namespace quorbel::ui
