#include <QTest>
#include <QWheelEvent>

#include "WindowFixture.h"
#include "tools/surfacewindow/SurfaceGeometry.h"

namespace quorbel::surfacewindow {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Repeated(Bytes message, int times) {
  Bytes bytes;
  for (int time = 0; time < times; ++time)
    bytes.insert(bytes.end(), message.begin(), message.end());
  return bytes;
}

class SurfaceInputTest : public WindowFixture {
 protected:
  void Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(at, window_.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&window_, &event);
  }
  // A point on the wheel `fraction` of its radius right of its centre and `up` above.
  static QPoint OnWheel(double right, double up = 0) {
    const QRectF wheel = RectOf(kLeftWheelHalf).united(RectOf(kRightWheelHalf));
    const double radius = wheel.height() / 2.0;
    return (wheel.center() + QPointF(right * radius, -up * radius)).toPoint();
  }
  void Drag(QPoint from, const std::vector<QPoint>& through) {
    QTest::mousePress(&window_, Qt::LeftButton, Qt::NoModifier, from);
    for (QPoint at : through) QTest::mouseMove(&window_, at);
    QTest::mouseRelease(&window_, Qt::LeftButton, Qt::NoModifier, through.back());
  }
};

TEST_F(SurfaceInputTest, AClickOnAKeySendsItsPressThenItsRelease) {
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1059));
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x12, 0x3B, 0xBF, 0x13, 0x3B}));
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1000));
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1040));
  EXPECT_EQ(TakeSent(),
            (Bytes{0xBF, 0x12, 0x00, 0xBF, 0x13, 0x00, 0xBF, 0x12, 0x28, 0xBF, 0x13, 0x28}));
  // Let go over another key: the key pressed is the key released.
  QTest::mousePress(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1020));
  QTest::mouseRelease(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1021));
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x12, 0x14, 0xBF, 0x13, 0x14}));
  // The chassis, the display and the right button send nothing.
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, QPoint(window_.width() - 4, 200));
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(330));
  QTest::mouseClick(&window_, Qt::RightButton, Qt::NoModifier, CentreOf(1059));
  EXPECT_TRUE(TakeSent().empty());
}

// A mouse step of the editor that clicks where the pointer rests must not
// press the key under it again, and the window never takes the focus from
// the program the surface plays into.
TEST_F(SurfaceInputTest, SynthesisedClicksAndWheelsMoveNothingAndTheWindowTakesNoFocus) {
  EXPECT_TRUE(window_.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_EQ(window_.focusPolicy(), Qt::NoFocus);
  bool synthesised = true;
  window_.IgnoreInputWhen([&synthesised] { return synthesised; });
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1000));
  Wheel(OnWheel(0.3), 120);
  Wheel(OnWheel(0.3), 120, Qt::ShiftModifier);
  EXPECT_TRUE(TakeSent().empty());
  synthesised = false;
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1000));
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x12, 0x00, 0xBF, 0x13, 0x00}));
}

TEST_F(SurfaceInputTest, TheWheelOverTheJogWheelStepsItsTwoHalves) {
  Wheel(OnWheel(0.3), 120);
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x65, 0x00}));  // away from the user: control 127
  Wheel(OnWheel(-0.3), -240);
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x65, 0x40, 0xBF, 0x65, 0x40}));  // towards: control 126
  // Fine deltas make a step once they add up to a notch.
  Wheel(OnWheel(0), 60);
  EXPECT_TRUE(TakeSent().empty());
  Wheel(OnWheel(0), 60);
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x65, 0x00}));
  // Outside the wheel the wheel does nothing.
  Wheel(CentreOf(1059), 120);
  Wheel(OnWheel(1.1), 120);
  EXPECT_TRUE(TakeSent().empty());
}

TEST_F(SurfaceInputTest, DraggingRoundTheJogWheelStepsItClockwiseOrBack) {
  // A quarter turn clockwise from the top, at 15 degrees a step.
  Drag(OnWheel(0, 0.5), {OnWheel(0.35, 0.35), OnWheel(0.5, 0)});
  EXPECT_EQ(TakeSent(), Repeated({0xBF, 0x65, 0x00}, 6));
  // Back again, over the top and on round: no jump where the angle wraps.
  Drag(OnWheel(0.5, 0), {OnWheel(0.35, 0.35), OnWheel(0, 0.5), OnWheel(-0.5, 0)});
  EXPECT_EQ(TakeSent(), Repeated({0xBF, 0x65, 0x40}, 12));
  Drag(OnWheel(0.5, 0.01), {OnWheel(0.5, -0.3)});
  EXPECT_EQ(TakeSent(), Repeated({0xBF, 0x65, 0x00}, 2));
}

TEST_F(SurfaceInputTest, DraggingTheShuttleRingHoldsItOffCentreUntilLetGo) {
  const QPoint grab = OnWheel(-0.85);
  QTest::mousePress(&window_, Qt::LeftButton, Qt::NoModifier, grab);
  EXPECT_TRUE(TakeSent().empty());  // taking hold does not turn it
  QTest::mouseMove(&window_, grab + QPoint(12, 0));
  QTest::mouseMove(&window_, grab + QPoint(11, 3));  // still position 2: nothing new
  QTest::mouseMove(&window_, grab + QPoint(30, 0));
  QTest::mouseMove(&window_, grab + QPoint(-200, 0));  // no further than -12
  QTest::mouseRelease(&window_, Qt::LeftButton, Qt::NoModifier, grab + QPoint(-200, 0));
  EXPECT_EQ(TakeSent(),
            (Bytes{0xBF, 0x66, 0x02, 0xBF, 0x66, 0x06, 0xBF, 0x66, 0x74, 0xBF, 0x66, 0x00}));
}

TEST_F(SurfaceInputTest, AShuttleLampHoldsTheRingOneStepItsWay) {
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(kReverseLamp));
  QTest::mouseClick(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(kForwardLamp));
  EXPECT_EQ(TakeSent(),
            (Bytes{0xBF, 0x66, 0x7F, 0xBF, 0x66, 0x00, 0xBF, 0x66, 0x01, 0xBF, 0x66, 0x00}));
}

TEST_F(SurfaceInputTest, TheWheelWithShiftTurnsTheShuttleWhichReturnsWhenShiftIsLetGo) {
  Wheel(OnWheel(0.2), 120, Qt::ShiftModifier);
  Wheel(OnWheel(0.2), 120, Qt::ShiftModifier);
  Wheel(OnWheel(0.2), -360, Qt::ShiftModifier);
  Wheel(OnWheel(0.2), 120 * 40, Qt::ShiftModifier);
  EXPECT_EQ(TakeSent(),
            (Bytes{0xBF, 0x66, 0x01, 0xBF, 0x66, 0x02, 0xBF, 0x66, 0x7F, 0xBF, 0x66, 0x0C}));
  // The window has no focus to hear Shift go up: it looks for itself.
  EXPECT_TRUE(QTest::qWaitFor([this] { return !TakeSent().empty(); }, 5000));
  EXPECT_EQ(controls_.ShuttlePosition(), 0);
  // A wheel without Shift lets an off-centre ring go before it jogs.
  Wheel(OnWheel(0.2), -120, Qt::ShiftModifier);
  Wheel(OnWheel(0.2), 120);
  EXPECT_EQ(TakeSent(), (Bytes{0xBF, 0x66, 0x7F, 0xBF, 0x66, 0x00, 0xBF, 0x65, 0x00}));
}

}  // namespace
}  // namespace quorbel::surfacewindow
