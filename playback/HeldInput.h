#pragma once

#include <mutex>
#include <vector>

#include "platform/Input.h"

namespace quorbel {

// Synthetic input with a ledger of the keys it holds down. Whatever ends a
// playback early (an interruption, the link stopping, the program exiting or
// being told to end) calls ReleaseAll(), so no key stays down in the target
// application. Mouse buttons go down and up in one call and are never held.
//
// Every call may come from any thread; calls are carried out one at a time,
// so the ledger always matches what was sent. They take a lock, so a signal
// handler must not call them itself but hand the signal to a thread.
// A key or a character that went down and has not come up yet.
struct HeldKey {
  int code = 0;            // the virtual key, or the character
  bool character = false;  // typed as a character
  bool operator==(const HeldKey&) const = default;
};

class HeldInput : public Input {
 public:
  explicit HeldInput(Input& input);

  void PrepareKeys() override;
  void KeyDown(int virtualKey) override;
  // Only a key the ledger holds goes up: a key that ReleaseAll() already
  // released is not released a second time.
  void KeyUp(int virtualKey) override;
  void CharacterDown(char32_t character) override;
  // As KeyUp: only a character the ledger holds goes up.
  void CharacterUp(char32_t character) override;
  void Click(MouseButton button) override;
  void SetCursor(Point screen) override;
  Point ClientToScreen(WindowId window, Point client) override;

  // Releases every held key, the last pressed first.
  void ReleaseAll();
  // The held keys in the order they went down.
  std::vector<HeldKey> Held() const;

 private:
  // Takes the latest entry of `key` off the ledger; false when it holds none.
  bool Forget(HeldKey key);
  void Release(HeldKey key);

  Input& input_;
  mutable std::mutex mutex_;
  std::vector<HeldKey> held_;
};

}  // namespace quorbel
