#pragma once

#include <algorithm>
#include <string>

#include "common/Types.h"

namespace quorbel::wayland {

// A rectangle of the compositor's layout, in logical pixels.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The smallest rectangle that holds both.
inline Rect Around(const Rect& a, const Rect& b) {
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.width, b.x + b.width);
  const int bottom = std::max(a.y + a.height, b.y + b.height);
  return Rect{left, top, right - left, bottom - top};
}

// A top-level window as a compositor describes it: its own id for it, the
// process that shows it (0 when unknown), and where its content lies.
struct CompositorWindow {
  WindowId id = 0;
  int processId = 0;
  std::string title;
  // The Wayland application id, or the X class of an XWayland window.
  std::string windowClass;
  Rect content;
  bool focused = false;
};

}  // namespace quorbel::wayland
