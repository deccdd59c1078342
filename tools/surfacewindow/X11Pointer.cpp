#include "tools/surfacewindow/X11Pointer.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace quorbel::surfacewindow {

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* Connection() {
  const auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name, bool onlyIfExists) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection,
                            xcb_intern_atom(connection, onlyIfExists,
                                            static_cast<std::uint16_t>(name.size()), name.data()),
                            nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool IsXTestDevice(xcb_connection_t* connection, xcb_input_device_id_t device, xcb_atom_t marker) {
  const ReplyPtr<xcb_input_xi_get_property_reply_t> reply(xcb_input_xi_get_property_reply(
      connection,
      xcb_input_xi_get_property(connection, device, 0, marker, XCB_GET_PROPERTY_TYPE_ANY, 0, 1),
      nullptr));
  return reply && reply->type != XCB_ATOM_NONE;
}

// The XTest device of the master pointer that programs click with unless
// they choose another: the one QuorbelU's playback goes through.
int CorePointersXTestDevice(xcb_connection_t* connection) {
  const xcb_atom_t marker = Atom(connection, "XTEST Device", true);
  const ReplyPtr<xcb_input_xi_get_client_pointer_reply_t> client(
      xcb_input_xi_get_client_pointer_reply(
          connection, xcb_input_xi_get_client_pointer(connection, XCB_WINDOW_NONE), nullptr));
  const ReplyPtr<xcb_input_xi_query_device_reply_t> devices(xcb_input_xi_query_device_reply(
      connection, xcb_input_xi_query_device(connection, XCB_INPUT_DEVICE_ALL), nullptr));
  if (marker == XCB_ATOM_NONE || !client || !client->set || !devices) return -1;
  for (auto it = xcb_input_xi_query_device_infos_iterator(devices.get()); it.rem != 0;
       xcb_input_xi_device_info_next(&it)) {
    const xcb_input_xi_device_info_t& info = *it.data;
    if (info.type == XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER && info.attachment == client->deviceid &&
        IsXTestDevice(connection, info.deviceid, marker)) {
      return info.deviceid;
    }
  }
  return -1;
}

}  // namespace

SyntheticPointer::SyntheticPointer() {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  const xcb_query_extension_reply_t* input = xcb_get_extension_data(connection, &xcb_input_id);
  if (input == nullptr || input->present == 0) return;
  inputOpcode_ = input->major_opcode;
  device_ = CorePointersXTestDevice(connection);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

SyntheticPointer::~SyntheticPointer() {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

bool SyntheticPointer::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (device_ < 0 || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_GE_GENERIC) return false;
  const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
  if (generic->extension != inputOpcode_) return false;
  switch (generic->event_type) {
    case XCB_INPUT_BUTTON_PRESS:
    case XCB_INPUT_BUTTON_RELEASE:
    case XCB_INPUT_MOTION: {
      // The master device's event names the device that caused it.
      const auto* pointer = static_cast<const xcb_input_button_press_event_t*>(message);
      synthesised_ = pointer->sourceid == device_;
      break;
    }
    default:
      break;
  }
  return false;
}

void LeaveFocusProtocol(QWidget& window) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  // Qt offers every window the focus protocol (WM_TAKE_FOCUS), which makes a
  // window manager activate it on a click even when its hints say it takes
  // no keyboard input; the window keeps the other protocols.
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t protocols = Atom(connection, "WM_PROTOCOLS", false);
  const xcb_atom_t takeFocus = Atom(connection, "WM_TAKE_FOCUS", false);
  const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, id, protocols, XCB_ATOM_ATOM, 0, 32), nullptr));
  if (!reply || reply->format != 32) return;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  std::vector<xcb_atom_t> kept;
  for (int i = 0; i < count; ++i) {
    if (atoms[i] != takeFocus) kept.push_back(atoms[i]);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, protocols, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(kept.size()), kept.data());
  xcb_flush(connection);
}

}  // namespace quorbel::surfacewindow
