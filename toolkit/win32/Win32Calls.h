#pragma once

#include <windows.h>

#include <atomic>
#include <exception>

#include "platform/RequestQueue.h"

namespace quorbel::ui {

// The GUI thread's request queue on Win32: the GUI thread is woken by a
// message to a message-only window of its own, so every message loop of the
// GUI thread serves the calls: the program's own, a message box's, a
// dialog's. One wake-up message at a time is on its way: the queue is served
// whole on arrival.
class Win32Calls : public RequestQueue {
 public:
  Win32Calls();
  ~Win32Calls();
  Win32Calls(const Win32Calls&) = delete;
  Win32Calls& operator=(const Win32Calls&) = delete;

  // GUI thread, after each message it dispatched: what a posted work threw
  // while a message loop served it goes on up from here, not through the
  // system's frames of that loop.
  void RethrowPostedFailure();

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PostWakeUp();

  HWND window_ = nullptr;                     // message-only; receives the wake-ups
  std::atomic<bool> messageOnItsWay_{false};  // a wake-up message is posted and not yet received
  std::exception_ptr postedFailure_;          // GUI thread only
};

}  // namespace quorbel::ui
