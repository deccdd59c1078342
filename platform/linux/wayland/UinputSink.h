#pragma once

#include <linux/input.h>

#include <memory>
#include <span>
#include <string>

namespace quorbel::wayland {

// Where the events of a virtual input device go: a uinput device, or in tests
// any file (a pipe) that then holds them exactly as the kernel would read them.
class UinputSink {
 public:
  virtual ~UinputSink() = default;
  // Writes the events whole and in order; false when they could not all be written.
  virtual bool Write(std::span<const input_event> events) = 0;
};

// Events written to an open file descriptor, which the sink owns.
class EventFile : public UinputSink {
 public:
  explicit EventFile(int fd) : fd_(fd) {}
  ~EventFile() override;
  EventFile(const EventFile&) = delete;
  EventFile& operator=(const EventFile&) = delete;

  bool Write(std::span<const input_event> events) override;

 protected:
  int fd() const { return fd_; }

 private:
  int fd_;
};

// The range of the absolute pointer's axes; a point on the screen is given
// as its share of the screen's width and height.
inline constexpr int kPointerAxisMax = 65535;

// A keyboard that has every key up to 255 and no autorepeat (no EV_REP: the
// kernel repeats only for devices that ask for it). Null with the reason in
// `why` when /dev/uinput cannot be opened or the device not made.
std::unique_ptr<UinputSink> CreateUinputKeyboard(std::string& why);
// A pointer with three buttons that moves to absolute positions over 0..kPointerAxisMax.
std::unique_ptr<UinputSink> CreateUinputPointer(std::string& why);

}  // namespace quorbel::wayland
