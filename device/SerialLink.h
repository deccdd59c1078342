#pragma once

#include "device/DeviceRunner.h"
#include "device/LinkActivity.h"
#include "device/LinkSettings.h"
#include "device/PortMenu.h"
#include "device/Presence.h"
#include "device/SurfaceOutput.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel {

inline constexpr const char* kPortFailureMessage = "Failure to start communications on Com";
inline constexpr const char* kPortFailureTitle = "QuorbelU";

// Drain rounds of Stop link: a surface that keeps sending (a wheel turned
// while the program stops) is drained for at most this many 200 ms pauses, so
// stopping cannot hang on a device that never falls silent.
inline constexpr int kMaxDrainRounds = 15;

// The connection to the surface: the one open port, the device thread that
// reads it, and the Preferences menu choices of port and rate. GUI thread only.
//
// The port is open exactly while a device thread runs, except inside these
// operations. A port that went away under the running thread is dropped by
// DropVanishedPort() and opened again by ReopenVanishedPort() once it is back,
// without the user choosing it again.
class SerialLink {
 public:
  SerialLink(SerialPort& port, DeviceRunner& runner, ui::Toolkit& toolkit, ui::WindowState& windows,
             Clock& clock, LinkSettings& settings, PortMenu& portMenu, Presence& presence,
             SurfaceOutput& output, LinkActivity& activity)
      : port_(port),
        runner_(runner),
        toolkit_(toolkit),
        windows_(windows),
        clock_(clock),
        settings_(settings),
        portMenu_(portMenu),
        presence_(presence),
        output_(output),
        activity_(activity) {}

  // Opens port `CommPort` (1 when not set, and `CommPort` becomes 1) at
  // `BaudRate` (38400 when not set), clears the menu marks and asks the
  // surface whether it is there. False when the port cannot be opened. Starts
  // no thread.
  bool OpenLink();
  // Ends the device thread, drains what the surface still sends, closes the
  // port and clears the menu marks. Nothing when neither runs.
  void StopLink();

  // Start-up: opens the link, then greeting, device thread and layer line; on
  // failure the port failure message. Nothing when a device thread runs. A
  // stop of the link while the greeting pauses (the program ended, another
  // port chosen) ends start-up's part in the link there.
  void OpenAtStartup();
  // Menu items 1641..1672 (port n = ID - 1640). The current port does nothing.
  void ChoosePort(int portNumber);
  // Menu items 1673..1677; any other ID does nothing, nor does the current rate.
  void ChooseBaudRate(int menuId);
  // After the link of port n was made to lead to another device: the link
  // stops and "Com n" becomes the port; it is opened afresh, even when it is
  // the current one, unless `open` is false (a device the user may not open yet).
  void UseRelinkedPort(int portNumber, bool open);

  // When the device thread reports that its port went away: stops the link
  // and shows the surface as not active. True when it did.
  bool DropVanishedPort();
  // When a vanished port can be opened again: the ordinary opening, then the
  // device thread and the greeting. No message while it is still missing.
  void ReopenVanishedPort();
  bool PortVanished() const { return vanished_; }

 private:
  // Opens the link after a choice and starts the thread, or tells the user.
  void ReopenAfterChoice();
  void ShowPortFailure();

  SerialPort& port_;
  DeviceRunner& runner_;
  ui::Toolkit& toolkit_;
  ui::WindowState& windows_;
  Clock& clock_;
  LinkSettings& settings_;
  PortMenu& portMenu_;
  Presence& presence_;
  SurfaceOutput& output_;
  LinkActivity& activity_;
  bool vanished_ = false;
  // How many times the link has been stopped: an opening that serves events
  // sees by it whether the link was stopped under it.
  int stops_ = 0;
};

}  // namespace quorbel
