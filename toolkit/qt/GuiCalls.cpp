#include "toolkit/qt/GuiCalls.h"

#include <QMetaObject>

namespace quorbel::ui {

GuiCalls::GuiCalls()
    : RequestQueue([this] {
        QMetaObject::invokeMethod(
            &context_, [this] { ServePending(); }, Qt::QueuedConnection);
      }) {}

// The object that receives the wake-ups goes before the queue's own end.
GuiCalls::~GuiCalls() { Close(); }

}  // namespace quorbel::ui
