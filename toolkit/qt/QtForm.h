#pragma once

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "toolkit/AcceleratorTable.h"
#include "toolkit/Toolkit.h"
#include "toolkit/qt/FormWindow.h"

namespace quorbel::ui {

// The widget property that holds a control's ID.
inline constexpr const char* kControlIdProperty = "quorbelId";

// One control of a form: its kind and the widget that shows it.
struct QtControl {
  ControlKind kind = ControlKind::Label;
  QWidget* widget = nullptr;  // owned by the form's client area
  std::string text;           // the text as set, for kinds that show none
  QSize pictureSize;          // the size the picture was created with, in pixels
};

// A menu entry; separators and titles are entries too. Several entries may
// carry one ID (separators do), and a change by ID applies to all of them.
struct QtMenuEntry {
  int id = 0;
  QPointer<QAction> action;
  QPointer<QMenu> submenu;  // set once items are added under the entry
  QPointer<QMenu> owner;    // the menu that holds the entry; none for titles
};

struct QtForm {
  std::string name;  // as created
  std::string parent;
  Rect place;
  FormWindow* window = nullptr;  // deleted later than the form is unloaded
  std::map<int, QtControl> controls;
  std::vector<QtMenuEntry> menu;  // in the order added
  std::vector<Accelerator> accelerators;
  std::map<int, QTimer*> timers;
  QEventLoop* modalLoop = nullptr;  // while CreateForm waits on a modal form
};

}  // namespace quorbel::ui
