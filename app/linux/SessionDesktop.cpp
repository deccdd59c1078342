#include "app/linux/SessionDesktop.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string_view>

#include "platform/linux/dbus/ReportBus.h"
#include "platform/linux/wayland/HyprlandWindows.h"
#include "platform/linux/wayland/ReportedDesktop.h"
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

void Complain(const std::string& what) { std::fprintf(stderr, "QuorbelU: %s\n", what.c_str()); }

// The helper that reports the window in front on this desktop: KWin's
// script on KDE Plasma, the Shell extension on GNOME (XDG_CURRENT_DESKTOP
// is a list such as "ubuntu:GNOME").
std::optional<WindowReportListener::Helper> ReportingHelper() {
  std::istringstream desktops(Environment("XDG_CURRENT_DESKTOP"));
  std::string name;
  while (std::getline(desktops, name, ':')) {
    if (name == "KDE") return WindowReportListener::Helper::KWinScript;
    if (name == "GNOME") return WindowReportListener::Helper::ShellExtension;
  }
  return std::nullopt;
}

// The KWin script, in share/quorbelu beside the program's folder, as
// installed (and as the build keeps it).
std::filesystem::path KWinScript() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return program.parent_path().parent_path() / "share" / "quorbelu" / "kwin" /
         "quorbelu-windows.js";
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
  // GNOME, KDE and the rest type through uinput devices, where the user may
  // make them, with the compositor's own keyboard. On KDE Plasma and GNOME
  // the compositor's helper reports the window in front; elsewhere, or
  // without uinput, the programs under XWayland are all that can be known,
  // and XTest reaches exactly those.
  const std::shared_ptr<X11Input> xwayland = X11Input::Connect();
  const auto helper = ReportingHelper();
  if (!helper && !xwayland) {
    session.problem = "this Wayland desktop runs no XWayland (DISPLAY is not set)";
    return session;
  }
  ReportedDesktop* reported = nullptr;
  if (helper) {
    auto desktop =
        std::make_unique<ReportedDesktop>(::getpid(), std::move(ownWindow), X11Desktop::Connect());
    reported = desktop.get();
    session.desktop = std::move(desktop);
  } else {
    session.desktop = std::make_unique<XWaylandDesktop>(X11Desktop::Connect());
  }
  UinputInput::Geometry geometry{[reported, xwayland]() -> std::optional<wayland::Rect> {
                                   if (reported != nullptr) {
                                     if (auto layout = reported->Layout()) return layout;
                                   }
                                   if (!xwayland) return std::nullopt;
                                   const Point size = xwayland->ScreenSize();
                                   return wayland::Rect{0, 0, size.x, size.y};
                                 },
                                 [reported, xwayland](WindowId window, Point client) {
                                   if (reported != nullptr) {
                                     if (auto screen = reported->ClientToScreen(window, client))
                                       return *screen;
                                   }
                                   return xwayland ? xwayland->ClientToScreen(window, client)
                                                   : client;
                                 }};
  std::string why;
  session.input = UinputInput::Connect(geometry, Complain, why);
  if (session.input) {
    if (helper) {
      session.reports = std::make_unique<WindowReportListener>(
          *helper, KWinScript(),
          [reported](std::string_view report) { return reported->Report(report); }, Complain);
    }
    return session;
  }
  if (!xwayland) {
    session.problem = "no uinput device (" + why + ") and no XWayland (DISPLAY is not set)";
    return session;
  }
  Complain("no uinput device (" + why + "): keys go through XTest, to programs under XWayland");
  // What XTest reaches is all the desktop need know.
  session.desktop = std::make_unique<XWaylandDesktop>(X11Desktop::Connect());
  session.input = X11Input::Connect();
  return session;
}

void ListenForWindowReports(SessionDesktop& session) {
  if (!session.reports) return;
  std::string why;
  if (!session.reports->Listen(why)) {
    Complain("the window in front cannot be known: " + why);
    return;
  }
  if (!session.reports->AwaitReport(std::chrono::milliseconds(1500)) &&
      ReportingHelper() == WindowReportListener::Helper::ShellExtension) {
    Complain(std::string("GNOME Shell reports no window in front: install and enable the "
                         "extension (gnome-extensions enable ") +
             dbus::kGnomeExtension + ", on GNOME 42 to 44 " + dbus::kGnomeLegacyExtension +
             ") and log in again");
  }
}

}  // namespace quorbel
