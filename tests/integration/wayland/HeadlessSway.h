#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tests/integration/x11/ChildProcess.h"

namespace quorbel::testing {

// A sway of its own on wlroots' headless backend, one 1280x800 output, no
// input devices, no XWayland. Sway refuses to run as root, so a test running
// as root runs it as the unprivileged user `quorbeltest` (created when
// missing). Its runtime folder holds the Wayland and IPC sockets.
class HeadlessSway {
 public:
  // Throws when sway cannot start; Unavailable() says beforehand why not.
  HeadlessSway();
  ~HeadlessSway();
  HeadlessSway(const HeadlessSway&) = delete;
  HeadlessSway& operator=(const HeadlessSway&) = delete;

  // Why sway cannot run here; empty when it can.
  static std::string Unavailable();

  // Full path of the Wayland socket: a WAYLAND_DISPLAY any user's client takes.
  const std::string& waylandDisplay() const { return wayland_; }
  const std::string& swaySocket() const { return ipc_; }
  const std::filesystem::path& runtimeFolder() const { return runtime_; }
  // Runs a sway command through its IPC ("[app_id=x] focus").
  void Command(const std::string& command);

 private:
  std::filesystem::path runtime_;
  std::string wayland_;
  std::string ipc_;
  std::unique_ptr<ChildProcess> sway_;
};

}  // namespace quorbel::testing
