#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/linux/wayland/CompositorWindow.h"

namespace quorbel::wayland {

// Readers of the JSON answers of sway's IPC. Nullopt when the answer is not
// the JSON it should be.

// The windows of a get_tree answer, tiled and floating, in the tree's order;
// scratchpad windows included, workspaces and outputs left out.
std::optional<std::vector<CompositorWindow>> ReadSwayTree(std::string_view json);
// The box around every active output of a get_outputs answer.
std::optional<Rect> ReadSwayLayout(std::string_view json);

}  // namespace quorbel::wayland
