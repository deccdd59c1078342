#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "keysets/TargetProgram.h"
#include "tests/support/KeysetListFixture.h"

namespace quorbel {
namespace {

using ::testing::IsEmpty;

TEST(SameKeysetNameTest, IgnoresCaseOfLettersAndOfTheAccentedPairs) {
  EXPECT_TRUE(SameKeysetName("NOTEPAD", "Notepad"));
  EXPECT_TRUE(SameKeysetName("\x80x", "\x87X"));
  EXPECT_TRUE(SameKeysetName("\x9A\x90\x8E\x8F\x99\xA5", "\x81\x82\x84\x86\x94\xA4"));
  EXPECT_FALSE(SameKeysetName("\x80", "\x81"));
  EXPECT_FALSE(SameKeysetName("\xE9", "\xC9"));  // other bytes must be equal
  EXPECT_FALSE(SameKeysetName("Notepad", "Notepad2"));
  EXPECT_FALSE(SameKeysetName("[", "{"));
  EXPECT_TRUE(SameKeysetName("", ""));
}

using TargetProgramTest = KeysetListFixture;

TEST_F(TargetProgramTest, ProgramOfTheWindowChoosesItsKeysetInItsLastLayer) {
  SetKeysets({"Default", "Gimp", "Notepad"});
  keysets.Lock()->SetCurrent(2);
  keysets.Lock()->PickLayer(1);
  keysets.Lock()->SetCurrent(0);
  AddProgramWindow(0x4A, "C:/Windows/NOTEPAD.EXE");
  windows.RefreshWindowList();

  target.UseKeysetForWindow(0x4A);

  ASSERT_EQ(mainEvents.size(), 1u);
  EXPECT_EQ(mainEvents[0].form, "MAIN");
  EXPECT_EQ(mainEvents[0].id, 1707);
  EXPECT_EQ(mainEvents[0].code, ui::kClick);
  EXPECT_EQ(mainEvents[0].value, 2);
  EXPECT_EQ(toolkit.Selected("MAIN", kKeysetListId), 2);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 2);
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 1);
  EXPECT_EQ(toolkit.Caption("MAIN"), "Quorbel - Notepad");
  EXPECT_EQ(toolkit.DoEventsCount(), 1);
  EXPECT_THAT(toolkit.Faults(), IsEmpty());
}

TEST_F(TargetProgramTest, FirstOfTwoEntriesEqualApartFromCaseWins) {
  SetKeysets({"Default", "gimp", "GIMP"});
  AddProgramWindow(0x7, "/usr/bin/Gimp");
  target.UseKeysetForWindow(0x7);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
  EXPECT_EQ(toolkit.Caption("MAIN"), "Quorbel - gimp");
}

TEST_F(TargetProgramTest, ProgramWithoutKeysetOrUnknownWindowGetsSlotZero) {
  SetKeysets({"Default", "Gimp"});
  toolkit.SelectItem("MAIN", kKeysetListId, 1);
  keysets.Lock()->SetCurrent(1);
  AddProgramWindow(0x9, "/usr/bin/xterm");

  target.UseKeysetForWindow(0x9);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 0);
  EXPECT_EQ(mainEvents.back().id, 1705);
  EXPECT_EQ(toolkit.Caption("MAIN"), "Quorbel - Default");

  keysets.Lock()->SetCurrent(1);
  target.UseKeysetForWindow(0xDEAD);  // no such window
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 0);
  EXPECT_EQ(mainEvents.size(), 2u);  // the switch runs also when nothing changes
}

TEST_F(TargetProgramTest, WindowOpenedAfterTheLastRefreshIsFoundWithOneRefresh) {
  SetKeysets({"Default", "Gimp"});
  windows.RefreshWindowList();
  AddProgramWindow(0x31, "/usr/bin/gimp");
  const auto before = windows.Revision();

  target.UseKeysetForWindow(0x31);
  EXPECT_EQ(windows.Revision(), before + 1);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);

  target.UseKeysetForWindow(0x31);
  target.UseKeysetForWindow(0x31);
  EXPECT_EQ(windows.Revision(), before + 1);
}

TEST_F(TargetProgramTest, FilteredWindowRefreshesEveryTimeAndPlaysSlotZero) {
  SetKeysets({"Default", "Gimp"});
  AddProgramWindow(0x5, "/usr/bin/gimp", "ToolBar");
  const auto before = windows.Revision();

  target.UseKeysetForWindow(0x5);
  target.UseKeysetForWindow(0x5);
  EXPECT_EQ(windows.Revision(), before + 2);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 0);
}

TEST_F(TargetProgramTest, ClosedWindowWhoseHandleIsReusedIsTakenForTheOldProgram) {
  SetKeysets({"Default", "Gimp", "Inkscape"});
  AddProgramWindow(0x40, "/usr/bin/gimp");
  windows.RefreshWindowList();
  desktop.RemoveWindow(0x40);
  desktop.AddWindow(0x40, "Drawing", "Main", 77);
  desktop.SetExecutable(77, "/usr/bin/inkscape");

  target.UseKeysetForWindow(0x40);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
}

TEST_F(TargetProgramTest, SingleKeysetSwitchesNothingButSetsTheCaption) {
  SetKeysets({"Default"});
  AddProgramWindow(0x2, "/usr/bin/default");
  target.UseKeysetForWindow(0x2);
  EXPECT_THAT(mainEvents, IsEmpty());
  EXPECT_EQ(toolkit.DoEventsCount(), 0);
  EXPECT_EQ(toolkit.Caption("MAIN"), "Quorbel - Default");
}

TEST_F(TargetProgramTest, EmptyKeysetListSwitchesNothing) {
  AddProgramWindow(0x2, "/usr/bin/gimp");
  target.UseKeysetForWindow(0x2);
  EXPECT_THAT(mainEvents, IsEmpty());
  EXPECT_EQ(toolkit.Caption("MAIN"), "Quorbel - ");
  EXPECT_THAT(toolkit.Faults(), IsEmpty());
}

TEST_F(TargetProgramTest, NameIsTheExecutableUpToItsFirstDot) {
  SetKeysets({"Default", "My", "tool", "make"});
  AddProgramWindow(0x11, "/opt/bin/my.tool.exe");
  AddProgramWindow(0x12, "/usr/bin/make");
  EXPECT_EQ(TargetProgramName(windows, 0x11), "my");
  EXPECT_EQ(TargetProgramName(windows, 0x12), "make");

  target.UseKeysetForWindow(0x11);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
  target.UseKeysetForWindow(0x12);
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 3);
}

TEST_F(TargetProgramTest, ChoosingFromTheDeviceThreadChangesTheWindowOnTheGuiThread) {
  SetKeysets({"Default", "Gimp"});
  AddProgramWindow(0x3, "/usr/bin/gimp");
  std::thread device([&] { target.UseKeysetForWindow(0x3); });
  requests.ServeUntil([&] { return toolkit.Caption("MAIN") == "Quorbel - Gimp"; });
  device.join();
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
}

}  // namespace
}  // namespace quorbel
