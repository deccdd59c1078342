// Timers, waits and message boxes of the Win32 toolkit.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "platform/windows/WideText.h"
#include "toolkit/ToolkitTexts.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

// Whole milliseconds, at least one: a timer of 0 would fire without pause.
UINT Milliseconds(float seconds) {
  const double milliseconds = std::round(static_cast<double>(seconds) * 1000.0);
  return milliseconds < 1 ? 1u : static_cast<UINT>(std::min(milliseconds, 2.0e9));
}

UINT IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
    case MessageIcon::None:
      break;
  }
  return 0;
}

}  // namespace

void Win32Toolkit::StartTimer(const std::string& form, int id, float seconds) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return;
    // Starting a running timer starts its interval afresh.
    ::SetTimer(f->window, static_cast<UINT_PTR>(id), Milliseconds(seconds), nullptr);
    f->timers.insert(id);
  });
}

void Win32Toolkit::StopTimer(const std::string& form, int id) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr || f->timers.erase(id) == 0) return;
    ::KillTimer(f->window, static_cast<UINT_PTR>(id));
  });
}

void Win32Toolkit::Delay(float seconds) {
  if (!calls_.OnGuiThread()) {
    std::this_thread::sleep_for(std::chrono::duration<float>(std::max(seconds, 0.0f)));
    return;
  }
  // Window messages, timers and other threads' calls go on while this waits.
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<float>(seconds);
  DispatchWaiting();
  for (auto now = std::chrono::steady_clock::now(); now < until;
       now = std::chrono::steady_clock::now()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now);
    WaitAndDispatch(static_cast<DWORD>(left.count()));
  }
}

void Win32Toolkit::DoEvents() {
  if (calls_.OnGuiThread()) DispatchWaiting();
}

int Win32Toolkit::MessageBox(const std::string& form, const std::string& text,
                             const std::string& title, Buttons buttons) {
  return OnGui([&] {
    const MessageText message = ReadMessageText(text);
    Win32Form* owner = FindForm(form);
    const UINT kind = (buttons == Buttons::Ok ? MB_OK : MB_YESNO) | IconOf(message.icon);
    const int answer =
        ::MessageBoxW(owner != nullptr ? owner->window : nullptr,
                      WideFromUtf8(message.text).c_str(), WideFromUtf8(title).c_str(), kind);
    if (buttons == Buttons::Ok) return kAnswerYes;
    return answer == IDYES ? kAnswerYes : kAnswerNo;
  });
}

}  // namespace quorbel::ui
