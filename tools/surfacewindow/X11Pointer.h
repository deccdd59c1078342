#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>

namespace quorbel::surfacewindow {

// Tells the pointer input that programs make through the XTest extension of
// the desktop's own pointer, as QuorbelU's mouse steps do, from the user's.
// A mouse step that clicks where the pointer rests may click the surface's
// window, and that click must not press the surface again. Where there is no
// X11 display every event counts as the user's.
class SyntheticPointer : public QAbstractNativeEventFilter {
 public:
  // Watches the events of the running application from now on.
  SyntheticPointer();
  ~SyntheticPointer() override;
  SyntheticPointer(const SyntheticPointer&) = delete;
  SyntheticPointer& operator=(const SyntheticPointer&) = delete;

  // Whether the pointer event being handled comes from that device.
  bool Synthesised() const { return synthesised_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  int inputOpcode_ = -1;
  int device_ = -1;
  bool synthesised_ = false;
};

// Takes `window`, which accepts no focus, out of the X11 focus protocol too,
// so that no window manager makes it the active window when it is clicked.
// Call this before the window is first shown.
void LeaveFocusProtocol(QWidget& window);

}  // namespace quorbel::surfacewindow
