#include "ui/qt/FormWindow.h"

namespace quorbel::ui {

FormWindow::FormWindow(QWidget* parent, std::function<bool()> closing,
                       std::function<void(bool active)> activation)
    : QMainWindow(parent, Qt::Window),
      client_(new QWidget(this)),
      closing_(std::move(closing)),
      activation_(std::move(activation)) {
  setCentralWidget(client_);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (closing_ && !closing_()) {
    event->ignore();
  } else {
    event->accept();
  }
}

bool FormWindow::event(QEvent* event) {
  if (activation_ && event->type() == QEvent::WindowActivate) activation_(true);
  if (activation_ && event->type() == QEvent::WindowDeactivate) activation_(false);
  return QMainWindow::event(event);
}

}  // namespace quorbel::ui
