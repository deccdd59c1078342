#include "ui/qt/UpDownWidget.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quorbel::ui {

UpDownWidget::UpDownWidget(QWidget* parent, std::function<void(int position)> changed)
    : QWidget(parent), changed_(std::move(changed)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    connect(button, &QToolButton::clicked, this, [this, step = delta] { Step(step); });
    layout->addWidget(button);
  }
}

void UpDownWidget::SetRange(int minimum, int maximum, int position) {
  minimum_ = minimum;
  maximum_ = maximum;
  position_ = minimum <= maximum ? std::clamp(position, minimum, maximum) : position;
}

void UpDownWidget::Step(int delta) {
  const int next =
      std::clamp(position_ + delta, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
  if (next == position_) return;
  position_ = next;
  if (changed_) changed_(position_);
}

}  // namespace quorbel::ui
