#pragma once

#include <memory>
#include <string>

#include "platform/linux/wayland/WindowSource.h"

namespace quorbel::wayland {

// The windows of Hyprland, through its request socket: one connection per
// request, as Hyprland expects.
class HyprlandWindows : public WindowSource {
 public:
  // The socket of the instance the signature names: in the runtime folder
  // (newer Hyprland) or else under /tmp/hypr. Null when the signature is empty.
  static std::unique_ptr<HyprlandWindows> ForInstance(const std::string& runtimeFolder,
                                                      const std::string& signature);

  std::optional<std::vector<CompositorWindow>> Windows() override;
  std::optional<WindowId> FocusedWindow() override;
  std::optional<Rect> Layout() override;
  std::optional<Point> Cursor() override;
  void Focus(WindowId window) override;

 private:
  explicit HyprlandWindows(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> Ask(const std::string& request);

  std::string path_;
};

}  // namespace quorbel::wayland
