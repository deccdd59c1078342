#pragma once

#include <X11/Xlib.h>

#include <climits>
#include <vector>

#include "platform/Desktop.h"
#include "platform/linux/x11/XConnection.h"

namespace quorbel::x11 {

// Questions about many windows at once. Every request of a round goes out
// before the first answer is read, so a round costs one trip to the server
// instead of one per window. A window that vanishes on the way answers empty.

// A process id as the server or a client states it; 0 when it cannot be one.
inline int ValidProcessId(long long value) {
  return value > 0 && value <= INT_MAX ? static_cast<int>(value) : 0;
}

// Title (_NET_WM_NAME, else WM_NAME), class (of WM_CLASS) and process
// (_NET_WM_PID, else, when `askServer`, the process the server knows for the
// client that made the window) of each window, in the order given. Titles
// and classes are whole; the caller cuts them.
std::vector<WindowFacts> DescribeWindows(Display* display, const Atoms& atoms,
                                         const std::vector<Window>& windows, bool askServer);

// The process a window states (_NET_WM_PID), asked when made and read when
// needed: asked beside other questions, it costs no round trip of its own.
class StatedProcessQuestion {
 public:
  StatedProcessQuestion(Display* display, Window window, Atom netWmPid);
  ~StatedProcessQuestion();
  StatedProcessQuestion(const StatedProcessQuestion&) = delete;
  StatedProcessQuestion& operator=(const StatedProcessQuestion&) = delete;

  Window window() const { return window_; }
  // The process id; 0 when the window states none or is gone. Read once.
  int Answer();

 private:
  Display* display_;
  Window window_;
  unsigned int sequence_;
  bool answered_ = false;
};

// The window the window manager calls active (_NET_ACTIVE_WINDOW of the root)
// and, for a desktop without one, the window with the keyboard focus, asked
// for together: the first when set, else the second.
struct FrontWindow {
  Window window = 0;  // 0: neither
  bool active = false;  // named by the window manager, so a client window
};
FrontWindow ActiveOrFocusedWindow(Display* display, Window root, Atom netActiveWindow);

// For a focus window that is a top-level window itself (a desktop without a
// window manager): the window, when it carries WM_STATE or has no children,
// learnt in one round trip. 0 when that does not settle it: the caller walks
// the tree.
Window FocusedTopLevelClient(Display* display, Window focus, Window root, Atom wmState);

// For each of `tops`: the first window at or below it, depth first, that
// carries WM_STATE; else the top itself when it is shown (mapped, viewable
// and not a pop-up); else 0.
std::vector<Window> ClientsOfTopLevels(Display* display, const std::vector<Window>& tops,
                                       Atom wmState);

}  // namespace quorbel::x11
