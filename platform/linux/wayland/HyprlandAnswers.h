#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "platform/linux/wayland/CompositorWindow.h"

namespace quorbel::wayland {

// Readers of the JSON answers of Hyprland's IPC ("j/" requests). Nullopt when
// the answer is not the JSON it should be.

// The windows of a clients answer; `activeAddress` marks the focused one.
std::optional<std::vector<CompositorWindow>> ReadHyprlandClients(std::string_view json,
                                                                 WindowId activeAddress);
// The address of the window an activewindow answer names; 0 when no window
// is active (the answer is then an empty object).
std::optional<WindowId> ReadHyprlandActiveWindow(std::string_view json);
// The box around every monitor of a monitors answer, in logical pixels.
std::optional<Rect> ReadHyprlandLayout(std::string_view json);
std::optional<Point> ReadHyprlandCursor(std::string_view json);

}  // namespace quorbel::wayland
