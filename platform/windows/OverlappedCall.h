#pragma once

#include <windows.h>

namespace quorbel {

// Runs one overlapped read or write on `file` and waits for it at most
// `limitMs` milliseconds; a call still under way then is cancelled. True when
// it finished without error; `done` is the number of bytes it moved.
template <typename Start>
bool OverlappedCall(HANDLE file, DWORD limitMs, DWORD& done, Start start) {
  OVERLAPPED call{};
  call.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (call.hEvent == nullptr) return false;
  done = 0;
  bool finished = start(call) != 0;
  if (!finished && ::GetLastError() == ERROR_IO_PENDING) {
    if (::WaitForSingleObject(call.hEvent, limitMs) != WAIT_OBJECT_0) ::CancelIoEx(file, &call);
    // Waits for the end of the call, cancelled or not: the system writes
    // into `call` until then.
    finished = ::GetOverlappedResult(file, &call, &done, TRUE) != 0;
  } else if (finished) {
    finished = ::GetOverlappedResult(file, &call, &done, FALSE) != 0;
  }
  ::CloseHandle(call.hEvent);
  return finished;
}

}  // namespace quorbel
