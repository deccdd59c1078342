#include "toolkit/qt/QtApplication.h"

#include <QContextMenuEvent>
#include <QStyle>
#include <QStyleFactory>

#include "common/Failure.h"

namespace quorbel::ui {

QtApplication::QtApplication(int& argc, char** argv) : QApplication(argc, argv) {
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) setStyle(style);
  // The program ends its run when its last form is unloaded, not when a
  // window happens to close.
  setQuitOnLastWindowClosed(false);
}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  // Qt cannot carry an exception through its own frames: a failure loses the
  // one event it happened in, never the program.
  RunGuarded("a window event", [&] { handled = Deliver(receiver, event); });
  return handled;
}

bool QtApplication::Deliver(QObject* receiver, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ContextMenu && menuKeyTaken_ &&
      static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    // The window system follows a Menu key with a context-menu request even
    // when the key went to the program; the key was not the widget's.
    menuKeyTaken_ = false;
    return true;
  }
  if (router_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool taken = router_(receiver, key);
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
      menuKeyTaken_ = taken && key->key() == Qt::Key_Menu;
    }
    if (taken) return true;
  }
  return QApplication::notify(receiver, event);
}

}  // namespace quorbel::ui
