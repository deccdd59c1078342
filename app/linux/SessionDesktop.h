#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Desktop.h"
#include "platform/Input.h"

namespace quorbel {

// The desktop and the input of the session the program starts in: X11 for an
// X session; on Wayland the compositor's IPC and virtual input where it is
// sway or Hyprland, else the programs under XWayland only.
struct SessionDesktop {
  std::unique_ptr<Desktop> desktop;
  std::unique_ptr<Input> input;
  // Why there is none, for the user; empty when both are there.
  std::string problem;
};

// `ownWindow` gives the id the program knows its main window by.
SessionDesktop ConnectSessionDesktop(std::function<WindowId()> ownWindow);

}  // namespace quorbel
