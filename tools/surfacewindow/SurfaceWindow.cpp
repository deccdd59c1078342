#include "tools/surfacewindow/SurfaceWindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <ranges>

#include "tools/surfacewindow/DisplayPainter.h"
#include "tools/surfacewindow/SurfaceGeometry.h"
#include "ui/art/ArtKit.h"
#include "ui/art/PanelArt.h"

namespace quorbel::surfacewindow {

namespace {

int ControlOf(int pictureId) { return pictureId - kFirstControlPicture; }

bool IsKey(int pictureId) {
  return pictureId >= kFirstControlPicture && pictureId <= kLastKeyPicture;
}

}  // namespace

SurfaceWindow::SurfaceWindow(const surfacetool::SurfaceState& state,
                             const surfacetool::SentControls& controls, CommandSink send,
                             QWidget* parent)
    : QWidget(parent),
      state_(state),
      controls_(controls),
      send_(std::move(send)),
      jogStepsSeen_(controls.JogSteps()) {
  setFixedSize(SurfaceArea().size());
  setFocusPolicy(Qt::NoFocus);
  setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  shiftWatch_.setInterval(kShiftWatchMs);
  connect(&shiftWatch_, &QTimer::timeout, this, [this] {
    if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier)) LetShuttleGo();
  });
  jogLit_.setSingleShot(true);
  jogLit_.setInterval(kJogLitMs);
  connect(&jogLit_, &QTimer::timeout, this, [this] {
    litWheelHalf_ = 0;
    update();
  });
}

void SurfaceWindow::StateChanged() {
  // The jog wheel shows itself turned for a moment after each step.
  if (controls_.JogSteps() != jogStepsSeen_) {
    jogStepsSeen_ = controls_.JogSteps();
    litWheelHalf_ = controls_.LastJogLeft() ? kLeftWheelHalf : kRightWheelHalf;
    jogLit_.start();
  }
  update();
}

void SurfaceWindow::IgnoreInputWhen(std::function<bool()> synthesised) {
  synthesised_ = std::move(synthesised);
}

QPointF SurfaceWindow::OnPanel(QPointF point) { return point + SurfaceArea().topLeft(); }

const QImage& SurfaceWindow::Image(const std::string& name) {
  // Drawn once for each scale, since the artwork is drawn from vectors.
  if (devicePixelRatioF() != imageScale_) {
    images_.clear();
    imageScale_ = devicePixelRatioF();
  }
  auto found = images_.find(name);
  if (found == images_.end()) {
    found = images_.emplace(name, art::DrawPanelImage(name, imageScale_)).first;
  }
  return found->second;
}

std::string SurfaceWindow::ImageShown(int id, std::string_view image) const {
  bool pressed = false;
  if (IsKey(id)) {
    const int control = ControlOf(id);
    pressed = controls_.Held(control) || (HasLamp(control) && state_.LampOn(control));
  } else if (id == kReverseLamp) {
    pressed = controls_.ShuttlePosition() < 0;
  } else if (id == kForwardLamp) {
    pressed = controls_.ShuttlePosition() > 0;
  } else if (id == kLeftWheelHalf || id == kRightWheelHalf) {
    pressed = litWheelHalf_ == id;
  }
  return pressed ? PressedImage(image) : std::string(image);
}

bool SurfaceWindow::Shown(int id, bool hiddenAtStart) const {
  if (id == kJogOverlay) return litWheelHalf_ != 0;
  if (id == kShuttleOverlay) return controls_.ShuttlePosition() != 0;
  return !hiddenAtStart;
}

void SurfaceWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), art::Palette::Chassis());
  painter.translate(-SurfaceArea().topLeft());
  // Pictures placed earlier lie on top, so they are drawn last.
  for (const panel_layout::PanelPlace& place : panel_layout::kPanelPlaces | std::views::reverse) {
    if (!Shown(place.id, place.hiddenAtStart) || !PictureRect(place).intersects(SurfaceArea())) {
      continue;
    }
    painter.drawImage(PictureRect(place).topLeft(), Image(ImageShown(place.id, place.image)));
  }
  PaintDisplay(painter, DisplayGlass(), state_);
}

void SurfaceWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || (synthesised_ && synthesised_())) return;
  const QPointF at = OnPanel(event->position());
  const int picture = PictureAt(at);
  if (IsKey(picture)) {
    heldKey_ = ControlOf(picture);
    send_(surfacetool::command::Press{heldKey_});
  } else if (picture == kReverseLamp || picture == kForwardLamp) {
    ringGrabbedAtX_ = static_cast<int>(at.x());
    SendShuttle(ring_.Grab(picture == kReverseLamp ? -1 : 1));
  } else if (WheelPartAt(at) == WheelPart::Ring) {
    ringGrabbedAtX_ = static_cast<int>(at.x());
    SendShuttle(ring_.Grab(0));
  } else if (WheelPartAt(at) == WheelPart::Jog) {
    dial_.Grab(AngleOnWheel(at));
  }
}

void SurfaceWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = OnPanel(event->position());
  if (ring_.Held()) SendShuttle(ring_.Drag(static_cast<int>(at.x()) - ringGrabbedAtX_));
  if (dial_.Held()) SendJog(dial_.Drag(AngleOnWheel(at)));
}

void SurfaceWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (heldKey_ >= 0) {
    send_(surfacetool::command::Release{heldKey_});
    heldKey_ = -1;
  }
  if (ring_.Held()) SendShuttle(ring_.Release());
  dial_.Release();
}

void SurfaceWindow::wheelEvent(QWheelEvent* event) {
  if (WheelPartAt(OnPanel(event->position())) == WheelPart::None) {
    event->ignore();
    return;
  }
  event->accept();
  if (synthesised_ && synthesised_()) return;
  // Some platforms turn a wheel with Shift held into a sideways one.
  const QPoint delta = event->angleDelta();
  const int notches = notches_.Take(delta.y() != 0 ? delta.y() : delta.x());
  if (event->modifiers() & Qt::ShiftModifier) {
    SendShuttle(ring_.Turn(notches));
    shiftWatch_.start();
  } else {
    LetShuttleGo();
    SendJog(notches);
  }
}

void SurfaceWindow::LetShuttleGo() {
  shiftWatch_.stop();
  if (!ring_.Held()) SendShuttle(ring_.Release());
}

void SurfaceWindow::SendShuttle(std::optional<int> position) {
  if (position) send_(surfacetool::command::Shuttle{*position});
}

void SurfaceWindow::SendJog(int steps) {
  if (steps == 0) return;
  // Turning away from the user, or clockwise, is the wheel's right half;
  // the other way its left half, which sets the direction bit.
  const bool left = steps < 0;
  send_(surfacetool::command::Jog{left, left ? -steps : steps});
}

}  // namespace quorbel::surfacewindow
