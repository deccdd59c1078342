#include "toolkit/win32/Win32Calls.h"

#include <stdexcept>
#include <utility>

namespace quorbel::ui {

namespace {

constexpr UINT kServeMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"QuorbelGuiCalls";

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("cannot register the window class of the GUI thread's calls");
  }
}

}  // namespace

Win32Calls::Win32Calls() : RequestQueue([this] { PostWakeUp(); }) {
  RegisterWindowClass(&Win32Calls::WindowProcedure);
  window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) {
    throw std::runtime_error("cannot create the window of the GUI thread's calls");
  }
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Calls::~Win32Calls() {
  Close();
  // A wake-up still on its way finds no object behind the window.
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  ::DestroyWindow(window_);
}

void Win32Calls::PostWakeUp() {
  if (messageOnItsWay_.exchange(true)) return;
  if (::PostMessageW(window_, kServeMessage, 0, 0) == 0) messageOnItsWay_ = false;
}

LRESULT CALLBACK Win32Calls::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message != kServeMessage) return ::DefWindowProcW(window, message, wParam, lParam);
  auto* calls = reinterpret_cast<Win32Calls*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (calls == nullptr) return 0;
  // Cleared before the queue is looked at: a call queued from here on posts
  // a message of its own.
  calls->messageOnItsWay_ = false;
  // No exception may cross the system's frames of the loop that dispatched
  // this message: it is kept for RethrowPostedFailure().
  try {
    calls->ServePending();
  } catch (...) {
    if (!calls->postedFailure_) calls->postedFailure_ = std::current_exception();
  }
  return 0;
}

void Win32Calls::RethrowPostedFailure() {
  if (!postedFailure_) return;
  std::exception_ptr failure = std::exchange(postedFailure_, nullptr);
  std::rethrow_exception(failure);
}

}  // namespace quorbel::ui
