// Controls of the Win32 toolkit: making them from what the program asks for,
// their state, colours and notifications.
#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/windows/WideText.h"
#include "toolkit/ListItems.h"
#include "toolkit/PropertyLetters.h"
#include "toolkit/ToolkitTexts.h"
#include "toolkit/win32/PicturePainting.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

constexpr int kPaneEdge = 2;  // pixels of the raised edge around a tab pane

struct WindowKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD extendedStyle;
};

WindowKind KindOf(ControlKind kind, const ControlLetters& letters) {
  switch (kind) {
    case ControlKind::Label: {
      DWORD align = SS_LEFT;
      if (letters.centred) align = SS_CENTER;
      if (letters.rightAligned) align = SS_RIGHT;
      return {WC_STATICW, align | SS_NOTIFY | SS_NOPREFIX | (letters.sunken ? SS_SUNKEN : 0u), 0};
    }
    case ControlKind::Picture:
    case ControlKind::Icon:
      // Painted by the toolkit (PicturePainting.h), not as a bitmap static.
      return {WC_STATICW, SS_NOTIFY, 0};
    case ControlKind::Text:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::Radio:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::ComboBox:
      // The height given includes the list that drops down, as the system's
      // drop-down lists take it.
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::ListBox:
      return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::ListView:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::TabControl:
      return {WC_TABCONTROLW, 0, 0};
    case ControlKind::UpDown:
      return {UPDOWN_CLASSW, UDS_ARROWKEYS, 0};
    case ControlKind::VTrackBar:
      // The least value is at the top, as on the classic track bar.
      return {TRACKBAR_CLASSW, TBS_VERT | TBS_BOTH | TBS_AUTOTICKS | WS_TABSTOP, 0};
  }
  return {WC_STATICW, 0, 0};
}

// Fills a new list view with its columns and a tab control with its tabs.
void AddParts(HWND window, const ControlDefinition& definition, const CharGrid& grid) {
  if (definition.kind == ControlKind::ListView) {
    ListView_SetExtendedListViewStyle(window, LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const ListViewColumn& column : ReadListViewColumns(definition.text)) {
      std::wstring title = WideFromUtf8(column.title);
      LVCOLUMNW description{};
      description.mask = LVCF_TEXT | LVCF_WIDTH;
      description.cx = grid.Columns(column.width);
      description.pszText = title.data();
      // The wide messages by name: the system's macros send the narrow ones.
      ::SendMessageW(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&description));
    }
  } else if (definition.kind == ControlKind::TabControl) {
    int index = 0;
    for (const std::string& title : SplitItems(definition.text)) {
      std::wstring text = WideFromUtf8(title);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text.data();
      ::SendMessageW(window, TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&item));
    }
  } else if (definition.kind == ControlKind::UpDown) {
    // The system's own up-down counts down from 100 unless told otherwise.
    ::SendMessageW(window, UDM_SETRANGE32, 0, 100);
  }
}

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Utf8FromWide(text);
}

bool ShowsItsText(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Text || kind == ControlKind::Button ||
         kind == ControlKind::CheckBox || kind == ControlKind::Radio;
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::Radio;
}

}  // namespace

void Win32Toolkit::CentreOneLine(HWND label) {
  const std::wstring text = WideFromUtf8(WindowText(label));
  RECT client{};
  ::GetClientRect(label, &client);
  HDC context = ::GetDC(label);
  HGDIOBJ old =
      ::SelectObject(context, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE extent{};
  ::GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(context, old);
  ::ReleaseDC(label, context);
  const bool oneLine = extent.cx <= client.right && text.find(L'\n') == std::wstring::npos;
  const LONG_PTR style = ::GetWindowLongPtrW(label, GWL_STYLE);
  const LONG_PTR centred = oneLine ? (style | SS_CENTERIMAGE) : (style & ~LONG_PTR{SS_CENTERIMAGE});
  if (centred != style) ::SetWindowLongPtrW(label, GWL_STYLE, centred);
}

void Win32Toolkit::AddControl(const std::string& form, const ControlDefinition& definition) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr || f->controls.contains(definition.id)) return;
    const HWND window = MakeWindow(*f, definition);
    if (window == nullptr) return;
    Win32Control& control = f->controls[definition.id];
    control.kind = definition.kind;
    control.window = window;
    control.text = definition.text;
    control.place = definition.place;
    control.font = definition.font;
    control.textColour = definition.textColour;
    control.backColour = definition.backColour;
    control.position = static_cast<int>(::SendMessageW(
        window, definition.kind == ControlKind::UpDown ? UDM_GETPOS32 : TBM_GETPOS, 0, 0));
    if (definition.kind == ControlKind::ComboBox || definition.kind == ControlKind::ListBox) {
      AppendItems(control, SplitItems(definition.text));
    }
    if (definition.kind == ControlKind::Picture || definition.kind == ControlKind::Icon) {
      RECT made{};
      ::GetWindowRect(window, &made);
      control.pictureSize = SIZE{made.right - made.left, made.bottom - made.top};
      PaintPictureItself(window);
      control.pictureKey = pictures_.Key(definition.text);
      ShowPicture(control, control.pictureKey);
    }
  });
}

HWND Win32Toolkit::MakeWindow(Win32Form& form, const ControlDefinition& definition) {
  const ControlLetters letters = ReadControlLetters(definition.letters);
  const WindowKind kind = KindOf(definition.kind, letters);
  const CharGrid grid = GridOf(form.window);
  const RECT place = grid.ToPixels(definition.place);
  const bool showsText = ShowsItsText(definition.kind);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
  if (!letters.hidden) style |= WS_VISIBLE;
  if (letters.disabled) style |= WS_DISABLED;
  const HWND window = ::CreateWindowExW(
      kind.extendedStyle, kind.windowClass, showsText ? WideFromUtf8(definition.text).c_str() : L"",
      style, place.left, place.top, place.right - place.left, place.bottom - place.top, form.window,
      reinterpret_cast<HMENU>(static_cast<std::intptr_t>(definition.id)),
      ::GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  ::SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(appearance_.Font(definition.font, form.dpi)), FALSE);
  AddParts(window, definition, grid);
  if (definition.kind == ControlKind::Label) CentreOneLine(window);
  if (definition.kind == ControlKind::TabControl) {
    ::SetWindowSubclass(window, &Win32Toolkit::TabPaneProcedure, 0,
                        reinterpret_cast<DWORD_PTR>(this));
  } else if (definition.kind == ControlKind::UpDown) {
    ::SetWindowSubclass(window, &Win32Toolkit::UpDownProcedure, 0,
                        reinterpret_cast<DWORD_PTR>(this));
  }
  // Where controls overlap, the one created earlier lies above.
  ::SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}

// --- Notifications --------------------------------------------------------------

bool Win32Toolkit::OnCommand(Win32Form& form, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  Win32Control* control = ControlOf(form, id);
  if (control == nullptr) return false;
  switch (control->kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
      if (code == BN_CLICKED) Deliver(form, id, kClick, 0);
      return true;
    case ControlKind::Label:
    case ControlKind::Picture:
    case ControlKind::Icon:
      if (code == STN_CLICKED || code == STN_DBLCLK) Deliver(form, id, kClick, 0);
      return true;
    case ControlKind::Text:
      if (code == EN_CHANGE && !quiet_) Deliver(form, id, kChanged, 0);
      if (code == EN_SETFOCUS) Deliver(form, id, kGotFocus, 0);
      if (code == EN_KILLFOCUS) Deliver(form, id, kLostFocus, 0);
      return true;
    case ControlKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        Deliver(form, id, kChanged,
                static_cast<int>(::SendMessageW(control->window, CB_GETCURSEL, 0, 0)));
      }
      return true;
    case ControlKind::ListBox:
      if (code == LBN_SELCHANGE) {
        Deliver(form, id, kChanged,
                static_cast<int>(::SendMessageW(control->window, LB_GETCARETINDEX, 0, 0)));
      }
      return true;
    default:
      return false;
  }
}

bool Win32Toolkit::OnNotify(Win32Form& form, const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  Win32Control* control = ControlOf(form, id);
  if (control == nullptr) return false;
  if (control->kind == ControlKind::TabControl && header.code == TCN_SELCHANGE) {
    Deliver(form, id, kChanged, static_cast<int>(TabCtrl_GetCurSel(control->window)));
    return true;
  }
  if (control->kind == ControlKind::ListView && header.code == LVN_ITEMCHANGED) {
    // The row the user moves to becomes the current one.
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool current = (change.uNewState & LVIS_FOCUSED) != 0 &&
                         (change.uOldState & LVIS_FOCUSED) == 0 && change.iItem >= 0;
    if (current && !quiet_) Deliver(form, id, kChanged, change.iItem);
    return true;
  }
  return false;
}

void Win32Toolkit::OnScroll(Win32Form& form, HWND window) {
  const int id = ::GetDlgCtrlID(window);
  Win32Control* control = ControlOf(form, id);
  if (control == nullptr) return;
  int position = 0;
  if (control->kind == ControlKind::VTrackBar) {
    position = static_cast<int>(::SendMessageW(window, TBM_GETPOS, 0, 0));
  } else if (control->kind == ControlKind::UpDown) {
    position = static_cast<int>(::SendMessageW(window, UDM_GETPOS32, 0, 0));
  } else {
    return;
  }
  // Each move that changes the position is reported once.
  if (position == control->position) return;
  control->position = position;
  Deliver(form, id, kChanged, position);
}

LRESULT Win32Toolkit::OnControlColour(Win32Form& form, HWND window, HDC context, UINT message,
                                      WPARAM wParam, LPARAM lParam) {
  Win32Control* control = ControlOf(form, ::GetDlgCtrlID(window));
  // A control of the default colours takes its form's, as a child window
  // takes its parent's palette.
  const int textSlot = control != nullptr && control->textColour != kDefaultColour
                           ? control->textColour
                           : form.textColour;
  const int backSlot = control != nullptr && control->backColour != kDefaultColour
                           ? control->backColour
                           : form.backColour;
  const std::optional<COLORREF> text = appearance_.Colour(textSlot);
  const std::optional<COLORREF> back = appearance_.Colour(backSlot);
  if (!text && !back) return ::DefWindowProcW(form.window, message, wParam, lParam);
  const LRESULT standard = ::DefWindowProcW(form.window, message, wParam, lParam);
  if (text && ::IsWindowEnabled(window)) ::SetTextColor(context, *text);
  if (!back) return standard;
  ::SetBkColor(context, *back);
  return reinterpret_cast<LRESULT>(appearance_.Brush(*back));
}

LRESULT CALLBACK Win32Toolkit::TabPaneProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR /*subclass*/,
                                                DWORD_PTR toolkit) {
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, &Win32Toolkit::TabPaneProcedure, 0);
  if (message != WM_ERASEBKGND && message != WM_PAINT) {
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  return reinterpret_cast<Win32Toolkit*>(toolkit)->OnTabPaneMessage(window, message, wParam,
                                                                    lParam);
}

LRESULT Win32Toolkit::OnTabPaneMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Win32Form* form = FormOfWindow(::GetParent(window));
  const std::optional<COLORREF> colour =
      form != nullptr ? appearance_.Colour(form->backColour) : std::nullopt;
  if (!colour) return ::DefSubclassProc(window, message, wParam, lParam);
  const HBRUSH brush = appearance_.Brush(*colour);
  RECT client{};
  ::GetClientRect(window, &client);
  if (message == WM_ERASEBKGND) {
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    return 1;
  }
  // The system draws the tabs and the pane's frame, a raised edge below the
  // row of tabs; then the inside of the frame and the strip beside the tabs
  // take the form's colour.
  const LRESULT painted = ::DefSubclassProc(window, message, wParam, lParam);
  RECT pane = client;
  ::SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
  RECT strip{client.left, client.top, client.right, pane.top};
  const int tabs = static_cast<int>(::SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
  RECT lastTab{};
  if (tabs > 0 && ::SendMessageW(window, TCM_GETITEMRECT, static_cast<WPARAM>(tabs - 1),
                                 reinterpret_cast<LPARAM>(&lastTab)) != 0) {
    strip.left = lastTab.right + 1;
    strip.bottom = lastTab.bottom - 1;
    pane = RECT{client.left + kPaneEdge, lastTab.bottom + kPaneEdge, client.right - kPaneEdge,
                client.bottom - kPaneEdge};
  }
  HDC context = ::GetDC(window);
  ::FillRect(context, &pane, brush);
  if (strip.left < strip.right && strip.top < strip.bottom) ::FillRect(context, &strip, brush);
  ::ReleaseDC(window, context);
  return painted;
}

// --- State ------------------------------------------------------------------------

void Win32Toolkit::SetText(const std::string& form, int id, const std::string& text) {
  OnGui([&] {
    if (id == 0) {
      if (Win32Form* f = FindForm(form)) ::SetWindowTextW(f->window, WideFromUtf8(text).c_str());
      return;
    }
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return;
    c->text = text;
    if (!ShowsItsText(c->kind)) return;
    quiet_ = true;
    ::SetWindowTextW(c->window, WideFromUtf8(text).c_str());
    quiet_ = false;
    if (c->kind == ControlKind::Label) CentreOneLine(c->window);
  });
}

std::string Win32Toolkit::Text(const std::string& form, int id) {
  return OnGui([&]() -> std::string {
    if (id == 0) {
      Win32Form* f = FindForm(form);
      return f != nullptr ? WindowText(f->window) : std::string();
    }
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return {};
    if (ShowsItsText(c->kind)) return WindowText(c->window);
    // A list box or drop-down list reads as its selected item.
    const bool combo = c->kind == ControlKind::ComboBox;
    if (combo || c->kind == ControlKind::ListBox) {
      const LRESULT index = ::SendMessageW(c->window, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
      if (index < 0) return c->text;
      const LRESULT length = ::SendMessageW(c->window, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
                                            static_cast<WPARAM>(index), 0);
      std::wstring item(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
      ::SendMessageW(c->window, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(item.data()));
      item.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
      return Utf8FromWide(item);
    }
    return c->text;
  });
}

void Win32Toolkit::SetCheck(const std::string& form, int id, bool checked) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr || !IsButton(c->kind)) return;
    ::SendMessageW(c->window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  });
}

bool Win32Toolkit::Checked(const std::string& form, int id) {
  return OnGui([&] {
    Win32Control* c = FindControl(form, id);
    return c != nullptr && IsButton(c->kind) &&
           ::SendMessageW(c->window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
}

void Win32Toolkit::ForRange(const std::string& form, int firstId, int lastId,
                            void (*change)(HWND)) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr || firstId > lastId) return;
    auto last = f->controls.upper_bound(lastId);
    for (auto it = f->controls.lower_bound(firstId); it != last; ++it) change(it->second.window);
  });
}

void Win32Toolkit::Show(const std::string& form, int firstId, int lastId) {
  // A control that appears is drawn over its neighbours, as the panel's
  // overlays need; a control that shows already stays where it lies.
  ForRange(form, firstId, lastId, [](HWND window) {
    if (::IsWindowVisible(window) != 0) return;
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  });
}

void Win32Toolkit::Hide(const std::string& form, int firstId, int lastId) {
  // Pictures above a hidden picture showed it through their clear parts.
  ForRange(form, firstId, lastId, [](HWND window) {
    ::ShowWindow(window, SW_HIDE);
    RepaintPictureAndAbove(window);
  });
}

void Win32Toolkit::Enable(const std::string& form, int firstId, int lastId) {
  ForRange(form, firstId, lastId, [](HWND window) { ::EnableWindow(window, TRUE); });
}

void Win32Toolkit::Disable(const std::string& form, int firstId, int lastId) {
  ForRange(form, firstId, lastId, [](HWND window) { ::EnableWindow(window, FALSE); });
}

void Win32Toolkit::SetFocus(const std::string& form, int id) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return;
    if (id == 0) {
      ::SetForegroundWindow(f->window);
      ::SetFocus(f->window);
    } else if (Win32Control* c = ControlOf(*f, id)) {
      ::SetFocus(c->window);
    }
  });
}

void Win32Toolkit::SetCaret(const std::string& form, int id, int position) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr || c->kind != ControlKind::Text) return;
    ::SendMessageW(c->window, EM_SETSEL, static_cast<WPARAM>(position), position);
  });
}

void Win32Toolkit::SetRange(const std::string& form, int id, int minimum, int maximum,
                            int position) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return;
    if (c->kind == ControlKind::VTrackBar) {
      ::SendMessageW(c->window, TBM_SETRANGEMIN, FALSE, minimum);
      ::SendMessageW(c->window, TBM_SETRANGEMAX, FALSE, maximum);
      ::SendMessageW(c->window, TBM_SETPOS, TRUE, position);
      c->position = static_cast<int>(::SendMessageW(c->window, TBM_GETPOS, 0, 0));
    } else if (c->kind == ControlKind::UpDown) {
      ::SendMessageW(c->window, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
      ::SendMessageW(c->window, UDM_SETPOS32, 0, position);
      c->position = static_cast<int>(::SendMessageW(c->window, UDM_GETPOS32, 0, 0));
    }
  });
}

int Win32Toolkit::Position(const std::string& form, int id) {
  return OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return 0;
    if (c->kind == ControlKind::VTrackBar) {
      return static_cast<int>(::SendMessageW(c->window, TBM_GETPOS, 0, 0));
    }
    if (c->kind == ControlKind::UpDown) {
      return static_cast<int>(::SendMessageW(c->window, UDM_GETPOS32, 0, 0));
    }
    return 0;
  });
}

}  // namespace quorbel::ui
