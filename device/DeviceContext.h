#pragma once

#include "common/SelectionState.h"
#include "device/SurfaceActions.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/SerialPort.h"
#include "platform/UiRequests.h"
#include "toolkit/WindowState.h"

namespace quorbel {

// What the device thread works with, all owned elsewhere and outliving it.
struct DeviceContext {
  SerialPort& port;
  Clock& clock;
  Desktop& desktop;
  UiRequests& ui;
  SurfaceActions& actions;
  SelectionState& selection;
  const ui::WindowState& windows;
};

}  // namespace quorbel
