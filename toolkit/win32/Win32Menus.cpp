// Menus and accelerators of the Win32 toolkit. A menu entry becomes a submenu
// as soon as items are added under its ID, as the Preferences item of the
// Edit menu does.
#include <algorithm>

#include "platform/windows/WideText.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

constexpr const char* kSeparator = "-";

// Where an entry stands in its menu: a submenu is known by its handle, an
// item by its ID; -1 when it is not there.
int PositionOf(const Win32MenuEntry& entry) {
  const int count = ::GetMenuItemCount(entry.owner);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_SUBMENU;
    if (::GetMenuItemInfoW(entry.owner, static_cast<UINT>(position), TRUE, &item) == 0) continue;
    if (entry.submenu != nullptr
            ? item.hSubMenu == entry.submenu
            : item.hSubMenu == nullptr && item.wID == static_cast<UINT>(entry.id)) {
      return position;
    }
  }
  return -1;
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[256] = {};
  ::GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  return text;
}

}  // namespace

void Win32Toolkit::AddMenuTitle(const std::string& form, int id, const std::string& text) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return;
    if (f->menuBar == nullptr) {
      f->menuBar = ::CreateMenu();
      ::SetMenu(f->window, f->menuBar);
      KeepClientSize(*f);
    }
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(f->menuBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
                  WideFromUtf8(text).c_str());
    f->menu.push_back(Win32MenuEntry{id, f->menuBar, menu});
    ::DrawMenuBar(f->window);
  });
}

void Win32Toolkit::AddMenuItem(const std::string& form, int menuId, int id,
                               const std::string& text) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    HMENU menu = f != nullptr ? SubmenuOf(*f, menuId) : nullptr;
    if (menu == nullptr) return;
    const auto item = static_cast<UINT_PTR>(id);
    if (text == kSeparator) {
      ::AppendMenuW(menu, MF_SEPARATOR, item, nullptr);
    } else {
      // A tab puts the key's name at the item's right edge.
      ::AppendMenuW(menu, MF_STRING, item, WideFromUtf8(text).c_str());
    }
    f->menu.push_back(Win32MenuEntry{id, menu, nullptr});
  });
}

HMENU Win32Toolkit::SubmenuOf(Win32Form& form, int id) {
  auto found = std::find_if(form.menu.begin(), form.menu.end(),
                            [id](const Win32MenuEntry& entry) { return entry.id == id; });
  if (found == form.menu.end()) return nullptr;
  if (found->submenu != nullptr) return found->submenu;
  const int position = PositionOf(*found);
  if (position < 0) return nullptr;
  HMENU submenu = ::CreatePopupMenu();
  const std::wstring text = MenuText(found->owner, position);
  ::ModifyMenuW(found->owner, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(submenu), text.c_str());
  found->submenu = submenu;
  return submenu;
}

void Win32Toolkit::RemoveMenuItem(const std::string& form, int id) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return;
    std::vector<HMENU> gone;
    for (const Win32MenuEntry& entry : f->menu) {
      if (entry.id != id) continue;
      const int position = PositionOf(entry);
      if (entry.submenu != nullptr) gone.push_back(entry.submenu);
      // Deleting destroys a submenu with the entry.
      if (position >= 0) ::DeleteMenu(entry.owner, static_cast<UINT>(position), MF_BYPOSITION);
    }
    // The entries of a submenu that went go with it, and theirs with them.
    for (std::size_t i = 0; i < gone.size(); ++i) {
      for (const Win32MenuEntry& entry : f->menu) {
        if (entry.owner == gone[i] && entry.submenu != nullptr) gone.push_back(entry.submenu);
      }
    }
    std::erase_if(f->menu, [&](const Win32MenuEntry& entry) {
      return entry.id == id || std::find(gone.begin(), gone.end(), entry.owner) != gone.end();
    });
    ::DrawMenuBar(f->window);
  });
}

void Win32Toolkit::SetMenuItem(const std::string& form, int id, const std::string& letters) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return;
    const bool checked = letters.find('X') != std::string::npos;
    const bool disabled = letters.find('D') != std::string::npos;
    for (const Win32MenuEntry& entry : f->menu) {
      if (entry.id != id) continue;
      const int position = PositionOf(entry);
      if (position < 0) continue;
      const auto at = static_cast<UINT>(position);
      ::CheckMenuItem(entry.owner, at, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
      ::EnableMenuItem(entry.owner, at, MF_BYPOSITION | (disabled ? MF_GRAYED : MF_ENABLED));
    }
    ::DrawMenuBar(f->window);
  });
}

void Win32Toolkit::DefineAccelerators(const std::string& form, const std::string& table) {
  OnGui([&] {
    if (Win32Form* f = FindForm(form)) f->accelerators = ReadAccelerators(table);
  });
}

bool Win32Toolkit::Accelerate(Win32Form& form, int virtualKey) {
  const bool control = ::GetKeyState(VK_CONTROL) < 0;
  const bool alt = ::GetKeyState(VK_MENU) < 0;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  for (const Accelerator& accelerator : form.accelerators) {
    if (accelerator.virtualKey == virtualKey && accelerator.control == control &&
        accelerator.alt == alt && accelerator.shift == shift) {
      Deliver(form, accelerator.id, kClick, 0);
      return true;
    }
  }
  return false;
}

}  // namespace quorbel::ui
