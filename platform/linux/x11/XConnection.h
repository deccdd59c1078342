#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <mutex>
#include <string>

namespace quorbel::x11 {

// Frees what Xlib allocated and handed over.
struct XFreeDeleter {
  void operator()(void* memory) const {
    if (memory != nullptr) XFree(memory);
  }
};
template <typename T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

// The atoms the desktop questions use, interned once per connection.
struct Atoms {
  Atom netActiveWindow = 0;
  Atom netClientList = 0;
  Atom netWmName = 0;
  Atom netWmPid = 0;
  Atom utf8String = 0;
  Atom wmState = 0;
};

// One connection to the X server. Each X11Input and X11Desktop owns its own
// connection and serialises its calls on it with Lock(), so the device thread
// playing input and the GUI thread asking about windows never share a Display;
// Xlib's own thread support is switched on as well, before the first
// connection opens, for the process-wide state Xlib keeps.
//
// Protocol errors on the connection (a window that vanished between two
// requests, for one) are ignored: they never end the process. Each request
// that can fail is checked by its own result.
// Losing the connection does not end it either (DisplayLost.h).
class XConnection {
 public:
  // Empty name: the display named by $DISPLAY. Null when it cannot be opened.
  static std::unique_ptr<XConnection> Open(const std::string& displayName);
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  [[nodiscard]] std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }
  Display* display() const { return display_; }
  Window root() const { return DefaultRootWindow(display_); }
  const Atoms& atoms() const { return atoms_; }

 private:
  explicit XConnection(Display* display);

  Display* display_;
  Atoms atoms_;
  std::mutex mutex_;
};

}  // namespace quorbel::x11
