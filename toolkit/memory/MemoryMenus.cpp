// Menus and accelerators of the in-memory toolkit. Menu entries keep the order
// in which they were added; an ID may appear more than once (separators), and
// changes by ID apply to every entry that carries it.
#include <algorithm>
#include <iterator>

#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel::ui {

namespace {

bool HasId(const MemoryForm& form, int id) {
  return std::any_of(form.menus.begin(), form.menus.end(),
                     [id](const MemoryMenuItem& item) { return item.id == id; });
}

}  // namespace

void MemoryToolkit::AddMenuTitle(const std::string& form, int id, const std::string& text) {
  std::lock_guard lock(mutex_);
  if (MemoryForm* f = FindForm("AddMenuTitle", form)) f->menus.push_back({0, id, text, ""});
}

void MemoryToolkit::AddMenuItem(const std::string& form, int menuId, int id,
                                const std::string& text) {
  std::lock_guard lock(mutex_);
  MemoryForm* f = FindForm("AddMenuItem", form);
  if (f == nullptr) return;
  if (!HasId(*f, menuId)) {
    Fault("AddMenuItem: no menu " + std::to_string(menuId) + " on \"" + form + "\"");
    return;
  }
  f->menus.push_back({menuId, id, text, ""});
}

void MemoryToolkit::RemoveMenuItem(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  MemoryForm* f = FindForm("RemoveMenuItem", form);
  if (f == nullptr) return;
  if (std::erase_if(f->menus, [id](const MemoryMenuItem& item) { return item.id == id; }) == 0) {
    Fault("RemoveMenuItem: no menu item " + std::to_string(id) + " on \"" + form + "\"");
  }
}

void MemoryToolkit::SetMenuItem(const std::string& form, int id, const std::string& letters) {
  std::lock_guard lock(mutex_);
  MemoryForm* f = FindForm("SetMenuItem", form);
  if (f == nullptr) return;
  if (!HasId(*f, id)) {
    Fault("SetMenuItem: no menu item " + std::to_string(id) + " on \"" + form + "\"");
    return;
  }
  for (MemoryMenuItem& item : f->menus) {
    if (item.id == id) item.letters = letters;
  }
}

void MemoryToolkit::DefineAccelerators(const std::string& form, const std::string& table) {
  std::lock_guard lock(mutex_);
  if (MemoryForm* f = FindForm("DefineAccelerators", form)) f->accelerators = table;
}

std::vector<MemoryMenuItem> MemoryToolkit::MenuItems(const std::string& form, int menuId) const {
  std::lock_guard lock(mutex_);
  std::vector<MemoryMenuItem> items;
  if (const MemoryForm* f = PeekForm(form)) {
    std::copy_if(f->menus.begin(), f->menus.end(), std::back_inserter(items),
                 [menuId](const MemoryMenuItem& item) { return item.menu == menuId; });
  }
  return items;
}

std::optional<MemoryMenuItem> MemoryToolkit::MenuItem(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  if (f == nullptr) return std::nullopt;
  auto found = std::find_if(f->menus.begin(), f->menus.end(),
                            [id](const MemoryMenuItem& item) { return item.id == id; });
  return found != f->menus.end() ? std::optional(*found) : std::nullopt;
}

bool MemoryToolkit::MenuChecked(const std::string& form, int id) const {
  auto item = MenuItem(form, id);
  return item && item->IsChecked();
}

bool MemoryToolkit::MenuEnabled(const std::string& form, int id) const {
  auto item = MenuItem(form, id);
  return item && item->IsEnabled();
}

std::string MemoryToolkit::Accelerators(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? f->accelerators : std::string();
}

}  // namespace quorbel::ui
