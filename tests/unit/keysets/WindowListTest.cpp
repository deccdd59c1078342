#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "keysets/WindowList.h"
#include "platform/memory/MemoryDesktop.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const std::vector<WindowRow>& rows) {
  std::vector<std::string> names;
  for (const WindowRow& row : rows) names.push_back(row.name);
  return names;
}

TEST(HandleTextTest, IsUpperCaseHexWithoutLeadingZeros) {
  EXPECT_EQ(HandleText(0x00A3F0), "A3F0");
  EXPECT_EQ(HandleText(0x1C00007), "1C00007");
  EXPECT_EQ(HandleText(0), "0");
  EXPECT_EQ(HandleText(0xFFFFFFFFFFFFFFFFULL), "FFFFFFFFFFFFFFFF");
}

TEST(ProgramNameOfPathTest, CutsBeforeTheFirstDotUnlessItLeadsTheName) {
  EXPECT_EQ(ProgramNameOfPath("C:/Windows/NOTEPAD.EXE"), "NOTEPAD");
  EXPECT_EQ(ProgramNameOfPath("/opt/my.tool.exe"), "my");
  EXPECT_EQ(ProgramNameOfPath("/usr/bin/gedit"), "gedit");
  EXPECT_EQ(ProgramNameOfPath("/home/u/.hidden"), ".hidden");
  EXPECT_EQ(ProgramNameOfPath("/home/u/a.out"), "a");
  EXPECT_EQ(ProgramNameOfPath("relative.bin"), "relative");
  EXPECT_EQ(ProgramNameOfPath("/usr/bin/"), "");
  EXPECT_EQ(ProgramNameOfPath(""), "");
}

// The executable paths Windows gives are written with backslashes; elsewhere
// a backslash is a character of a file name like any other.
TEST(ProgramNameOfPathTest, TakesTheFileNameAfterTheSystemsFolderSeparators) {
  if (std::filesystem::path::preferred_separator == '\\') {
    EXPECT_EQ(ProgramNameOfPath("C:\\Users\\u\\Temp\\mytarget.exe"), "mytarget");
    EXPECT_EQ(ProgramNameOfPath("C:\\Tools/bin\\NOTEPAD.EXE"), "NOTEPAD");
  } else {
    EXPECT_EQ(ProgramNameOfPath("/opt/odd\\name.bin"), "odd\\name");
  }
}

class WindowListTest : public ::testing::Test {
 protected:
  void Add(WindowId window, const std::string& title, const std::string& windowClass,
           const std::string& executable) {
    const int processId = static_cast<int>(window);
    desktop.AddWindow(window, title, windowClass, processId);
    if (!executable.empty()) desktop.SetExecutable(processId, executable);
  }

  MemoryDesktop desktop;
  WindowList list{desktop};
};

TEST_F(WindowListTest, RowsStandInReverseOrderWithAllFourColumns) {
  Add(0x1A, "Notes - Editor", "Notepad", "C:/Windows/NOTEPAD.EXE");
  Add(0x2B, "Terminal", "XTerm", "/usr/bin/xterm");
  list.RefreshWindowList();

  EXPECT_THAT(Names(list.Rows()), ElementsAre("xterm", "NOTEPAD"));
  EXPECT_EQ(list.FindWindowRow("1A"), 1);
  EXPECT_EQ(list.RowText(1, 0), "1A");
  EXPECT_EQ(list.RowText(1, 1), "NOTEPAD");
  EXPECT_EQ(list.RowText(1, 2), "Notes - Editor");
  EXPECT_EQ(list.RowText(1, 3), "Notepad");
  EXPECT_EQ(list.ExecutableOfWindow(0x2B), "/usr/bin/xterm");
}

TEST_F(WindowListTest, LeavesOutWindowsThatAreNobodysTarget) {
  Add(0x10, "", "Main", "/usr/bin/untitled");
  Add(0x11, "ToolBar", "Main", "/usr/bin/toolbar");
  Add(0x12, "No program", "Main", "");
  Add(0x13, "Embedding", "OleMainThreadWndClass", "/usr/bin/ole");
  Add(0x14, "Tray", "Shell_TrayWnd", "/usr/bin/tray1");
  Add(0x15, "Tray", "systray_area", "/usr/bin/tray2");
  Add(0x16, "Spooler", "SpoolProcessClass", "/usr/bin/spool");
  Add(0x17, "Kept", "toolbar", "/usr/bin/kept");           // title rule only for "ToolBar"
  Add(0x18, "Kept", "OLE", "/usr/bin/ole-upper");          // "Ole" counts case
  Add(0x19, "Kept", "SpoolProcessClass2", "/usr/bin/s2");  // exact class name only
  Add(0x1A, "Kept", "Main", "/usr/bin/");                  // a folder, not a file
  list.RefreshWindowList();

  EXPECT_THAT(Names(list.Rows()), ElementsAre("s2", "ole-upper", "kept"));
}

TEST_F(WindowListTest, LongTitlesAndClassesAreCutTo254Characters) {
  Add(0x1, std::string(300, 't'), std::string(260, 'c'), "/bin/long");
  list.RefreshWindowList();
  EXPECT_EQ(list.RowText(0, 2).size(), 254u);
  EXPECT_EQ(list.RowText(0, 3).size(), 254u);
}

TEST_F(WindowListTest, LookupsOutsideTheListGiveNothing) {
  Add(0x1, "One", "Main", "/bin/one");
  list.RefreshWindowList();
  EXPECT_EQ(list.FindWindowRow(""), -1);
  EXPECT_EQ(list.FindWindowRow("01"), -1);  // exact text: no leading zeros
  EXPECT_EQ(list.FindWindowRow("2"), -1);
  EXPECT_EQ(list.RowText(-1, 1), "");
  EXPECT_EQ(list.RowText(1, 1), "");
  EXPECT_EQ(list.RowText(0, 4), "");
  EXPECT_FALSE(list.Lookup("2").has_value());
}

TEST_F(WindowListTest, RowsStayAsTheyWereUntilTheNextRefresh) {
  Add(0x1, "Old", "Main", "/bin/old");
  list.RefreshWindowList();
  const auto revision = list.Revision();

  desktop.RemoveWindow(0x1);
  Add(0x2, "New", "Main", "/bin/new");
  EXPECT_EQ(list.FindWindowRow("1"), 0);   // closed, still listed
  EXPECT_EQ(list.FindWindowRow("2"), -1);  // opened, not yet listed

  list.RefreshWindowList();
  EXPECT_THAT(Names(list.Rows()), ElementsAre("new"));
  EXPECT_EQ(list.Revision(), revision + 1);
}

}  // namespace
}  // namespace quorbel
