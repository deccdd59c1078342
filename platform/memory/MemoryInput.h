#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Input.h"

namespace quorbel {

// Records the synthetic input the program sends, as readable lines:
// "down 17", "up 17", "char down U+00E4", "char up U+00E4", "click left", "click right", "click
// middle", "cursor 120,45". Safe to use from several threads.
class MemoryInput : public Input {
 public:
  void KeyDown(int virtualKey) override;
  void KeyUp(int virtualKey) override;
  void CharacterDown(char32_t character) override;
  void CharacterUp(char32_t character) override;
  void Click(MouseButton button) override;
  void SetCursor(Point screen) override;
  // The client point moved by the window's origin (0,0 unless set).
  Point ClientToScreen(WindowId window, Point client) override;

  // Where a window's client area starts on the screen.
  void SetClientOrigin(WindowId window, Point origin);

  std::vector<std::string> Events() const;
  void Clear();

 private:
  void Record(std::string event);

  mutable std::mutex mutex_;
  std::vector<std::string> events_;
  std::map<WindowId, Point> origins_;
};

}  // namespace quorbel
