#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Desktop.h"
#include "platform/Input.h"
#include "platform/linux/dbus/WindowReportListener.h"

namespace quorbel {

// The desktop and the input of the session the program starts in: X11 for an
// X session; on Wayland the compositor's IPC and virtual input where it is
// sway or Hyprland, the reports of a KWin script or a GNOME Shell extension
// and uinput devices on KDE Plasma and GNOME, else the programs under
// XWayland only.
struct SessionDesktop {
  std::unique_ptr<Desktop> desktop;
  std::unique_ptr<Input> input;
  // Where the desktop reports the window in front (KDE Plasma, GNOME); it
  // listens once the Qt application is there. Goes before the desktop.
  std::unique_ptr<WindowReportListener> reports;
  // Why there is none, for the user; empty when both are there.
  std::string problem;
};

// `ownWindow` gives the id the program knows its main window by.
SessionDesktop ConnectSessionDesktop(std::function<WindowId()> ownWindow);

// Once the Qt application is there: starts the listener of the session's
// window reports, if it has one, and waits a moment for the first report,
// so that the program knows the window in front when it starts. Troubles go
// to the standard error; without reports only XWayland's programs are known.
void ListenForWindowReports(SessionDesktop& session);

}  // namespace quorbel
