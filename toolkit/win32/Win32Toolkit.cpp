// Running the program, forms, geometry, colours and fonts, the form window's
// messages, and the look-ups the other parts of the Win32 toolkit share.
#include "toolkit/win32/Win32Toolkit.h"

#include <commctrl.h>

#include <cctype>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/windows/WideText.h"
#include "toolkit/PropertyLetters.h"

namespace quorbel::ui {

namespace {

constexpr wchar_t kFormClass[] = L"QuorbelForm";
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

void RegisterFormClass(WNDPROC procedure) {
  WNDCLASSEXW formClass{};
  formClass.cbSize = sizeof(formClass);
  formClass.style = CS_DBLCLKS;
  formClass.lpfnWndProc = procedure;
  formClass.hInstance = ::GetModuleHandleW(nullptr);
  formClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  formClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  formClass.lpszClassName = kFormClass;
  if (::RegisterClassExW(&formClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("cannot register the window class of forms");
  }
}

}  // namespace

Win32Toolkit::Win32Toolkit(std::shared_ptr<const BitmapSource> images)
    : pictures_(std::move(images)) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                      ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  RegisterFormClass(&Win32Toolkit::FormProcedure);
}

Win32Toolkit::~Win32Toolkit() {
  calls_.ServePending();  // while everything they may use is still here
  // Forget the forms first: a window going away sends no more events.
  std::map<std::string, std::unique_ptr<Win32Form>> forms = std::move(forms_);
  forms_.clear();
  formOfWindow_.clear();
  for (auto& [key, form] : forms) {
    if (form->parent.empty()) ::DestroyWindow(form->window);
  }
  for (auto& [key, form] : forms) {
    if (form->icon != nullptr) ::DestroyIcon(form->icon);
    if (form->smallIcon != nullptr) ::DestroyIcon(form->smallIcon);
  }
}

void Win32Toolkit::SetCallbacks(const LayoutCallback& layout, const EventCallback& events) {
  OnGui([&] {
    layout_ = layout;
    events_ = events;
  });
}

int Win32Toolkit::Run(const StartupCallback& startup, const LayoutCallback& layout,
                      const EventCallback& events) {
  SetCallbacks(layout, events);
  if (startup) startup();
  while (!forms_.empty()) WaitAndDispatch(INFINITE);
  return 0;
}

int Win32Toolkit::DispatchWaiting() {
  int count = 0;
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ++count;
    if (RouteKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    calls_.RethrowPostedFailure();
  }
  return count;
}

void Win32Toolkit::WaitAndDispatch(DWORD milliseconds) {
  ::MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  DispatchWaiting();
}

// --- Forms ------------------------------------------------------------------

void Win32Toolkit::CreateForm(const std::string& name, const std::string& parent,
                              const std::string& caption, Rect place, const std::string& letters,
                              int textColour, int backColour) {
  OnGui([&] {
    if (FindForm(name) != nullptr) return;
    Win32Form* parentForm = parent.empty() ? nullptr : FindForm(parent);
    auto owned = std::make_unique<Win32Form>();
    Win32Form& form = *owned;
    form.name = name;
    form.parent = parentForm != nullptr ? parent : std::string();
    form.place = place;
    form.textColour = textColour;
    form.backColour = backColour;
    form.modal = ReadFormLetters(letters).modal;

    const CharGrid grid(static_cast<int>(::GetDpiForSystem()));
    RECT frame = grid.ToPixels(Rect{0, 0, place.width, place.height});
    ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    form.window = ::CreateWindowExW(0, kFormClass, WideFromUtf8(caption).c_str(), kFormStyle,
                                    grid.Columns(place.column), grid.Rows(place.row),
                                    frame.right - frame.left, frame.bottom - frame.top,
                                    parentForm != nullptr ? parentForm->window : nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (form.window == nullptr) throw std::runtime_error("cannot create the window of a form");
    ::SetWindowLongPtrW(form.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    form.dpi = static_cast<int>(::GetDpiForWindow(form.window));
    const std::string key = Key(name);
    formOfWindow_[form.window] = &form;
    forms_[key] = std::move(owned);

    if (layout_) layout_(name);
    Win32Form* created = FindForm(key);
    if (created == nullptr || created != &form) return;  // unloaded meanwhile
    const HWND window = created->window;
    // The parent takes no input while its modal child is open, from the
    // moment the child shows; creating the child returns when it has gone.
    Win32Form* holder = created->modal ? FindForm(created->parent) : nullptr;
    if (holder != nullptr) ::EnableWindow(holder->window, FALSE);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    if (!created->modal) return;
    while (FormOfWindow(window) != nullptr) WaitAndDispatch(INFINITE);
  });
}

void Win32Toolkit::UnloadForm(const std::string& form) {
  OnGui([&] {
    if (FindForm(form) != nullptr) Unload(Key(form));
  });
}

void Win32Toolkit::Unload(const std::string& key) {
  auto found = forms_.find(key);
  if (found == forms_.end()) return;
  std::vector<std::string> children;
  for (const auto& [childKey, child] : forms_) {
    if (!child->parent.empty() && Key(child->parent) == key) children.push_back(childKey);
  }
  for (const std::string& child : children) Unload(child);

  found = forms_.find(key);
  std::unique_ptr<Win32Form> form = std::move(found->second);
  forms_.erase(found);
  formOfWindow_.erase(form->window);
  for (int timer : form->timers) ::KillTimer(form->window, static_cast<UINT_PTR>(timer));
  if (form->icon != nullptr) ::DestroyIcon(form->icon);
  if (form->smallIcon != nullptr) ::DestroyIcon(form->smallIcon);
  if (form->modal && !form->parent.empty()) {
    if (Win32Form* parent = FindForm(form->parent)) {
      ::EnableWindow(parent->window, TRUE);
      ::SetActiveWindow(parent->window);
    }
  }
  ::DestroyWindow(form->window);
}

void Win32Toolkit::KeepClientSize(Win32Form& form) {
  // The client area keeps the form's size when a menu bar takes room above it.
  RECT frame = GridOf(form.window).ToPixels(Rect{0, 0, form.place.width, form.place.height});
  ::AdjustWindowRectExForDpi(&frame, kFormStyle, form.menuBar != nullptr, 0,
                             static_cast<UINT>(form.dpi));
  ::SetWindowPos(form.window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Toolkit::MinimizeForm(const std::string& form) {
  OnGui([&] {
    if (Win32Form* f = FindForm(form)) ::ShowWindow(f->window, SW_MINIMIZE);
  });
}

WindowId Win32Toolkit::Handle(const std::string& form) {
  return OnGui([&]() -> WindowId {
    Win32Form* f = FindForm(form);
    return f != nullptr ? static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(f->window)) : 0;
  });
}

Size Win32Toolkit::FormSize(const std::string& form) {
  return OnGui([&] {
    Win32Form* f = FindForm(form);
    return f != nullptr ? Size{f->place.width, f->place.height} : Size{};
  });
}

Rect Win32Toolkit::FormPlace(const std::string& form) {
  return OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return Rect{};
    // Where the window stands now, which the user may have moved it to.
    RECT frame{};
    ::GetWindowRect(f->window, &frame);
    const CharGrid grid = GridOf(f->window);
    return Rect{frame.left / grid.ColumnWidth(), frame.top / grid.RowHeight(), f->place.width,
                f->place.height};
  });
}

Size Win32Toolkit::ScreenSize() {
  const CharGrid grid(static_cast<int>(::GetDpiForSystem()));
  return Size{::GetSystemMetrics(SM_CXSCREEN) / grid.ColumnWidth(),
              ::GetSystemMetrics(SM_CYSCREEN) / grid.RowHeight()};
}

Size Win32Toolkit::CharSize() {
  // The program turns pixels into columns by this measure, in the units of
  // the grid itself: the system scales both alike.
  return Size{kColumnPixels, kRowPixels};
}

void Win32Toolkit::DefineColour(int slot, int red, int green, int blue) {
  OnGui([&] { appearance_.DefineColour(slot, red, green, blue); });
}

void Win32Toolkit::DefineFont(int slot, const std::string& face, double points,
                              const std::string& letters) {
  OnGui([&] { appearance_.DefineFont(slot, face, points, letters); });
}

// --- The form window's messages -------------------------------------------------

LRESULT CALLBACK Win32Toolkit::FormProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* toolkit = reinterpret_cast<Win32Toolkit*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  Win32Form* form = toolkit != nullptr ? toolkit->FormOfWindow(window) : nullptr;
  if (form == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return toolkit->OnFormMessage(*form, message, wParam, lParam);
}

LRESULT Win32Toolkit::OnFormMessage(Win32Form& form, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = form.window;
  switch (message) {
    case WM_CLOSE: {
      const std::string key = Key(form.name);
      if (Deliver(form, 0, kFormClosed, 0).cancel) return 0;
      // The callback may have unloaded it already.
      if (Win32Form* still = FindForm(key); still != nullptr && still->window == window) {
        Unload(key);
      }
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(form, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window, focus)) form.focusWhenLeft = focus;
      }
      Deliver(form, 0, LOWORD(wParam) == WA_INACTIVE ? kLostFocus : kGotFocus, 0);
      break;
    case WM_SETFOCUS:
      // The window itself is given the focus as it becomes active again; the
      // control that had it when the window was left takes it back, as in a
      // dialog, so that typing goes on where it stopped.
      if (const HWND control = form.focusWhenLeft;
          control != nullptr && ::IsChild(window, control) && ::IsWindowVisible(control) &&
          ::IsWindowEnabled(control)) {
        ::SetFocus(control);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (auto colour = appearance_.Colour(form.backColour)) {
        RECT client{};
        ::GetClientRect(window, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, appearance_.Brush(*colour));
        return 1;
      }
      break;
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) == 0) {  // a menu item
        Deliver(form, LOWORD(wParam), kClick, 0);
        return 0;
      }
      if (lParam != 0 && OnCommand(form, wParam)) return 0;
      break;
    case WM_NOTIFY:
      if (OnNotify(form, *reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam != 0) OnScroll(form, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      if (form.timers.contains(static_cast<int>(wParam))) {
        Deliver(form, static_cast<int>(wParam), kClick, 0);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return OnControlColour(form, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                             message, wParam, lParam);
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// --- For tests ----------------------------------------------------------------

HWND Win32Toolkit::FormWindow(const std::string& form) const {
  const Win32Form* f = FindForm(form);
  return f != nullptr ? f->window : nullptr;
}

HWND Win32Toolkit::ControlWindow(const std::string& form, int id) const {
  const Win32Control* c = FindControl(form, id);
  return c != nullptr ? c->window : nullptr;
}

// --- Shared helpers (GUI thread) --------------------------------------------------

std::string Win32Toolkit::Key(const std::string& form) {
  std::string key = form;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

Win32Form* Win32Toolkit::FindForm(const std::string& form) const {
  auto found = forms_.find(Key(form));
  return found != forms_.end() ? found->second.get() : nullptr;
}

Win32Form* Win32Toolkit::FormOfWindow(HWND window) const {
  auto found = formOfWindow_.find(window);
  return found != formOfWindow_.end() ? found->second : nullptr;
}

Win32Control* Win32Toolkit::FindControl(const std::string& form, int id) const {
  Win32Form* f = FindForm(form);
  return f != nullptr ? ControlOf(*f, id) : nullptr;
}

Win32Control* Win32Toolkit::ControlOf(Win32Form& form, int id) {
  auto found = form.controls.find(id);
  return found != form.controls.end() ? &found->second : nullptr;
}

CharGrid Win32Toolkit::GridOf(HWND window) const {
  // A form goes by the DPI it was last told of, which is the system's own
  // once it has moved to another screen.
  if (const Win32Form* form = FormOfWindow(window)) return CharGrid(form->dpi);
  return CharGrid(static_cast<int>(::GetDpiForWindow(window)));
}

Event Win32Toolkit::Deliver(const Win32Form& form, int id, int code, int value) {
  Event event{form.name, id, code, value, false};
  if (events_) events_(event);
  return event;
}

}  // namespace quorbel::ui
