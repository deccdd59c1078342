#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "ToolkitFixture.h"
#include "toolkit/qt/FormWindow.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;

TEST_F(ToolkitTest, FormsAreFoundWhateverTheCaseAndSizedOnTheCharacterGrid) {
  EXPECT_EQ(kit.FormWidget("main"), kit.FormWidget("Main"));
  ASSERT_NE(kit.FormWidget("mAiN"), nullptr);
  EXPECT_EQ(Client()->size(), QSize(1015, 519));  // 126.875 x 32.4375 characters
  EXPECT_EQ(kit.FormSize("main").width, 126.875);
  EXPECT_EQ(kit.FormSize("main").height, 32.4375);
  EXPECT_NE(kit.Handle("main"), 0u);
  EXPECT_EQ(kit.Handle("nothing"), 0u);

  kit.SetText("main", 0, "Quorbel - Default");
  EXPECT_EQ(kit.FormWidget("MAIN")->windowTitle(), "Quorbel - Default");
  EXPECT_EQ(kit.Text("Main", 0), "Quorbel - Default");

  const Size screen = kit.ScreenSize();
  const QSize pixels = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(screen.width, pixels.width() / 8.0);
  EXPECT_EQ(screen.height, pixels.height() / 16.0);
  EXPECT_EQ(kit.CharSize().width, 8);
  EXPECT_EQ(kit.CharSize().height, 16);
}

TEST_F(ToolkitTest, AFormsPlaceFollowsTheWindowOnTheScreen) {
  kit.FormWidget("main")->move(80, 160);
  const Rect place = kit.FormPlace("MAIN");
  EXPECT_EQ(place.column, 10);
  EXPECT_EQ(place.row, 10);
  EXPECT_EQ(place.width, 126.875);
  EXPECT_EQ(place.height, 32.4375);
  EXPECT_EQ(kit.FormPlace("nothing").width, 0);
}

// A window placed at the corner of the screen keeps its title bar, with the
// caption and the close box, on the screen; the frame is known only once the
// window is shown.
TEST_F(ToolkitTest, AFormsFrameStartsOnTheScreen) {
  QWidget* main = kit.FormWidget("main");
  const QRect area = main->screen()->availableGeometry();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  QTRY_VERIFY_WITH_TIMEOUT(area.contains(main->frameGeometry().topLeft()), 5000);
  EXPECT_GE(main->geometry().top(), main->frameGeometry().top());
}

TEST(FramePlacement, AFrameIsMovedOntoTheWorkAreaAndNoFurther) {
  const QRect area(0, 30, 1280, 994);  // below a panel of 30 pixels
  // Above and left of the area: moved in.
  EXPECT_EQ(FormWindow::OnScreen(QRect(-1, -20, 1017, 559), area), QPoint(0, 30));
  // Within it: left where it is.
  EXPECT_EQ(FormWindow::OnScreen(QRect(100, 200, 1017, 559), area), QPoint(100, 200));
  // Past the right or bottom edge: moved back.
  EXPECT_EQ(FormWindow::OnScreen(QRect(600, 800, 1017, 559), area), QPoint(263, 465));
  // Larger than the area: its title bar and left edge stay reachable.
  EXPECT_EQ(FormWindow::OnScreen(QRect(-50, -50, 2000, 1500), area), QPoint(0, 30));
}

TEST_F(ToolkitTest, TheLayoutRunsWhileTheFormIsCreated) {
  std::vector<std::string> laidOut;
  layout = [&](const std::string& form) {
    laidOut.push_back(form);
    // The form exists already and takes controls.
    Add(ControlKind::Label, 105, Rect{6.5, 1.25, 5, 1.25}, "Line");
    kit.AddControl(form,
                   ControlDefinition{ControlKind::Button, 120, Rect{1, 4, 6, 1.5}, "Yes", "T"});
  };
  kit.CreateForm("YESNO", "main", "QuorbelU", Rect{10, 10, 20, 6}, "T", -1, -1);
  EXPECT_THAT(laidOut, ElementsAre("YESNO"));
  ASSERT_NE(kit.ControlWidget("yesno", 120), nullptr);
  EXPECT_EQ(kit.Text("YesNo", 120), "Yes");
  EXPECT_TRUE(kit.FormWidget("yesno")->isVisible());
}

TEST_F(ToolkitTest, UnloadingAFormTakesItsChildFormsAlong) {
  kit.CreateForm("KSDISPLAY", "MAIN", "Keyset Display", Rect{0, 0, 107, 30.5}, "_C", -1, -1);
  kit.CreateForm("OTHER", "", "Other", Rect{0, 0, 10, 10}, "", -1, -1);
  ASSERT_NE(kit.FormWidget("KSDisplay"), nullptr);
  kit.UnloadForm("main");
  EXPECT_EQ(kit.FormWidget("main"), nullptr);
  EXPECT_EQ(kit.FormWidget("ksdisplay"), nullptr);
  EXPECT_NE(kit.FormWidget("other"), nullptr);
  EXPECT_FALSE(kit.HasForm("KSDISPLAY"));
  EXPECT_TRUE(kit.HasForm("Other"));
  // Calls on a form that is gone do nothing.
  kit.SetText("main", 0, "x");
  EXPECT_EQ(kit.Text("main", 0), "");
  kit.DoEvents();
}

TEST_F(ToolkitTest, TheCloseBoxReportsAndClosesUnlessCancelled) {
  handler = [](Event& event) {
    if (event.code == kFormClosed) event.cancel = true;
  };
  kit.FormWidget("main")->close();
  ASSERT_EQ(Sent(kFormClosed).size(), 1u);
  EXPECT_EQ(Sent(kFormClosed)[0].form, "MAIN");
  EXPECT_EQ(Sent(kFormClosed)[0].id, 0);
  EXPECT_NE(kit.FormWidget("main"), nullptr);

  handler = nullptr;
  kit.FormWidget("main")->close();
  EXPECT_EQ(kit.FormWidget("main"), nullptr);
}

TEST_F(ToolkitTest, AModalFormReturnsOnlyWhenItHasBeenClosed) {
  bool wasOpenInside = false;
  QTimer::singleShot(20, [&] {
    wasOpenInside = kit.FormWidget("ksdisplay") != nullptr;
    kit.UnloadForm("KSDisplay");
  });
  kit.CreateForm("KSDISPLAY", "MAIN", "Keyset Display", Rect{0, 0, 107, 30.5}, "_CM", -1, -1);
  EXPECT_TRUE(wasOpenInside);
  EXPECT_EQ(kit.FormWidget("ksdisplay"), nullptr);
}

TEST_F(ToolkitTest, RunEndsWhenTheLastFormIsUnloaded) {
  kit.UnloadForm("main");
  std::vector<std::string> steps;
  const int result = kit.Run(
      [&] {
        steps.push_back("start-up");
        kit.CreateForm("MAIN", "", "QuorbelU", Rect{0, 0, 20, 10}, "_C", -1, -1);
        kit.StartTimer("main", 2100, 0.01f);
      },
      [&](const std::string& form) { steps.push_back("layout " + form); },
      [&](Event& event) {
        if (event.id == 2100) {
          steps.push_back("timer");
          kit.UnloadForm("main");
        }
      });
  EXPECT_EQ(result, 0);
  EXPECT_THAT(steps, ElementsAre("start-up", "layout MAIN", "timer"));
}

using Change = std::pair<int, int>;  // control ID and event code

std::vector<Change> FocusChanges(const std::vector<Event>& events, const std::string& form) {
  std::vector<Change> changes;
  for (const Event& event : events) {
    if (event.form == form && (event.code == kGotFocus || event.code == kLostFocus)) {
      changes.emplace_back(event.id, event.code);
    }
  }
  return changes;
}

TEST_F(ToolkitTest, FormsAndTextBoxesReportFocus) {
  Add(ControlKind::Text, 620, Rect{77.5, 11.25, 16.5, 1.25}, "", "ES");
  Add(ControlKind::Button, 480, Rect{105, 21.5, 12, 1.25}, "Add/&Insert");
  QWidget* main = kit.FormWidget("main");
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  kit.SetFocus("main", 620);
  kit.SetFocus("main", 480);  // buttons report no focus
  kit.CreateForm("OTHER", "", "Other", Rect{0, 0, 10, 10}, "", -1, -1);
  kit.FormWidget("other")->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(kit.FormWidget("other")));
  // Each form in its own order; which of the two windows hears first is Qt's affair.
  EXPECT_THAT(FocusChanges(events, "MAIN"),
              ElementsAre(Change{0, kGotFocus}, Change{620, kGotFocus}, Change{620, kLostFocus},
                          Change{0, kLostFocus}));
  EXPECT_THAT(FocusChanges(events, "OTHER"), ElementsAre(Change{0, kGotFocus}));
}

}  // namespace
}  // namespace quorbel::ui
