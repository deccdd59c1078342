#pragma once

#include <QCloseEvent>
#include <QMainWindow>
#include <QRect>
#include <functional>

namespace quorbel::ui {

// The window of one form: a menu bar when the form has menus, and a client
// area of the form's size in which the controls sit. It reports its close box
// and its activation to the toolkit.
class FormWindow : public QMainWindow {
 public:
  // `closing` returns false to keep the window open.
  FormWindow(QWidget* parent, std::function<bool()> closing,
             std::function<void(bool active)> activation);

  QWidget* Client() const { return client_; }

  // Where a frame of this geometry goes so that it lies in `area`, the part
  // of the screen that panels leave free: moved as little as it takes, and
  // when it is larger than the area, its title bar at the area's top left.
  static QPoint OnScreen(QRect frame, QRect area);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* client_ = nullptr;
  std::function<bool()> closing_;
  std::function<void(bool)> activation_;
  // Shown, but the window manager's frame not yet checked.
  bool frameUnchecked_ = false;
};

}  // namespace quorbel::ui
