#include "platform/linux/wayland/SwayAnswers.h"

#include <algorithm>

#include "platform/linux/wayland/JsonFields.h"

namespace quorbel::wayland {
namespace {

using nlohmann::json;

Rect ReadRect(const json& object, const char* name) {
  const json* rect = Field(object, name);
  if (rect == nullptr) return {};
  return Rect{ToInt(IntegerField(*rect, "x")), ToInt(IntegerField(*rect, "y")),
              ToInt(IntegerField(*rect, "width")), ToInt(IntegerField(*rect, "height"))};
}

// A node that shows a program's window: it has a process, where containers,
// workspaces and outputs have none.
bool IsView(const json& node) { return Field(node, "pid") != nullptr; }

CompositorWindow ReadView(const json& node) {
  CompositorWindow window;
  window.id = static_cast<WindowId>(std::max(0LL, IntegerField(node, "id").value_or(0)));
  const long long pid = IntegerField(node, "pid").value_or(0);
  window.processId = pid > 0 && pid < (1LL << 31) ? static_cast<int>(pid) : 0;
  window.title = TextField(node, "name");
  window.windowClass = TextField(node, "app_id");
  if (window.windowClass.empty()) {
    if (const json* properties = Field(node, "window_properties")) {
      window.windowClass = TextField(*properties, "class");
    }
  }
  // The content's offset inside the node (its borders and title bar).
  const Rect outer = ReadRect(node, "rect");
  const Rect inner = ReadRect(node, "window_rect");
  window.content = Rect{outer.x + inner.x, outer.y + inner.y, inner.width, inner.height};
  window.focused = FlagField(node, "focused");
  return window;
}

void CollectViews(const json& node, int depth, std::vector<CompositorWindow>& windows) {
  // Deeper than any real tree: a hostile answer does not exhaust the stack.
  constexpr int kDeepest = 64;
  if (depth > kDeepest) return;
  if (IsView(node)) {
    windows.push_back(ReadView(node));
    return;
  }
  for (const char* children : {"nodes", "floating_nodes"}) {
    const json* list = Field(node, children);
    if (list == nullptr || !list->is_array()) continue;
    for (const json& child : *list) CollectViews(child, depth + 1, windows);
  }
}

}  // namespace

std::optional<std::vector<CompositorWindow>> ReadSwayTree(std::string_view text) {
  const json tree = json::parse(text, nullptr, false);
  if (!tree.is_object()) return std::nullopt;
  std::vector<CompositorWindow> windows;
  CollectViews(tree, 0, windows);
  return windows;
}

std::optional<Rect> ReadSwayLayout(std::string_view text) {
  const json outputs = json::parse(text, nullptr, false);
  if (!outputs.is_array()) return std::nullopt;
  std::optional<Rect> box;
  for (const json& output : outputs) {
    if (!FlagField(output, "active")) continue;
    const Rect rect = ReadRect(output, "rect");
    if (rect.width <= 0 || rect.height <= 0) continue;
    box = box ? Around(*box, rect) : rect;
  }
  return box;
}

}  // namespace quorbel::wayland
