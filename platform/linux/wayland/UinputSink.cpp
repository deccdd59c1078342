#include "platform/linux/wayland/UinputSink.h"

#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace quorbel::wayland {
namespace {

constexpr const char* kUinputPath = "/dev/uinput";

// A uinput device made on the descriptor; destroyed with the sink.
class UinputDevice : public EventFile {
 public:
  using EventFile::EventFile;
  ~UinputDevice() override { ::ioctl(fd(), UI_DEV_DESTROY); }
  UinputDevice(const UinputDevice&) = delete;
  UinputDevice& operator=(const UinputDevice&) = delete;
};

std::unique_ptr<UinputSink> Create(const char* name, std::string& why,
                                   const std::function<bool(int)>& declare) {
  const int fd = ::open(kUinputPath, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::string(kUinputPath) + ": " + std::strerror(errno);
    return nullptr;
  }
  uinput_setup setup{};
  setup.id.bustype = BUS_VIRTUAL;
  setup.id.vendor = 0x1209;
  setup.id.product = 0x0001;
  std::strncpy(setup.name, name, UINPUT_MAX_NAME_SIZE - 1);
  if (!declare(fd) || ::ioctl(fd, UI_DEV_SETUP, &setup) < 0 || ::ioctl(fd, UI_DEV_CREATE) < 0) {
    why = std::string(kUinputPath) + ": the device could not be made: " + std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<UinputDevice>(fd);
}

}  // namespace

EventFile::~EventFile() { ::close(fd_); }

bool EventFile::Write(std::span<const input_event> events) {
  const auto* bytes = reinterpret_cast<const char*>(events.data());
  std::size_t left = events.size_bytes();
  while (left > 0) {
    const ssize_t written = ::write(fd_, bytes, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

std::unique_ptr<UinputSink> CreateUinputKeyboard(std::string& why) {
  return Create("QuorbelU keyboard", why, [](int fd) {
    bool ok = ::ioctl(fd, UI_SET_EVBIT, EV_KEY) >= 0 && ::ioctl(fd, UI_SET_EVBIT, EV_SYN) >= 0;
    for (int key = 1; ok && key <= 255; ++key) ok = ::ioctl(fd, UI_SET_KEYBIT, key) >= 0;
    return ok;
  });
}

std::unique_ptr<UinputSink> CreateUinputPointer(std::string& why) {
  return Create("QuorbelU pointer", why, [](int fd) {
    bool ok = ::ioctl(fd, UI_SET_EVBIT, EV_KEY) >= 0 && ::ioctl(fd, UI_SET_EVBIT, EV_SYN) >= 0 &&
              ::ioctl(fd, UI_SET_EVBIT, EV_ABS) >= 0;
    for (int button : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE})
      ok = ok && ::ioctl(fd, UI_SET_KEYBIT, button) >= 0;
    for (int axis : {ABS_X, ABS_Y}) {
      uinput_abs_setup abs{};
      abs.code = static_cast<__u16>(axis);
      abs.absinfo.minimum = 0;
      abs.absinfo.maximum = kPointerAxisMax;
      ok = ok && ::ioctl(fd, UI_SET_ABSBIT, axis) >= 0 && ::ioctl(fd, UI_ABS_SETUP, &abs) >= 0;
    }
    return ok;
  });
}

}  // namespace quorbel::wayland
