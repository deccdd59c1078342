#include "tests/e2e/SecondPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <string_view>

namespace quorbel::testing {

namespace {

constexpr std::string_view kMasterName = "e2e hand";

}  // namespace

struct SecondPointer::Connection {
  Display* display = nullptr;
  int master = -1;
};

std::unique_ptr<SecondPointer> SecondPointer::Add(const std::string& displayName) {
  auto connection = std::make_unique<Connection>();
  connection->display = XOpenDisplay(displayName.c_str());
  if (connection->display == nullptr) return nullptr;
  Display* display = connection->display;
  int opcode = 0;
  int event = 0;
  int error = 0;
  int major = 2;
  int minor = 2;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
      XIQueryVersion(display, &major, &minor) != Success ||
      !XTestQueryExtension(display, &event, &error, &major, &minor)) {
    XCloseDisplay(display);
    return nullptr;
  }
  std::string name(kMasterName);
  XIAddMasterInfo add{XIAddMaster, name.data(), True, True};
  XIChangeHierarchy(display, reinterpret_cast<XIAnyHierarchyChangeInfo*>(&add), 1);
  XSync(display, False);
  int count = 0;
  XIDeviceInfo* devices = XIQueryDevice(display, XIAllMasterDevices, &count);
  const std::string pointerName = name + " pointer";
  for (int i = 0; i < count; ++i) {
    if (devices[i].use == XIMasterPointer && pointerName == devices[i].name) {
      connection->master = devices[i].deviceid;
    }
  }
  XIFreeDeviceInfo(devices);
  if (connection->master < 0) {
    XCloseDisplay(display);
    return nullptr;
  }
  // XTest clicks of this connection go through the new pointer's own device.
  XISetClientPointer(display, 0, connection->master);
  XSync(display, False);
  return std::unique_ptr<SecondPointer>(new SecondPointer(std::move(connection)));
}

SecondPointer::SecondPointer(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

SecondPointer::~SecondPointer() {
  Display* display = connection_->display;
  XIRemoveMasterInfo remove{XIRemoveMaster, connection_->master, XIFloating, 0, 0};
  XIChangeHierarchy(display, reinterpret_cast<XIAnyHierarchyChangeInfo*>(&remove), 1);
  XSync(display, False);
  XCloseDisplay(display);
}

void SecondPointer::ClickAt(Point screen) {
  Display* display = connection_->display;
  XTestFakeMotionEvent(display, -1, screen.x, screen.y, 0);
  XTestFakeButtonEvent(display, 1, True, 0);
  XTestFakeButtonEvent(display, 1, False, 0);
  XSync(display, False);
}

void SecondPointer::Raise(WindowId window) {
  XRaiseWindow(connection_->display, static_cast<Window>(window));
  XSync(connection_->display, False);
}

bool SecondPointer::Viewable(WindowId window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(connection_->display, static_cast<Window>(window), &attributes) !=
             0 &&
         attributes.map_state == IsViewable;
}

Point SecondPointer::Corner(WindowId window) {
  Display* display = connection_->display;
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(display, static_cast<Window>(window), DefaultRootWindow(display), 0, 0, &x,
                        &y, &child);
  return Point{x, y};
}

}  // namespace quorbel::testing
