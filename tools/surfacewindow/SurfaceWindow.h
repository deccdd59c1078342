#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "tools/surface/ScriptCommand.h"
#include "tools/surface/SentControls.h"
#include "tools/surface/SurfaceState.h"
#include "tools/surfacewindow/WheelGestures.h"

namespace quorbel::surfacewindow {

// The simulated surface drawn with the panel's artwork. Pressing a key with
// the mouse presses it on the surface until the button is let go; the mouse
// wheel over the jog wheel, or a drag round it, turns it; a drag on the
// shuttle ring, a press on a shuttle lamp or the wheel with Shift held moves
// the ring, which springs back to its centre when let go. The lamps and the
// display show `state`; keys held down, the shuttle lamps and a turning jog
// wheel show `controls`, whatever sent them. The owner keeps both; call
// StateChanged after either changes. Like an on-screen keyboard, the window
// never takes the keyboard focus from the program it plays into.
class SurfaceWindow : public QWidget {
 public:
  using CommandSink = std::function<void(const surfacetool::Command&)>;

  SurfaceWindow(const surfacetool::SurfaceState& state, const surfacetool::SentControls& controls,
                CommandSink send, QWidget* parent = nullptr);

  void StateChanged();
  // Pointer input for which `synthesised` holds is not the user's and moves
  // nothing on the surface.
  void IgnoreInputWhen(std::function<bool()> synthesised);

  // How long the jog wheel shows itself turned after a step.
  static constexpr int kJogLitMs = 150;
  // How often a ring turned with Shift looks whether Shift is still held;
  // the window has no focus to hear its release.
  static constexpr int kShiftWatchMs = 50;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The main window's pixel under a point of this widget.
  static QPointF OnPanel(QPointF point);
  std::string ImageShown(int id, std::string_view image) const;
  bool Shown(int id, bool hiddenAtStart) const;
  const QImage& Image(const std::string& name);

  void SendShuttle(std::optional<int> position);
  void SendJog(int steps);
  // Lets the ring spring back unless the mouse holds it.
  void LetShuttleGo();

  const surfacetool::SurfaceState& state_;
  const surfacetool::SentControls& controls_;
  CommandSink send_;
  std::function<bool()> synthesised_;
  int jogStepsSeen_ = 0;
  int heldKey_ = -1;
  ShuttleRing ring_;
  int ringGrabbedAtX_ = 0;
  JogDial dial_;
  WheelNotches notches_;
  int litWheelHalf_ = 0;
  QTimer jogLit_;
  QTimer shiftWatch_;
  std::map<std::string, QImage> images_;
  qreal imageScale_ = 0;
};

}  // namespace quorbel::surfacewindow
