#include "platform/windows/WindowsInstanceGuard.h"

#include <windows.h>

#include "platform/windows/WideText.h"

namespace quorbel {

WindowsInstanceGuard::~WindowsInstanceGuard() { Release(); }

GuardResult WindowsInstanceGuard::Acquire(const std::string& name) {
  Release();
  // A backslash would name a namespace ("Global\"); the guard is a plain name.
  if (name.empty() || name.find('\\') != std::string::npos) return GuardResult::Failed;
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, WideFromUtf8(name).c_str());
  if (mutex == nullptr) {
    // A mutex of that name that this user may not open is another copy's too.
    return ::GetLastError() == ERROR_ACCESS_DENIED ? GuardResult::AlreadyRunning
                                                   : GuardResult::Failed;
  }
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return GuardResult::AlreadyRunning;
  }
  mutex_ = mutex;
  return GuardResult::Acquired;
}

void WindowsInstanceGuard::Release() {
  if (mutex_ == nullptr) return;
  ::CloseHandle(static_cast<HANDLE>(mutex_));
  mutex_ = nullptr;
}

}  // namespace quorbel
