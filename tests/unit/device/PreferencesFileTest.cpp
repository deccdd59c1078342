#include "device/Preferences.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/TempFolder.h"
#include "tests/unit/device/MockToolkit.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::StrictMock;

class PreferencesFile : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = MakeTempFolder("quorbel-prefs-"); }
  void TearDown() override { fs::remove_all(folder_); }

  void Put(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }

  std::string Get(const std::string& name) {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Reads while expecting the file to be found: no message, events served once.
  LinkSettings ReadFound(LinkSettings settings = {}) {
    StrictMock<ui::MockToolkit> toolkit;
    EXPECT_CALL(toolkit, DoEvents());
    ReadPreferences(folder_, settings, toolkit, windows_);
    return settings;
  }

  fs::path folder_;
  ui::WindowState windows_;
};

TEST_F(PreferencesFile, IsFoundWhateverTheCaseOfItsName) {
  Put("qUoRbElU.InI", "[QUORBELU]\r\nCom Port=4\r\nBaud Rate=9600\r\n");
  EXPECT_EQ(ReadFound(), (LinkSettings{4, 9600}));
}

TEST_F(PreferencesFile, TheWrittenSpellingIsPreferred) {
  Put("QUORBELU.INI", "[QUORBELU]\r\nCom Port=5\r\n");
  Put("QuorbelU.ini", "[QUORBELU]\r\nCom Port=6\r\n");
  Put("quorbelu.ini", "[QUORBELU]\r\nCom Port=7\r\n");
  EXPECT_EQ(ReadFound().CommPort, 6);
  fs::remove(folder_ / "QuorbelU.ini");
  // Without it the choice still does not depend on the listing order.
  EXPECT_EQ(ReadFound().CommPort, 5);
}

TEST_F(PreferencesFile, MissingFileIsReportedOnceAndChangesNothing) {
  fs::create_directory(folder_ / "quorbelu.ini");  // not an ordinary file
  Put("quorbelu.ini.bak", "[QUORBELU]\r\nCom Port=4\r\n");
  StrictMock<ui::MockToolkit> toolkit;
  int activeDuringMessage = 0;
  EXPECT_CALL(toolkit, MessageBox(testing::StrCaseEq("main"),
                                  "Cannot find Quorbel.|Make sure it is turned on and connected to "
                                  "computer.|Use EDIT/PREFERENCES to set communications port.",
                                  "Brenlow Electronics", ui::Buttons::Ok))
      .WillOnce(Invoke([&](auto&&...) {
        activeDuringMessage = windows_.DialogActive;
        return ui::kAnswerYes;
      }));
  LinkSettings settings{3, 4800};
  ReadPreferences(folder_, settings, toolkit, windows_);
  EXPECT_EQ(settings, (LinkSettings{3, 4800}));
  EXPECT_EQ(activeDuringMessage, 1);
  EXPECT_EQ(windows_.DialogActive, 0);
}

TEST_F(PreferencesFile, TextBeyondTheLimitIsNotRead) {
  std::string text = "[QUORBELU]\r\nCom Port=9\r\n";
  text += std::string(kMaxPreferencesBytes - text.size() - 12, ' ') + "\r\n";
  // Cut by the limit after "Com Port=1": the cut line must not give port 1.
  text += "Com Port=12\r\n";
  ASSERT_EQ(text.substr(kMaxPreferencesBytes - 10, 11), "Com Port=12");
  text += std::string(1 << 20, 'x') + "\r\nCom Port=4\r\n";
  Put("QuorbelU.ini", text);
  EXPECT_EQ(ReadFound().CommPort, 9);
}

TEST_F(PreferencesFile, WritesExactlyThreeCrLfLines) {
  WritePreferences(folder_, {1, 38400});
  EXPECT_EQ(Get("QuorbelU.ini"), "[QUORBELU]\r\nCom Port=1\r\nBaud Rate=38400\r\n");
  WritePreferences(folder_, {12, 4800});
  EXPECT_EQ(Get("QuorbelU.ini"), "[QUORBELU]\r\nCom Port=12\r\nBaud Rate=4800\r\n");
  EXPECT_EQ(ReadFound(), (LinkSettings{12, 4800}));
  // Nothing but the file itself is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(PreferencesFile, WriteErrorsAreSilent) {
  WritePreferences(folder_ / "missing", {1, 38400});
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  // A folder where the file should be cannot be replaced; it stays as it is.
  fs::create_directory(folder_ / "QuorbelU.ini");
  WritePreferences(folder_, {1, 38400});
  EXPECT_TRUE(fs::is_directory(folder_ / "QuorbelU.ini"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// The temporary file is always a new one: a second name of another file left
// under the temporary name is not written through, and a leftover of a
// crashed run does not stop the write.
TEST_F(PreferencesFile, TemporaryFileIsCreatedAfreshNeverWrittenThrough) {
  Put("victim", "precious");
  fs::create_hard_link(folder_ / "victim", folder_ / "QuorbelU.ini.new");
  WritePreferences(folder_, {3, 9600});
  EXPECT_EQ(Get("victim"), "precious");
  EXPECT_EQ(Get("QuorbelU.ini"), "[QUORBELU]\r\nCom Port=3\r\nBaud Rate=9600\r\n");
  EXPECT_FALSE(fs::exists(folder_ / "QuorbelU.ini.new"));
}

#ifndef _WIN32
// Windows has no named pipe in a folder of files.
TEST_F(PreferencesFile, PipeInPlaceOfTheFileDoesNotHangStartup) {
  ASSERT_EQ(::mkfifo((folder_ / "QuorbelU.ini").c_str(), 0600), 0);
  StrictMock<ui::MockToolkit> toolkit;
  EXPECT_CALL(toolkit, MessageBox(_, kPreferencesMissingMessage, _, _)).WillOnce(Return(1));
  LinkSettings settings{5, 4800};
  ReadPreferences(folder_, settings, toolkit, windows_);
  EXPECT_EQ(settings, (LinkSettings{5, 4800}));
}
#endif

}  // namespace
}  // namespace quorbel
