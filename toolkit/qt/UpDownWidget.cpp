#include "toolkit/qt/UpDownWidget.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace quorbel::ui {

namespace {

constexpr int kNotch = 120;  // one notch of a mouse wheel
constexpr int kPageSteps = 10;

}  // namespace

UpDownWidget::UpDownWidget(QWidget* parent, std::function<void(int position)> changed)
    : QWidget(parent), changed_(std::move(changed)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setFocusPolicy(Qt::WheelFocus);
  for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    connect(button, &QToolButton::clicked, this, [this, step = delta] {
      setFocus(Qt::MouseFocusReason);
      Step(step);
    });
    layout->addWidget(button);
  }
}

void UpDownWidget::SetRange(int minimum, int maximum, int position) {
  minimum_ = minimum;
  maximum_ = maximum;
  position_ = minimum <= maximum ? std::clamp(position, minimum, maximum) : position;
}

void UpDownWidget::wheelEvent(QWheelEvent* event) {
  wheel_ += event->angleDelta().y();
  const int notches = wheel_ / kNotch;
  wheel_ -= notches * kNotch;
  if (notches != 0) Step(notches);
  event->accept();
}

void UpDownWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      Step(1);
      break;
    case Qt::Key_Down:
      Step(-1);
      break;
    case Qt::Key_PageUp:
      Step(kPageSteps);
      break;
    case Qt::Key_PageDown:
      Step(-kPageSteps);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void UpDownWidget::Step(int delta) {
  const int next =
      std::clamp(position_ + delta, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
  if (next == position_) return;
  position_ = next;
  if (changed_) changed_(position_);
}

}  // namespace quorbel::ui
