#include "ui/qt/QtApplication.h"

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
  RunGuarded("a window event", [&] {
    const QEvent::Type type = event->type();
    if (router_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
        router_(receiver, static_cast<QKeyEvent*>(event))) {
      handled = true;
      return;
    }
    handled = QApplication::notify(receiver, event);
  });
  return handled;
}

}  // namespace quorbel::ui
