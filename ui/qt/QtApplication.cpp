#include "ui/qt/QtApplication.h"

#include <QStyle>
#include <QStyleFactory>

namespace quorbel::ui {

QtApplication::QtApplication(int& argc, char** argv) : QApplication(argc, argv) {
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) setStyle(style);
  // The program ends its run when its last form is unloaded, not when a
  // window happens to close.
  setQuitOnLastWindowClosed(false);
}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
  const QEvent::Type type = event->type();
  if (router_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
      router_(receiver, static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QApplication::notify(receiver, event);
}

}  // namespace quorbel::ui
