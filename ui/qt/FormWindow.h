#pragma once

#include <QCloseEvent>
#include <QMainWindow>
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

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QWidget* client_;
  std::function<bool()> closing_;
  std::function<void(bool)> activation_;
};

}  // namespace quorbel::ui
