#include <QTest>
#include <cmath>

#include "WindowFixture.h"
#include "tools/surfacewindow/DisplayPainter.h"
#include "tools/surfacewindow/SurfaceGeometry.h"

namespace quorbel::surfacewindow {
namespace {

using SurfaceDrawingTest = WindowFixture;

// The pixels of a display cell that it shares with no neighbour.
QRect CellRect(int position) {
  const QRectF cell =
      DisplayCellRect(DisplayGlass(), position).translated(-QPointF(SurfaceArea().topLeft()));
  return QRect(
      QPoint(static_cast<int>(std::ceil(cell.left())), static_cast<int>(cell.top())),
      QPoint(static_cast<int>(std::floor(cell.right())) - 1, static_cast<int>(cell.bottom()) - 1));
}

TEST_F(SurfaceDrawingTest, LampMessagesLightAndDarkenTheirKeysOnly) {
  const QImage dark = Grab();
  Receive({0xBF, 0x12, 0x02, 0xBF, 0x12, 0x14, 0xBF, 0x12, 0x3B});  // F3, Shift, Play
  const QImage lit = Grab();
  for (const int id : {1002, 1020, 1059}) EXPECT_TRUE(DiffersIn(dark, lit, RectOf(id))) << id;
  for (const int id : {1001, 1003, 1058}) EXPECT_FALSE(DiffersIn(dark, lit, RectOf(id))) << id;

  Receive({0xBF, 0x13, 0x02, 0xBF, 0x13, 0x14, 0xBF, 0x13, 0x3B});
  EXPECT_EQ(Grab(), dark);
  // W1 and the keypad have no lamp: a lamp message for them shows nothing.
  Receive({0xBF, 0x12, 0x08, 0xBF, 0x12, 0x28});
  EXPECT_EQ(Grab(), dark);
}

TEST_F(SurfaceDrawingTest, AKeyHeldWithTheMouseLooksPressedUntilLetGo) {
  const QImage released = Grab();
  QTest::mousePress(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1045));
  EXPECT_TRUE(DiffersIn(released, Grab(), RectOf(1045)));
  QTest::mouseRelease(&window_, Qt::LeftButton, Qt::NoModifier, CentreOf(1045));
  EXPECT_EQ(Grab(), released);
}

TEST_F(SurfaceDrawingTest, DisplayTextAppearsInTheCellsItWasWrittenTo) {
  const QImage blank = Grab();
  WriteText(2, "Ab");
  WriteText(72, "Q");  // the second line, column 16
  const QImage written = Grab();
  for (const int cell : {2, 3, 72}) EXPECT_TRUE(DiffersIn(blank, written, CellRect(cell))) << cell;
  for (const int cell : {0, 1, 4, 16, 56, 71, 73}) {
    EXPECT_FALSE(DiffersIn(blank, written, CellRect(cell))) << cell;
  }
  // A blank written over a character clears its cell again.
  WriteText(2, "  ");
  WriteText(72, " ");
  EXPECT_EQ(Grab(), blank);
}

TEST_F(SurfaceDrawingTest, TheDisplayLiesOnTheGlassOfTheArtwork) {
  // Clearing the display's cells repaints the glass: everything written
  // stays inside the display module, clear of its page keys.
  const QImage blank = Grab();
  std::string full(kDisplayColumns * kDisplayLines, 'W');
  WriteText(0, full);
  const QImage written = Grab();
  const QRect module = RectOf(330);
  for (int y = 0; y < written.height(); ++y) {
    for (int x = 0; x < written.width(); ++x) {
      if (written.pixel(x, y) != blank.pixel(x, y)) {
        ASSERT_TRUE(module.contains(x, y)) << x << "," << y;
      }
    }
  }
  for (int page = 1032; page <= 1039; ++page) EXPECT_FALSE(DiffersIn(blank, written, RectOf(page)));
}

}  // namespace
}  // namespace quorbel::surfacewindow
