#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <memory>

#include "ToolkitFixture.h"
#include "toolkit/qt/UpDownWidget.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;

TEST_F(ToolkitTest, ControlsSitOnTheGridAndEarlierOnesLieAbove) {
  Add(ControlKind::Label, 400, Rect{1, 0.5, 12, 1}, "Current Keyset:", "LI");
  Add(ControlKind::Label, 520, Rect{60.5, 0.325, 12, 1});
  Add(ControlKind::Label, 100, Rect{0, 0, 128, 33});
  EXPECT_EQ(Control(400)->geometry(), QRect(8, 8, 96, 16));
  // Both edges are rounded: 5.2 and 21.2 pixels.
  EXPECT_EQ(Control(520)->geometry(), QRect(484, 5, 96, 16));
  EXPECT_EQ(Client()->childAt(10, 10), Control(400));
  EXPECT_EQ(Client()->childAt(200, 200), Control(100));
}

TEST_F(ToolkitTest, AnOverlayLiesAboveWhatItCoversOnceShown) {
  Add(ControlKind::Picture, 290, Rect{17.325, 28.5, 4, 2}, "$JogShuttle");
  Add(ControlKind::Picture, 295, Rect{17.325, 28.5, 4, 2}, "$JogDn", "H");
  // The overlay covers part of the strip; look where it lies.
  const QPoint inside = Control(295)->geometry().center();
  ASSERT_TRUE(Control(290)->geometry().contains(inside));
  EXPECT_EQ(Client()->childAt(inside), Control(290));
  kit.Show("main", 295, 296);
  EXPECT_EQ(Client()->childAt(inside), Control(295));
  kit.Show("main", 290, 290);  // showing already: stays below
  EXPECT_EQ(Client()->childAt(inside), Control(295));
}

TEST_F(ToolkitTest, TextsChecksAndRangesOfControls) {
  Add(ControlKind::Label, 435, Rect{81, 3.325, 15, 1.125}, "", "CS");
  Add(ControlKind::Text, 620, Rect{77.5, 11.25, 16.5, 1.25}, "", "ES");
  Add(ControlKind::Button, 480, Rect{105, 21.5, 12, 1.25}, "Add/&Insert");
  Add(ControlKind::CheckBox, 630, Rect{70, 13, 4.5, 1}, "alt");
  Add(ControlKind::CheckBox, 635, Rect{77, 13, 4.5, 1}, "ctrl");
  Add(ControlKind::Radio, 675, Rect{77.5, 10.5, 10.5, 1.25}, "Native MIDI", "GH");

  kit.SetText("main", 435, "Play");
  kit.SetText("main", 620, "ctrl+C");
  EXPECT_EQ(kit.Text("main", 435), "Play");
  EXPECT_EQ(static_cast<QLabel*>(Control(435))->alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  EXPECT_EQ(kit.Text("main", 620), "ctrl+C");
  kit.SetCaret("main", 620, 1);
  EXPECT_EQ(static_cast<QLineEdit*>(Control(620))->cursorPosition(), 1);
  EXPECT_EQ(kit.Text("main", 480), "Add/&Insert");

  kit.SetCheck("main", 635, true);
  kit.SetCheck("main", 675, true);
  EXPECT_TRUE(kit.Checked("main", 635));
  EXPECT_FALSE(kit.Checked("main", 630));
  kit.SetCheck("main", 675, false);  // a radio button can be unchecked too
  EXPECT_FALSE(kit.Checked("main", 675));

  EXPECT_TRUE(Control(675)->isHidden());
  kit.Hide("main", 600, 650);
  EXPECT_TRUE(Control(620)->isHidden());
  EXPECT_TRUE(Control(635)->isHidden());
  EXPECT_FALSE(Control(480)->isHidden());
  kit.Show("main", 620, 630);
  EXPECT_FALSE(Control(620)->isHidden());
  EXPECT_FALSE(Control(630)->isHidden());
  EXPECT_TRUE(Control(635)->isHidden());
  kit.Disable("main", 480, 480);
  EXPECT_FALSE(Control(480)->isEnabled());
  kit.Enable("main", 0, 1000);
  EXPECT_TRUE(Control(480)->isEnabled());
  // What the program sets sends no event.
  EXPECT_TRUE(Sent(kClick).empty());
  EXPECT_TRUE(Sent(kChanged).empty());
}

TEST_F(ToolkitTest, UsersClicksAndChangesReachTheCallback) {
  Add(ControlKind::Button, 480, Rect{105, 21.5, 12, 1.25}, "Add/&Insert");
  Add(ControlKind::CheckBox, 655, Rect{70, 17, 40.5, 1.5}, "Capture");
  Add(ControlKind::Label, 516, Rect{63, 0.5, 1, 1}, "1", "LI");
  Add(ControlKind::Text, 610, Rect{76, 8.75, 35, 1.25}, "", "ES");
  QTest::mouseClick(Control(480), Qt::LeftButton);
  QTest::mouseClick(Control(655), Qt::LeftButton, {}, QPoint(6, Control(655)->height() / 2));
  QTest::mouseClick(Control(516), Qt::LeftButton);
  ASSERT_EQ(Sent(kClick).size(), 3u);
  EXPECT_EQ(Sent(kClick)[0].id, 480);
  EXPECT_EQ(Sent(kClick)[1].id, 655);
  EXPECT_TRUE(kit.Checked("main", 655));  // checked before the event
  EXPECT_EQ(Sent(kClick)[2].id, 516);

  QTest::keyClicks(Control(610), "ab");
  EXPECT_EQ(Sent(kChanged).size(), 2u);
  kit.SetText("main", 610, "set by the program");
  EXPECT_EQ(Sent(kChanged).size(), 2u);

  kit.Disable("main", 480, 480);
  QTest::mouseClick(Control(480), Qt::LeftButton);
  EXPECT_EQ(Sent(kClick).size(), 3u);
}

TEST_F(ToolkitTest, SliderAndUpDownKeepTheirRangeAndReportMoves) {
  Add(ControlKind::VTrackBar, 465, Rect{115, 7, 5, 12}, "", "R");
  Add(ControlKind::UpDown, 490, Rect{115, 25.25, 1, 1.5});
  kit.SetRange("main", 465, 0, 10, 5);
  kit.SetRange("main", 490, 0, 100, 0);
  EXPECT_EQ(kit.Position("main", 465), 5);
  EXPECT_EQ(kit.Position("main", 490), 0);
  EXPECT_TRUE(events.empty());

  static_cast<QSlider*>(Control(465))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  auto* upDown = dynamic_cast<UpDownWidget*>(Control(490));
  ASSERT_NE(upDown, nullptr);
  upDown->Step(1);
  upDown->Step(-1);
  upDown->Step(-1);  // already at the bottom: nothing changes, nothing is sent
  ASSERT_EQ(Sent(kChanged).size(), 3u);
  EXPECT_EQ(Sent(kChanged)[0].id, 465);
  EXPECT_EQ(Sent(kChanged)[0].value, 6);
  EXPECT_EQ(Sent(kChanged)[1].value, 1);
  EXPECT_EQ(Sent(kChanged)[2].value, 0);
  EXPECT_EQ(kit.Position("main", 465), 6);

  kit.SetRange("main", 465, 0, 10, 50);
  EXPECT_EQ(kit.Position("main", 465), 10);

  // The wheel, one step a notch, and Page Up/Down, ten steps, within the range.
  const QPointF at(2, 2);
  QWheelEvent up(at, upDown->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(upDown, &up);
  EXPECT_EQ(kit.Position("main", 490), 2);
  QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
  QApplication::sendEvent(upDown, &pageUp);
  EXPECT_EQ(kit.Position("main", 490), 12);
  QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
  QApplication::sendEvent(upDown, &pageDown);
  QApplication::sendEvent(upDown, &pageDown);
  EXPECT_EQ(kit.Position("main", 490), 0);
  EXPECT_EQ(Sent(kChanged).back().value, 0);
}

TEST_F(ToolkitTest, ListBoxesAndDropDownListsHoldItems) {
  Add(ControlKind::ListBox, 475, Rect{68, 21.5, 35.5, 7}, "", "SV");
  Add(ControlKind::ComboBox, 650, Rect{78.5, 15.25, 32.5, 5.25},
      "None|Left Mouse Click|Right Mouse Click", "JV");
  EXPECT_LT(Control(650)->height(), 5 * 16);  // the drop-down part is not counted
  EXPECT_EQ(kit.LastItem("main", 650), 2);
  kit.SelectItem("main", 650, 0);
  EXPECT_EQ(kit.Text("main", 650), "None");

  kit.AddItems("main", 475, "F1: ctrl+C|  Delay 5|F1: X|");
  EXPECT_EQ(kit.LastItem("main", 475), 2);
  kit.AddItem("main", 475, "ctrl+|");  // one item, as it stands
  EXPECT_EQ(kit.LastItem("main", 475), 3);
  EXPECT_EQ(kit.ItemText("main", 475, 3), "ctrl+|");
  kit.AddItem("main", 650, "a|b");
  EXPECT_EQ(kit.ItemText("main", 650, 3), "a|b");
  EXPECT_EQ(kit.ItemText("main", 475, 1), "  Delay 5");
  EXPECT_EQ(kit.ItemText("main", 475, 4), "");
  EXPECT_EQ(kit.FindItem("main", 475, "f1: x"), 2);
  EXPECT_EQ(kit.FindItem("main", 475, "F1"), -1);  // whole items only
  EXPECT_EQ(kit.NextSelected("main", 475, -1), -1);
  kit.SelectItem("main", 475, 1);
  EXPECT_EQ(kit.NextSelected("main", 475, -1), 1);
  EXPECT_EQ(kit.NextSelected("main", 475, 1), -1);
  EXPECT_EQ(kit.Text("main", 475), "  Delay 5");
  kit.SelectItem("main", 475, 7);
  EXPECT_EQ(kit.NextSelected("main", 475, -1), -1);
  EXPECT_TRUE(Sent(kChanged).empty());

  static_cast<QListWidget*>(Control(475))->setCurrentRow(2);  // as a user's click does
  QTest::keyClick(Control(650), Qt::Key_Down);
  ASSERT_EQ(Sent(kChanged).size(), 2u);
  EXPECT_EQ(Sent(kChanged)[0].id, 475);
  EXPECT_EQ(Sent(kChanged)[0].value, 2);
  EXPECT_EQ(Sent(kChanged)[1].id, 650);
  EXPECT_EQ(Sent(kChanged)[1].value, 1);

  kit.ClearItems("main", 475);
  EXPECT_EQ(kit.LastItem("main", 475), -1);
  EXPECT_EQ(kit.NextSelected("main", 475, -1), -1);
}

TEST_F(ToolkitTest, AListViewHasTitledColumnsAndCellsByRow) {
  Add(ControlKind::ListView, 110, Rect{20, 2, 81, 14}, "Handle{6}|Name{20}|Title{25}", "-SV#H");
  auto* view = static_cast<QTreeWidget*>(Control(110));
  EXPECT_TRUE(view->isHidden());
  ASSERT_EQ(view->columnCount(), 3);
  EXPECT_EQ(view->headerItem()->text(1), "Name");
  EXPECT_EQ(view->columnWidth(0), 48);
  EXPECT_EQ(view->columnWidth(2), 200);

  kit.AddListViewItem("main", 110, 0, 0, "0x2");
  kit.AddListViewItem("main", 110, 0, 1, "xterm");
  kit.AddListViewItem("main", 110, 0, 0, "0x1");   // inserted above
  kit.AddListViewItem("main", 110, 9, 0, "0x3");   // past the end: appended
  kit.AddListViewItem("main", 110, 9, 1, "lost");  // no such row
  EXPECT_EQ(kit.LastItem("main", 110), 2);
  EXPECT_EQ(kit.ItemText("main", 110, 0), "0x1");
  EXPECT_EQ(kit.ItemText("main", 110, 1), "0x2");
  EXPECT_EQ(kit.ItemText("main", 110, 1, 1), "xterm");
  EXPECT_EQ(kit.ItemText("main", 110, 2), "0x3");
  kit.SelectItem("main", 110, 1);
  EXPECT_EQ(kit.NextSelected("main", 110, -1), 1);
}

class FakeImages : public PanelImageSource {
 public:
  QPixmap Image(const std::string& name, QSize, qreal ratio) const override {
    ++asked;
    if (name != "FuncUp") return QPixmap();
    QPixmap image(QSize(20, 30) * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::red);
    return image;
  }
  mutable int asked = 0;
};

TEST_F(ToolkitTest, PicturesTakeTheSizeOfTheirImageAndUnknownNamesShowNothing) {
  auto images = std::make_shared<FakeImages>();
  kit.SetImageSource(images);
  Add(ControlKind::Picture, 1000, Rect{1, 4, 1, 1}, "$FuncUp");
  Add(ControlKind::Picture, 1001, Rect{1, 8, 4.125, 2.0625}, "$NoSuchImage");
  auto* known = static_cast<QLabel*>(Control(1000));
  auto* unknown = static_cast<QLabel*>(Control(1001));
  EXPECT_EQ(known->size(), QSize(20, 30));
  EXPECT_EQ(known->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(unknown->size(), QSize(33, 33));
  EXPECT_EQ(unknown->pixmap().toImage().pixelColor(5, 5).alpha(), 0);

  const int up = kit.LoadPicture("$FuncUp");
  EXPECT_EQ(kit.LoadPicture("$FuncUp"), up);
  kit.SetImage("main", 1001, up);
  const int asked = images->asked;
  kit.SetImage("main", 1001, up);
  kit.SetImage("main", 1001, kit.LoadPicture("$NoSuchImage"));
  kit.SetImage("main", 1001, up);
  EXPECT_EQ(images->asked, asked);  // drawn once, then kept
  EXPECT_EQ(unknown->size(), QSize(20, 30));
  kit.SetImage("main", 1001, 999);  // no such key: nothing changes
  EXPECT_EQ(unknown->size(), QSize(20, 30));

  QTest::mouseClick(known, Qt::LeftButton, {}, QPoint(3, 3));
  ASSERT_EQ(Sent(kClick).size(), 1u);
  EXPECT_EQ(Sent(kClick)[0].id, 1000);

  Add(ControlKind::Icon, 100, Rect{1, 1, 4, 2}, "#?Icon");
  EXPECT_FALSE(static_cast<QLabel*>(Control(100))->pixmap().isNull());
}

TEST_F(ToolkitTest, ColoursAndFontsComeFromTheirSlots) {
  kit.DefineColour(32, 119, 119, 119);
  kit.DefineFont(10, "MS Sans Serif", 8, "BV");
  kit.AddControl("main", ControlDefinition{ControlKind::Label, 420, Rect{68, 3.5, 13, 1},
                                           "Selected Control:", "L", 0, 32, 10});
  kit.AddControl(
      "main", ControlDefinition{ControlKind::Label, 421, Rect{68, 5, 13, 1}, "x", "L", 15, -1, -1});
  const QPalette palette = Control(420)->palette();
  EXPECT_EQ(palette.color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_EQ(palette.color(QPalette::Window), QColor(119, 119, 119));
  EXPECT_TRUE(Control(420)->autoFillBackground());
  const QFont font = Control(420)->font();
  EXPECT_TRUE(font.bold());
  EXPECT_LE(font.pointSizeF(), 8);
  // Whatever the face, its letters fit the 8-pixel columns the layouts count in.
  const QString letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  EXPECT_LE(QFontMetricsF(font).horizontalAdvance(letters) / static_cast<double>(letters.size()),
            6.01);
  EXPECT_LE(QFontMetricsF(Control(421)->font()).horizontalAdvance(letters) /
                static_cast<double>(letters.size()),
            6.01);
  EXPECT_EQ(Control(421)->palette().color(QPalette::WindowText), QColor(255, 255, 255));
  EXPECT_FALSE(Control(421)->autoFillBackground());

  // A disabled control with its own colours still looks disabled.
  kit.AddControl("main", ControlDefinition{ControlKind::Button, 480, Rect{105, 21.5, 12, 1.25},
                                           "Add/&Insert", "", 0, 32, -1});
  kit.Disable("main", 480, 480);
  const QPalette button = Control(480)->palette();
  EXPECT_EQ(button.color(QPalette::Active, QPalette::ButtonText), QColor(0, 0, 0));
  EXPECT_EQ(button.color(QPalette::Disabled, QPalette::ButtonText), QColor(59, 59, 59));
}

}  // namespace
}  // namespace quorbel::ui
