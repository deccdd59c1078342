#pragma once

// Where the desktop's helpers (the KWin script, the GNOME Shell extension)
// send their reports of the window in front: a method call with one string
// argument, the report as JSON, on the session bus.
namespace quorbel::dbus {

inline constexpr const char* kReportService = "org.quorbel.QuorbelU";
inline constexpr const char* kReportPath = "/org/quorbel/QuorbelU/Windows";
inline constexpr const char* kReportInterface = "org.quorbel.QuorbelU.Windows";
inline constexpr const char* kReportMethod = "WindowActivated";

// The name KWin knows the script by while it is loaded.
inline constexpr const char* kKWinScriptName = "quorbelu-windows";
// The GNOME Shell extension's id: of GNOME 45 and later, and of GNOME 42 to 44.
inline constexpr const char* kGnomeExtension = "quorbelu-windows@quorbel.org";
inline constexpr const char* kGnomeLegacyExtension = "quorbelu-windows-legacy@quorbel.org";

}  // namespace quorbel::dbus
