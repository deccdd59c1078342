#include "toolkit/qt/FormWindow.h"

#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace quorbel::ui {

FormWindow::FormWindow(QWidget* parent, std::function<bool()> closing,
                       std::function<void(bool active)> activation)
    : QMainWindow(parent, Qt::Window),
      closing_(std::move(closing)),
      activation_(std::move(activation)) {
  // Made here, not among the members: a new child sends this window an event,
  // which must find every member ready.
  client_ = new QWidget(this);
  setCentralWidget(client_);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (closing_ && !closing_()) {
    event->ignore();
  } else {
    event->accept();
  }
}

QPoint FormWindow::OnScreen(QRect frame, QRect area) {
  const int right = std::max(area.left(), area.left() + area.width() - frame.width());
  const int bottom = std::max(area.top(), area.top() + area.height() - frame.height());
  return QPoint(std::clamp(frame.left(), area.left(), right),
                std::clamp(frame.top(), area.top(), bottom));
}

void FormWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  frameUnchecked_ = true;
}

bool FormWindow::event(QEvent* event) {
  if (activation_ && event->type() == QEvent::WindowActivate) activation_(true);
  if (activation_ && event->type() == QEvent::WindowDeactivate) activation_(false);
  // The form's place is that of its client area, and the window manager adds
  // its frame around it when it maps the window, so a form at the top of the
  // screen would have its title bar above it. By the first paint the frame is
  // known: the window then moves, once, so that all of it is on the screen.
  if (frameUnchecked_ && event->type() == QEvent::Paint && screen() != nullptr) {
    frameUnchecked_ = false;
    QTimer::singleShot(0, this, [this] {
      const QPoint corner = OnScreen(frameGeometry(), screen()->availableGeometry());
      if (corner != frameGeometry().topLeft()) move(corner);
    });
  }
  return QMainWindow::event(event);
}

}  // namespace quorbel::ui
