#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace quorbel::x11 {

// Walking the window tree. A window that vanishes on the way ends the walk.

// Window managers put a frame or two around a client; nothing nests deeper.
inline constexpr int kMaxClientDepth = 4;

// The children of a window, bottom-most first.
std::vector<Window> ChildrenOf(Display* display, Window window);
// The ancestor of a window that is a child of the root (the window itself when
// it is one); 0 when the window is gone or is the root.
Window TopLevelOf(Display* display, Window window, Window root);
// The window at or below `top` that carries WM_STATE, the mark a window
// manager puts on the client windows it manages; 0 when there is none.
Window ClientWindowOf(Display* display, Window top, Atom wmState);

}  // namespace quorbel::x11
