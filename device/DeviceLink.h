#pragma once

#include "device/DeviceRunner.h"
#include "device/LinkActivity.h"
#include "device/LinkSettings.h"
#include "device/LinkStatus.h"
#include "device/PortMenu.h"
#include "device/Presence.h"
#include "device/SerialLink.h"
#include "device/SurfaceOutput.h"
#include "keysets/KeysetModel.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel {

// The link to the surface put together, for the application to own:
//
//   start-up:        link.portMenu.PutPortMenuMarks(); ... link.serial.OpenAtStartup();
//   menu 1641..1672: link.portMenu.PutPortMenuMarks(); link.serial.ChoosePort(id - kComMenuBase);
//   menu 1673..1677: link.portMenu.PutPortMenuMarks(); link.serial.ChooseBaudRate(id);
//   timer 2100, main window focus: link.status.StatusTick();
//   panel lamps and layer line:    link.output (a SurfaceLamps);
//   shutdown:        link.serial.StopLink();
//
// Everything here runs on the GUI thread.
struct DeviceLink {
  DeviceLink(SerialPort& port, DeviceRunner& runner, ui::Toolkit& toolkit, ListedKeysets& listed,
             ui::WindowState& windows, Clock& clock, LinkSettings& settings, KeysetModel& keysets)
      : portMenu(toolkit, settings),
        output(port, runner, toolkit, keysets, portMenu, activity),
        presence(port, runner, toolkit, listed, clock, settings, output),
        serial(port, runner, toolkit, windows, clock, settings, portMenu, presence, output,
               activity),
        status(serial, presence, activity) {}

  LinkActivity activity;
  PortMenu portMenu;
  SurfaceOutput output;
  Presence presence;
  SerialLink serial;
  LinkStatus status;
};

}  // namespace quorbel
