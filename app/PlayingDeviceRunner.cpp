#include "app/PlayingDeviceRunner.h"

namespace quorbel {

void PlayingDeviceRunner::Start() {
  playback_.Resume();
  thread_.Start();
}

void PlayingDeviceRunner::Stop() {
  // Interrupted first, so that a sequence waiting out a long delay does not
  // keep the thread from ending.
  playback_.Interrupt();
  thread_.Stop();
  input_.ReleaseAll();
}

}  // namespace quorbel
