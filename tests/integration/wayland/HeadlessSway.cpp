#include "tests/integration/wayland/HeadlessSway.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace quorbel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUser = "quorbeltest";

const char* kConfig =
    "output HEADLESS-1 resolution 1280x800 position 0 0\n"
    "xwayland disable\n"
    "focus_follows_mouse no\n"
    "default_border normal 2\n";

}  // namespace

std::string HeadlessSway::Unavailable() {
  if (!ProgramOnPath("sway")) return "sway is not installed";
  if (::geteuid() == 0 && !ProgramOnPath("setpriv")) return "setpriv is missing";
  return {};
}

HeadlessSway::HeadlessSway() {
  const bool root = ::geteuid() == 0;
  if (root && ::getpwnam(kUser) == nullptr &&
      !RunToEnd(
          {"useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kUser})) {
    throw std::runtime_error("cannot create the user sway runs as");
  }
  char pattern[] = "/tmp/quorbel-sway-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("no runtime folder");
  runtime_ = pattern;
  std::ofstream(runtime_ / "config") << kConfig;
  std::vector<std::string> command;
  if (root) {
    const passwd* user = ::getpwnam(kUser);
    if (user == nullptr || ::chown(runtime_.c_str(), user->pw_uid, user->pw_gid) != 0) {
      throw std::runtime_error("cannot hand the runtime folder to the sway user");
    }
    command = {"setpriv", "--reuid=" + std::to_string(user->pw_uid),
               "--regid=" + std::to_string(user->pw_gid), "--clear-groups"};
  }
  const std::string dir = runtime_.string();
  for (const std::string& part :
       {std::string("env"), std::string("-i"), "XDG_RUNTIME_DIR=" + dir, "HOME=" + dir,
        std::string("PATH=/usr/bin:/bin"), std::string("WLR_BACKENDS=headless"),
        std::string("WLR_LIBINPUT_NO_DEVICES=1"), std::string("WLR_RENDERER=pixman"),
        std::string("sway"), std::string("-c"), (runtime_ / "config").string()}) {
    command.push_back(part);
  }
  sway_ = std::make_unique<ChildProcess>(command, 1, true);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline && (wayland_.empty() || ipc_.empty())) {
    std::error_code none;
    for (const auto& entry : fs::directory_iterator(runtime_, none)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("wayland-") && !name.ends_with(".lock")) wayland_ = entry.path();
      if (name.starts_with("sway-ipc.")) ipc_ = entry.path();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (wayland_.empty() || ipc_.empty()) throw std::runtime_error("sway did not start");
}

HeadlessSway::~HeadlessSway() {
  sway_.reset();
  std::error_code ignored;
  fs::remove_all(runtime_, ignored);
}

void HeadlessSway::Command(const std::string& command) {
  RunToEnd({"swaymsg", "-s", ipc_, command});
}

}  // namespace quorbel::testing
