#pragma once

#include <memory>
#include <string>

#include "common/Types.h"

namespace quorbel::testing {

// A mouse of the test's own: a second master pointer of the X server, so
// that its clicks come from another device than the core pointer's XTest
// device, which QuorbelU's playback clicks with. It stands for the user's
// hand, which a virtual server has not got.
class SecondPointer {
 public:
  // Nothing when the server offers no XInput 2 or XTest.
  static std::unique_ptr<SecondPointer> Add(const std::string& displayName);
  ~SecondPointer();
  SecondPointer(const SecondPointer&) = delete;
  SecondPointer& operator=(const SecondPointer&) = delete;

  // Presses and lets go of the left button at a point of the screen.
  void ClickAt(Point screen);
  // Puts `window` above every other, as a window manager does when asked.
  void Raise(WindowId window);
  // Whether `window` is mapped and shows on the screen.
  bool Viewable(WindowId window);
  // Where the top left of `window` lies on the screen.
  Point Corner(WindowId window);

 private:
  struct Connection;
  explicit SecondPointer(std::unique_ptr<Connection> connection);
  std::unique_ptr<Connection> connection_;
};

}  // namespace quorbel::testing
