#include "toolkit/memory/MemoryToolkit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/memory/FakeClock.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kBox = 620;

std::vector<int> Codes(const std::vector<Event>& events) {
  std::vector<int> codes;
  for (const Event& event : events) codes.push_back(event.code);
  return codes;
}

class MemoryToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks(
        [this](const std::string& form) {
          laidOut.push_back(form);
          kit.AddControl(form, ControlDefinition{ControlKind::Text, kBox, {}, "", "ES"});
        },
        [this](Event& event) {
          if (event.code == kKeyDown && event.value == cancelKey) event.cancel = true;
          if (event.code == kCharacter && event.value == cancelCharacter) event.cancel = true;
        });
    kit.CreateForm("MAIN", "", "QuorbelU", Rect{0, 0, 126.875, 32.4375}, "_C", 15, 32);
  }

  MemoryToolkit kit;
  std::vector<std::string> laidOut;
  int cancelKey = 0;
  int cancelCharacter = 0;
};

TEST_F(MemoryToolkitTest, CancelledKeyDownSendsNoCharacterAndShowsNothing) {
  kit.AllowKeyEvents(2);
  cancelKey = 'A';
  ASSERT_TRUE(kit.KeyPress("main", kBox, 'A', 'a'));
  EXPECT_THAT(Codes(kit.Events()), ElementsAre(kKeyDown, kKeyUp));
  EXPECT_EQ(kit.Text("MAIN", kBox), "");

  kit.ClearEvents();
  kit.KeyPress("main", kBox, 'B', 'b');
  EXPECT_THAT(Codes(kit.Events()), ElementsAre(kKeyDown, kCharacter, kKeyUp));
  EXPECT_EQ(kit.Events()[1].value, 'b');
  EXPECT_EQ(kit.Text("MAIN", kBox), "b");

  cancelCharacter = 'c';
  kit.KeyPress("main", kBox, 'C', 'c');
  EXPECT_EQ(kit.Text("MAIN", kBox), "b");
}

TEST_F(MemoryToolkitTest, KeyEventsReachTheProgramOnlyWhenSwitchedOn) {
  kit.KeyPress("MAIN", kBox, 'X', 'x');
  kit.SystemKey("MAIN", kBox, 121);
  EXPECT_THAT(kit.Events(), IsEmpty());
  EXPECT_EQ(kit.Text("MAIN", kBox), "x");
}

TEST_F(MemoryToolkitTest, FormNamesIgnoreCase) {
  EXPECT_THAT(laidOut, ElementsAre("MAIN"));
  const WindowId main = kit.Handle("main");
  EXPECT_NE(main, 0u);
  EXPECT_EQ(kit.Handle("Main"), main);

  kit.SetText("main", 0, "Quorbel - Default");
  EXPECT_EQ(kit.Caption("MAIN"), "Quorbel - Default");
  EXPECT_EQ(kit.Text("Main", 0), "Quorbel - Default");

  kit.CreateForm("KSDisplay", "main", "Keyset Display", Rect{0, 0, 107, 30.5}, "_C", -1, -1);
  EXPECT_TRUE(kit.HasForm("KSDISPLAY"));
  EXPECT_NE(kit.Handle("ksdisplay"), main);
  kit.CreateForm("main", "", "again", Rect{}, "", -1, -1);
  EXPECT_THAT(kit.Faults(), ElementsAre("CreateForm: form \"main\" exists already"));
  EXPECT_EQ(kit.Caption("MAIN"), "Quorbel - Default");
  kit.ClearFaults();

  kit.UnloadForm("Main");  // takes its child form with it
  EXPECT_FALSE(kit.HasForm("MAIN"));
  EXPECT_FALSE(kit.HasForm("KSDISPLAY"));
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

TEST_F(MemoryToolkitTest, MissingFormsAndControlsAreRecordedNotFatal) {
  kit.SetText("MAIN", 999, "x");
  kit.Hide("MAIN", 700, 710);
  kit.SetMenuItem("MAIN", 1630, "D");
  kit.StartTimer("NOWHERE", 2100, 10);
  EXPECT_EQ(kit.Text("NOWHERE", 1), "");
  EXPECT_EQ(kit.Handle("NOWHERE"), 0u);
  EXPECT_EQ(kit.Faults().size(), 6u);
  EXPECT_FALSE(kit.Click("NOWHERE", 1));
  EXPECT_THAT(kit.Events(), IsEmpty());
}

TEST_F(MemoryToolkitTest, UsersReachOnlyWhatIsShownAndEnabled) {
  kit.AddControl("MAIN", ControlDefinition{ControlKind::CheckBox, 655, {}, "Capture", "H"});
  kit.AddMenuTitle("MAIN", 1600, "&Edit");
  kit.AddMenuItem("MAIN", 1600, 1630, "&Delete Current Keyset");
  kit.SetMenuItem("MAIN", 1630, "D");

  EXPECT_FALSE(kit.Click("MAIN", 655));
  EXPECT_FALSE(kit.Click("MAIN", 1630));
  EXPECT_THAT(kit.Events(), IsEmpty());

  kit.Show("MAIN", 655, 660);
  kit.SetMenuItem("MAIN", 1630, "");
  EXPECT_TRUE(kit.Click("MAIN", 655));
  EXPECT_TRUE(kit.Checked("MAIN", 655));  // toggled before the program hears of it
  EXPECT_TRUE(kit.Click("MAIN", 1630));
  EXPECT_TRUE(kit.Click("MAIN", 28));  // an accelerator ID
  EXPECT_THAT(Codes(kit.Events()), ElementsAre(kClick, kClick, kClick));
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

TEST_F(MemoryToolkitTest, ListsSplitFindAndInsertRows) {
  kit.AddControl("MAIN", ControlDefinition{ControlKind::ComboBox, 410, {}, "Default|Gimp|", "TVJ"});
  EXPECT_THAT(kit.Items("MAIN", 410), ElementsAre("Default", "Gimp"));
  kit.AddItems("MAIN", 410, "Gimpy");
  EXPECT_EQ(kit.FindItem("MAIN", 410, "GIMP"), 1);
  EXPECT_EQ(kit.FindItem("MAIN", 410, "Gim"), -1);
  ASSERT_TRUE(kit.Pick("MAIN", 410, 2));
  EXPECT_EQ(kit.Text("MAIN", 410), "Gimpy");
  EXPECT_EQ(kit.Events().back().code, kChanged);
  EXPECT_EQ(kit.Events().back().value, 2);
  EXPECT_FALSE(kit.Pick("MAIN", 410, 3));

  kit.AddControl("MAIN",
                 ControlDefinition{ControlKind::ListView, 110, {}, "Handle{6}|Name{20}", ""});
  kit.AddListViewItem("MAIN", 110, 0, 0, "b");
  kit.AddListViewItem("MAIN", 110, 0, 1, "B");
  kit.AddListViewItem("MAIN", 110, 0, 0, "a");
  EXPECT_THAT(kit.Row("MAIN", 110, 1), ElementsAre("b", "B"));
  EXPECT_EQ(kit.ItemText("MAIN", 110, 0, 1), "");
  EXPECT_EQ(kit.LastItem("MAIN", 110), 1);
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

TEST_F(MemoryToolkitTest, MessageBoxesAnswerFromTheQueueThenByDefault) {
  EXPECT_EQ(kit.MessageBox("main", "About", "Brenlow Electronics", Buttons::Ok), kAnswerYes);
  EXPECT_EQ(kit.MessageBox("main", "Sure?", "QuorbelU", Buttons::YesNo), kAnswerNo);
  kit.QueueAnswer(kAnswerYes);
  kit.QueueAnswer(kAnswerNo);
  EXPECT_EQ(kit.MessageBox("main", "One", "", Buttons::YesNo), kAnswerYes);
  EXPECT_EQ(kit.MessageBox("main", "Two", "", Buttons::Ok), kAnswerNo);
  EXPECT_EQ(kit.MessageBox("main", "Three", "", Buttons::YesNo), kAnswerNo);

  const auto boxes = kit.MessageBoxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0].title, "Brenlow Electronics");
  EXPECT_EQ(boxes[1].buttons, Buttons::YesNo);
  EXPECT_EQ(boxes[3].text, "Two");
  EXPECT_EQ(boxes[3].answer, kAnswerNo);

  kit.QueueFilePath("/tmp/gimp");
  EXPECT_EQ(kit.OpenFileDialog("main", "Open", "/usr/bin", "*", ""), "/tmp/gimp");
  EXPECT_EQ(kit.SaveFileDialog("main", "Export", "/tmp", "Gimp.qrb", "*.qrb", "qrb", ""), "");
  ASSERT_EQ(kit.FileDialogs().size(), 2u);
  EXPECT_EQ(kit.FileDialogs()[1].proposedName, "Gimp.qrb");
}

TEST_F(MemoryToolkitTest, ClosingUnloadsUnlessCancelledAndModalFormsRunTheirHook) {
  kit.SetCallbacks([](const std::string&) {},
                   [](Event& event) { event.cancel = event.form == "MAIN"; });
  EXPECT_FALSE(kit.Close("main"));
  EXPECT_TRUE(kit.HasForm("MAIN"));

  std::vector<std::string> openDuringHook;
  kit.SetModalHook([&](const std::string& form) {
    openDuringHook.push_back(form);
    EXPECT_TRUE(kit.Close(form));
  });
  kit.CreateForm("KSDISPLAY", "MAIN", "", Rect{}, "_CM", -1, -1);
  EXPECT_THAT(openDuringHook, ElementsAre("KSDISPLAY"));
  EXPECT_FALSE(kit.HasForm("KSDISPLAY"));
}

TEST_F(MemoryToolkitTest, APromptWaitingInDoEventsIsAnsweredByTheHook) {
  // The program's own prompt: a plain form, then a wait that lets events run.
  int answer = -1;
  kit.SetCallbacks(
      [this](const std::string& form) {
        kit.AddControl(form, ControlDefinition{ControlKind::Button, 120, {}, "Yes", "T"});
      },
      [&](Event& event) {
        if (event.form == "YESNO" && event.id == 120) answer = 1;
      });
  kit.SetDoEventsHook([this] {
    if (kit.DoEventsCount() == 3) kit.Click("yesno", 120);
  });
  kit.CreateForm("YESNO", "main", "QuorbelU", Rect{0, 0, 20, 6}, "T", -1, -1);
  while (answer < 0) kit.DoEvents();
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(kit.DoEventsCount(), 3);
}

TEST_F(MemoryToolkitTest, TimersTickOnlyWhileRunningAndSlidersStayInRange) {
  kit.StartTimer("main", 2100, 10.0f);
  EXPECT_EQ(kit.TimerInterval("MAIN", 2100), 10.0f);
  ASSERT_TRUE(kit.FireTimer("MAIN", 2100));
  EXPECT_EQ(kit.Events().back().id, 2100);
  EXPECT_EQ(kit.Events().back().code, kClick);
  kit.StopTimer("MAIN", 2100);
  EXPECT_FALSE(kit.FireTimer("MAIN", 2100));

  kit.AddControl("MAIN", ControlDefinition{ControlKind::VTrackBar, 465, {}, "", "R"});
  kit.SetRange("MAIN", 465, 0, 10, 5);
  ASSERT_TRUE(kit.SetPosition("MAIN", 465, 14));
  EXPECT_EQ(kit.Position("MAIN", 465), 10);
  EXPECT_EQ(kit.Events().back().value, 10);
}

TEST_F(MemoryToolkitTest, AnotherThreadMayWaitWhileTheGuiThreadWorks) {
  FakeClock clock;
  kit.SetDelayHook(
      [&](float seconds) { clock.Advance(static_cast<std::uint32_t>(seconds * 1000.0f + 0.5f)); });
  std::thread device([this] {
    for (int i = 0; i < 200; ++i) {
      kit.Delay(0.05f);
      kit.Text("MAIN", kBox);
    }
  });
  for (int i = 0; i < 200; ++i) {
    kit.Click("MAIN", kBox);
    kit.SetText("MAIN", kBox, std::to_string(i));
  }
  device.join();
  EXPECT_EQ(clock.TickMs(), 200u * 50u);
  EXPECT_NEAR(kit.TotalDelay(), 10.0, 1e-3);
  EXPECT_EQ(kit.Delays().size(), 200u);
}

}  // namespace
}  // namespace quorbel::ui
