#include "app/linux/SessionDesktop.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/linux/wayland/HyprlandWindows.h"
#include "platform/linux/wayland/SwayWindows.h"
#include "platform/linux/wayland/UinputInput.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "platform/linux/wayland/WlrootsInput.h"
#include "platform/linux/wayland/XWaylandDesktop.h"
#include "platform/linux/x11/X11Desktop.h"
#include "platform/linux/x11/X11Input.h"

namespace quorbel {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool IsWaylandSession() {
  return !Environment("WAYLAND_DISPLAY").empty() || Environment("XDG_SESSION_TYPE") == "wayland";
}

std::unique_ptr<wayland::WindowSource> CompositorWindows() {
  if (auto sway = wayland::SwayWindows::ForSocket(Environment("SWAYSOCK"))) return sway;
  return wayland::HyprlandWindows::ForInstance(Environment("XDG_RUNTIME_DIR"),
                                               Environment("HYPRLAND_INSTANCE_SIGNATURE"));
}

SessionDesktop ConnectX11() {
  SessionDesktop session;
  session.desktop = X11Desktop::Connect();
  session.input = X11Input::Connect();
  if (!session.desktop || !session.input) {
    session.problem = "cannot open the X display (is DISPLAY set?)";
  }
  return session;
}

}  // namespace

SessionDesktop ConnectSessionDesktop(std::function<WindowId()> ownWindow) {
  if (!IsWaylandSession()) return ConnectX11();
  SessionDesktop session;
  if (auto source = CompositorWindows()) {
    auto desktop = std::make_unique<WaylandDesktop>(std::move(source), std::move(ownWindow));
    session.input = WlrootsInput::Connect(*desktop);
    session.desktop = std::move(desktop);
    if (!session.input) {
      session.problem =
          "the Wayland compositor offers no virtual keyboard and pointer (is WAYLAND_DISPLAY set?)";
    }
    return session;
  }
  // GNOME, KDE and the rest: the programs under XWayland are all that can be
  // known. XTest reaches exactly those; a uinput device, where the user may
  // make one, types with the compositor's own keyboard instead, and clicks
  // at the positions XWayland gives.
  session.desktop = std::make_unique<XWaylandDesktop>(X11Desktop::Connect());
  const std::shared_ptr<X11Input> xwayland = X11Input::Connect();
  if (!xwayland) {
    session.problem = "this Wayland desktop runs no XWayland (DISPLAY is not set)";
    return session;
  }
  std::string why;
  UinputInput::Geometry geometry{[xwayland]() -> std::optional<wayland::Rect> {
                                   const Point size = xwayland->ScreenSize();
                                   return wayland::Rect{0, 0, size.x, size.y};
                                 },
                                 [xwayland](WindowId window, Point client) {
                                   return xwayland->ClientToScreen(window, client);
                                 }};
  session.input = UinputInput::Connect(
      geometry,
      [](const std::string& what) { std::fprintf(stderr, "QuorbelU: %s\n", what.c_str()); }, why);
  if (!session.input) {
    std::fprintf(stderr, "QuorbelU: no uinput device (%s): keys go through XTest\n", why.c_str());
    session.input = X11Input::Connect();
  }
  return session;
}

}  // namespace quorbel
