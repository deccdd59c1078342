#pragma once

#include <optional>
#include <vector>

#include "platform/linux/wayland/CompositorWindow.h"

namespace quorbel::wayland {

// What one compositor tells about its windows, asked its own way. Nullopt
// answers: the compositor did not answer (gone, or too slow).
class WindowSource {
 public:
  virtual ~WindowSource() = default;

  // Every top-level window, the focused one marked.
  virtual std::optional<std::vector<CompositorWindow>> Windows() = 0;
  // The id of the focused window, 0 when none has the focus.
  virtual std::optional<WindowId> FocusedWindow() = 0;
  // The box around all outputs, the space absolute pointer motion spans.
  virtual std::optional<Rect> Layout() = 0;
  // Where the pointer is; nullopt where the compositor does not say.
  virtual std::optional<Point> Cursor() = 0;
  virtual void Focus(WindowId window) = 0;
};

}  // namespace quorbel::wayland
