// Lists of the Win32 toolkit: list boxes, drop-down lists and list views. Rows
// are counted from 0; -1 is none. Changes the program makes send no event.
#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include <algorithm>

#include "platform/windows/WideText.h"
#include "toolkit/ListItems.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

bool IsList(ControlKind kind) {
  return kind == ControlKind::ComboBox || kind == ControlKind::ListBox ||
         kind == ControlKind::ListView;
}

int RowCount(const Win32Control& control) {
  switch (control.kind) {
    case ControlKind::ComboBox:
      return static_cast<int>(::SendMessageW(control.window, CB_GETCOUNT, 0, 0));
    case ControlKind::ListBox:
      return static_cast<int>(::SendMessageW(control.window, LB_GETCOUNT, 0, 0));
    case ControlKind::ListView:
      return ListView_GetItemCount(control.window);
    default:
      return 0;
  }
}

std::wstring ViewCell(HWND view, int row, int column) {
  // The view copies as much as fits: grow the buffer until the text fits.
  for (std::size_t size = 256;; size *= 4) {
    std::wstring cell(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = cell.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(::SendMessageW(
        view, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < size) {
      cell.resize(length);
      return cell;
    }
  }
}

std::string Cell(const Win32Control& control, int row, int column) {
  if (row < 0 || row >= RowCount(control) || column < 0) return {};
  if (control.kind == ControlKind::ListView) {
    return Utf8FromWide(ViewCell(control.window, row, column));
  }
  if (column != 0) return {};
  const bool combo = control.kind == ControlKind::ComboBox;
  const auto index = static_cast<WPARAM>(row);
  const LRESULT length =
      ::SendMessageW(control.window, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::SendMessageW(control.window, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                 reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Utf8FromWide(text);
}

bool RowSelected(const Win32Control& control, int row) {
  switch (control.kind) {
    case ControlKind::ComboBox:
      return ::SendMessageW(control.window, CB_GETCURSEL, 0, 0) == row;
    case ControlKind::ListBox:
      return ::SendMessageW(control.window, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0;
    case ControlKind::ListView:
      return ListView_GetItemState(control.window, row, LVIS_SELECTED) != 0;
    default:
      return false;
  }
}

void InsertViewRow(HWND view, int row, const std::string& text) {
  std::wstring cell = WideFromUtf8(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = cell.data();
  ::SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void Win32Toolkit::AppendItems(Win32Control& control, const std::vector<std::string>& items) {
  for (const std::string& item : items) {
    const std::wstring text = WideFromUtf8(item);
    const auto pointer = reinterpret_cast<LPARAM>(text.c_str());
    if (control.kind == ControlKind::ComboBox) {
      ::SendMessageW(control.window, CB_ADDSTRING, 0, pointer);
    } else if (control.kind == ControlKind::ListBox) {
      ::SendMessageW(control.window, LB_ADDSTRING, 0, pointer);
    } else if (control.kind == ControlKind::ListView) {
      InsertViewRow(control.window, RowCount(control), item);
    }
  }
}

void Win32Toolkit::ClearItems(const std::string& form, int id) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return;
    quiet_ = true;
    if (c->kind == ControlKind::ComboBox) ::SendMessageW(c->window, CB_RESETCONTENT, 0, 0);
    if (c->kind == ControlKind::ListBox) ::SendMessageW(c->window, LB_RESETCONTENT, 0, 0);
    if (c->kind == ControlKind::ListView) ListView_DeleteAllItems(c->window);
    quiet_ = false;
  });
}

void Win32Toolkit::AddItems(const std::string& form, int id, const std::string& itemsBarSeparated) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return;
    quiet_ = true;
    AppendItems(*c, SplitItems(itemsBarSeparated));
    quiet_ = false;
  });
}

void Win32Toolkit::AddItem(const std::string& form, int id, const std::string& text) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return;
    quiet_ = true;
    AppendItems(*c, {text});
    quiet_ = false;
  });
}

void Win32Toolkit::AddListViewItem(const std::string& form, int id, int row, int column,
                                   const std::string& text) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr || c->kind != ControlKind::ListView || column < 0) return;
    quiet_ = true;
    if (column == 0) {
      InsertViewRow(c->window, std::clamp(row, 0, RowCount(*c)), text);
    } else if (row >= 0 && row < RowCount(*c)) {
      std::wstring cell = WideFromUtf8(text);
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = cell.data();
      ::SendMessageW(c->window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
    quiet_ = false;
  });
}

void Win32Toolkit::SelectItem(const std::string& form, int id, int index) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr || !IsList(c->kind)) return;
    const int row = index >= 0 && index < RowCount(*c) ? index : -1;
    quiet_ = true;
    if (c->kind == ControlKind::ComboBox) {
      ::SendMessageW(c->window, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    } else if (c->kind == ControlKind::ListBox) {
      ::SendMessageW(c->window, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    } else {
      ListView_SetItemState(c->window, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
      if (row >= 0) {
        ListView_SetItemState(c->window, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(c->window, row, FALSE);
      }
    }
    quiet_ = false;
  });
}

int Win32Toolkit::LastItem(const std::string& form, int id) {
  return OnGui([&] {
    Win32Control* c = FindControl(form, id);
    return c != nullptr ? RowCount(*c) - 1 : -1;
  });
}

int Win32Toolkit::FindItem(const std::string& form, int id, const std::string& text) {
  return OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return -1;
    const std::wstring wanted = WideFromUtf8(text);
    for (int row = 0; row < RowCount(*c); ++row) {
      const std::wstring cell = WideFromUtf8(Cell(*c, row, 0));
      if (::CompareStringOrdinal(cell.c_str(), static_cast<int>(cell.size()), wanted.c_str(),
                                 static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL) {
        return row;
      }
    }
    return -1;
  });
}

int Win32Toolkit::NextSelected(const std::string& form, int id, int after) {
  return OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr) return -1;
    for (int row = std::max(after + 1, 0); row < RowCount(*c); ++row) {
      if (RowSelected(*c, row)) return row;
    }
    return -1;
  });
}

std::string Win32Toolkit::ItemText(const std::string& form, int id, int index, int column) {
  return OnGui([&] {
    Win32Control* c = FindControl(form, id);
    return c != nullptr ? Cell(*c, index, column) : std::string();
  });
}

}  // namespace quorbel::ui
