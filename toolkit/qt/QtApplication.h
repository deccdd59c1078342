#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <functional>

namespace quorbel::ui {

// The Qt application of the program. It gives the toolkit the first look at
// every key event, before the widget that has the focus or any of its
// parents: key events reach the program's event callback once, ahead of the
// widget, and a cancelled key never reaches the widget, nor does the
// context menu the window system asks for after a Menu key. It also uses one
// widget style on every desktop, so that the program's colours show.
class QtApplication : public QApplication {
 public:
  // Returns true when the key event is used up.
  using KeyRouter = std::function<bool(QObject* receiver, QKeyEvent* event)>;

  QtApplication(int& argc, char** argv);

  void SetKeyRouter(KeyRouter router) { router_ = std::move(router); }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  // notify() itself, with the key router's first look.
  bool Deliver(QObject* receiver, QEvent* event);

  KeyRouter router_;
  // The last key pressed was the Menu key, and the router used it up.
  bool menuKeyTaken_ = false;
};

}  // namespace quorbel::ui
