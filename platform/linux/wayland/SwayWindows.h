#pragma once

#include <memory>
#include <string>

#include "platform/linux/wayland/WindowSource.h"

namespace quorbel::wayland {

// The windows of sway, through its IPC socket ($SWAYSOCK): one connection per
// question, so that a restarted sway or a lost answer leaves nothing behind.
class SwayWindows : public WindowSource {
 public:
  // Null when the path is empty.
  static std::unique_ptr<SwayWindows> ForSocket(const std::string& path);

  std::optional<std::vector<CompositorWindow>> Windows() override;
  std::optional<WindowId> FocusedWindow() override;
  std::optional<Rect> Layout() override;
  // Sway has no request for it: always nullopt.
  std::optional<Point> Cursor() override;
  void Focus(WindowId window) override;

 private:
  explicit SwayWindows(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> Ask(unsigned type, const std::string& payload);

  std::string path_;
};

}  // namespace quorbel::wayland
