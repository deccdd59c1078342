#pragma once

#include <windows.h>

#include <chrono>

namespace quorbel::ui {

// Dispatches the GUI thread's window messages until `done` holds or ten
// seconds have passed, as the program's message loop does; `after` runs
// after each message dispatched.
template <typename Done, typename After>
void PumpMessagesUntil(Done done, After after) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
      after();
    }
    if (done()) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

template <typename Done>
void PumpMessagesUntil(Done done) {
  PumpMessagesUntil(done, [] {});
}

}  // namespace quorbel::ui
