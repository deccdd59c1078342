#pragma once

#include <functional>

namespace quorbel {

// Qt ends the process by itself, on the event loop's thread, once its
// connection to the X server broke, right after saying so in a warning.
// This hears that warning and runs the program's shutdown first, so that the
// port is closed and the preferences written before the process ends.
class DisplayLoss {
 public:
  // From the event loop's thread; `onLost` runs there, at most once. Every
  // message still goes wherever it went before.
  static void Watch(std::function<void()> onLost);
};

}  // namespace quorbel
