#pragma once

#include <QWidget>
#include <functional>

namespace quorbel::ui {

// A pair of arrow buttons that step a number within a range, showing no
// number itself (the program shows it in a label beside it). The up arrow
// counts up; so do the mouse wheel turned up over it (one step a notch) and,
// once it has the focus (a click on an arrow gives it), the Up key and Page
// Up (ten steps). Each step that changes the number is reported.
class UpDownWidget : public QWidget {
 public:
  UpDownWidget(QWidget* parent, std::function<void(int position)> changed);

  void SetRange(int minimum, int maximum, int position);
  int Position() const { return position_; }
  void Step(int delta);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int wheel_ = 0;  // wheel turn not yet a whole notch, in eighths of a degree
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  std::function<void(int)> changed_;
};

}  // namespace quorbel::ui
