#pragma once

#include <memory>
#include <string>

namespace quorbel::testing {

// The server's key repeat as any client on the test display sees it.
class KeyRepeat {
 public:
  // Null when the display cannot be opened.
  static std::unique_ptr<KeyRepeat> Connect(const std::string& display);
  ~KeyRepeat();

  // Repeat after `delayMs` held, every `intervalMs`; false when refused.
  bool SetRate(unsigned int delayMs, unsigned int intervalMs);
  // Turns the repeat of the key that gives the keysym on or off, as the
  // user's own settings would; false when refused.
  bool SetKeyRepeats(unsigned long keysym, bool repeats);
  // Whether the key that gives the keysym (now, on its first level) repeats.
  bool Repeats(unsigned long keysym);

 private:
  struct Impl;
  explicit KeyRepeat(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel::testing
