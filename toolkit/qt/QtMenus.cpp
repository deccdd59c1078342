// Menus and accelerators of the Qt toolkit. A menu entry becomes a submenu
// as soon as items are added under its ID, as the Preferences item of the
// Edit menu does.
#include <QMenuBar>
#include <algorithm>

#include "toolkit/qt/CharGrid.h"
#include "toolkit/qt/QtToolkit.h"

namespace quorbel::ui {

namespace {

constexpr const char* kSeparator = "-";

}  // namespace

void QtToolkit::AddMenuTitle(const std::string& form, int id, const std::string& text) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    QMenu* menu = f->window->menuBar()->addMenu(ToQt(text));
    f->menu.push_back(QtMenuEntry{id, menu->menuAction(), menu, nullptr});
  });
}

void QtToolkit::AddMenuItem(const std::string& form, int menuId, int id, const std::string& text) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    QMenu* menu = f != nullptr ? SubmenuOf(*f, menuId) : nullptr;
    if (menu == nullptr) return;
    if (text == kSeparator) {
      f->menu.push_back(QtMenuEntry{id, menu->addSeparator(), nullptr, menu});
      return;
    }
    QAction* action = menu->addAction(ToQt(text));
    const QWidget* window = f->window;
    QObject::connect(action, &QAction::triggered, action,
                     [this, window, id] { DeliverFrom(window, id, kClick, 0); });
    f->menu.push_back(QtMenuEntry{id, action, nullptr, menu});
  });
}

QtMenuEntry* QtToolkit::MenuEntry(QtForm& form, int id) {
  std::erase_if(form.menu, [](const QtMenuEntry& entry) { return entry.action.isNull(); });
  auto found = std::find_if(form.menu.begin(), form.menu.end(),
                            [id](const QtMenuEntry& entry) { return entry.id == id; });
  return found != form.menu.end() ? &*found : nullptr;
}

QMenu* QtToolkit::SubmenuOf(QtForm& form, int id) {
  QtMenuEntry* entry = MenuEntry(form, id);
  if (entry == nullptr) return nullptr;
  if (entry->submenu.isNull() && !entry->owner.isNull()) {
    QAction* item = entry->action;
    auto* submenu = new QMenu(item->text(), entry->owner);
    entry->owner->insertMenu(item, submenu);
    entry->owner->removeAction(item);
    item->deleteLater();
    entry->action = submenu->menuAction();
    entry->submenu = submenu;
  }
  return entry->submenu;
}

void QtToolkit::RemoveMenuItem(const std::string& form, int id) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    for (QtMenuEntry& entry : f->menu) {
      if (entry.id != id || entry.action.isNull()) continue;
      if (!entry.owner.isNull()) entry.owner->removeAction(entry.action);
      // The entry may be the one whose command is running: delete it later.
      if (!entry.submenu.isNull()) entry.submenu->deleteLater();
      entry.action->deleteLater();
      entry.action = nullptr;
    }
    std::erase_if(f->menu, [](const QtMenuEntry& entry) { return entry.action.isNull(); });
  });
}

void QtToolkit::SetMenuItem(const std::string& form, int id, const std::string& letters) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    const bool checked = letters.find('X') != std::string::npos;
    const bool disabled = letters.find('D') != std::string::npos;
    for (QtMenuEntry& entry : f->menu) {
      if (entry.id != id || entry.action.isNull()) continue;
      entry.action->setCheckable(checked);
      entry.action->setChecked(checked);
      entry.action->setEnabled(!disabled);
    }
  });
}

std::vector<QAction*> QtToolkit::MenuActions(const std::string& form, int id) const {
  std::vector<QAction*> actions;
  if (const QtForm* f = FindForm(form)) {
    for (const QtMenuEntry& entry : f->menu) {
      if (entry.id == id && !entry.action.isNull()) actions.push_back(entry.action);
    }
  }
  return actions;
}

void QtToolkit::DefineAccelerators(const std::string& form, const std::string& table) {
  OnGui([&] {
    if (QtForm* f = FindForm(form)) f->accelerators = ReadAccelerators(table);
  });
}

bool QtToolkit::Accelerate(QtForm& form, int virtualKey, Qt::KeyboardModifiers modifiers) {
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
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
