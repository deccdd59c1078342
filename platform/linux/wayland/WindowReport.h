#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/wayland/CompositorWindow.h"

namespace quorbel::wayland {

// What the desktop's own helper (the KWin script, the GNOME Shell extension)
// tells each time another window comes to the front, as one JSON object:
//   {"window": "<the desktop's id of it>", "pid": 4242, "title": "...",
//    "class": "...", "x": -1280, "y": 0, "width": 800, "height": 600,
//    "screen": {"x": -1280, "y": 0, "width": 3200, "height": 1080}}
// An empty "window" says that no window is in front; a null one that the
// helper stops reporting (switched off), so that the window in front is
// unknown from then on. Numbers may carry fractions (scaled outputs); they
// are rounded.
struct WindowReport {
  bool stopped = false;
  // Empty when no window is in front.
  std::string window;
  int processId = 0;  // 0 when the desktop does not know it
  std::string title;
  std::string windowClass;
  Rect frame;
  // The box around all outputs, when the report says.
  std::optional<Rect> screen;
};

// The report in `json`; nullopt with the reason in `why` when it is not one.
std::optional<WindowReport> ReadWindowReport(std::string_view json, std::string& why);

}  // namespace quorbel::wayland
