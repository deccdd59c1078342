// The program's start-up and shutdown in their order, the single copy, and
// the routing of each form's layout and events.
#include "app/Application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "app/FolderReport.h"
#include "device/Preferences.h"
#include "platform/FolderTrust.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryInstanceGuard.h"
#include "tests/support/KeysetFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/unit/app/RecordingOperations.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindowIds.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest() {
    folder = MakeTempFolder("quorbel-app-");
    fs::create_directory(folder / "keysets");
    WritePreferencesFile("[QUORBELU]\r\nCom Port=7\r\nBaud Rate=9600\r\n");
  }
  ~ApplicationTest() override { fs::remove_all(folder); }

  void WritePreferencesFile(const std::string& text) {
    std::ofstream(folder / "QuorbelU.ini", std::ios::binary) << text;
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : kit.MessageBoxes()) texts.push_back(box.title + ": " + box.text);
    return texts;
  }

  fs::path folder;
  ui::MemoryToolkit kit;
  MemoryInstanceGuard guard;
  MemoryDesktop desktop;
  RecordingOperations* parts = nullptr;
  Application app{{kit, guard, desktop, [this] { return folder; }}, [this](Application&) {
                    auto made = std::make_unique<RecordingOperations>();
                    parts = made.get();
                    return made;
                  }};
};

TEST_F(ApplicationTest, StartupBuildsTheWindowThenOpensThePort) {
  app.Run();
  EXPECT_TRUE(kit.HasForm("main"));
  EXPECT_TRUE(kit.TimerRunning("main", ui::kStatusTimer));
  EXPECT_EQ(app.State().link.CommPort, 7);
  EXPECT_EQ(app.State().link.BaudRate, 9600);
  EXPECT_EQ(app.State().windows.MainWindowHandle, kit.Handle("main"));
  EXPECT_THAT(kit.Items("main", ui::kKeysetList), ElementsAre("Default"));
  EXPECT_EQ(kit.KeyEventsMode(), 2);
  EXPECT_EQ(kit.FormIcon("main"), "$program");
  EXPECT_THAT(parts->calls, ElementsAre("PutPortMenuMarks", "OpenLinkAtStartup"));
  EXPECT_EQ(app.State().windows.DialogActive, 0);
  EXPECT_THAT(kit.MessageBoxes(), IsEmpty());
  EXPECT_TRUE(guard.Holds());
}

TEST_F(ApplicationTest, KeysetFilesAreLoadedAndTheFirstSelected) {
  fs::create_directories(folder / "keysets");
  WriteFile(folder / "keysets" / "Notepad.qrb", "");
  WriteFile(folder / "keysets" / "Default.qrb", "");
  app.Run();
  EXPECT_THAT(kit.Items("main", ui::kKeysetList), ElementsAre("Default", "Notepad"));
  EXPECT_THAT(parts->calls, ElementsAre("RefreshWindowList", "SelectKeyset 0", "PutPortMenuMarks",
                                        "OpenLinkAtStartup"));
}

// Folder trouble is said once, after the keysets are loaded, and start-up
// goes on to the port.
TEST_F(ApplicationTest, KeysetsFolderTroubleIsSaidOnceAndStartupGoesOn) {
  fs::remove(folder / "keysets");
  app.Run();
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  EXPECT_THAT(kit.MessageBoxes()[0].text, ::testing::StartsWith("There is no keysets folder"));
  EXPECT_THAT(parts->calls, ElementsAre("PutPortMenuMarks", "OpenLinkAtStartup"));
}

TEST_F(ApplicationTest, FoldersOthersCanWriteAreRefusedWithTheFixingCommand) {
  fs::create_directory(folder / "ports");
  fs::permissions(folder / "keysets", fs::perms::all);
  fs::permissions(folder / "ports", fs::perms::all);
  WriteFile(folder / "keysets" / "Xterm.qrb", std::string(kKeysetFileBytes, '\0'));
  app.Run();
  EXPECT_THAT(kit.Items("main", ui::kKeysetList), ElementsAre("Default"));
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  const std::string text = kit.MessageBoxes()[0].text;
  EXPECT_NE(text.find("chmod go-w '" + (folder / "keysets").string() + "'"), std::string::npos);
  EXPECT_NE(text.find("|Other users can change the folder " + (folder / "ports").string()),
            std::string::npos);
  // A working folder open to others is named alone: everything in it is refused.
  app.Shutdown();
  fs::permissions(folder, fs::perms::all);
  EXPECT_EQ(FolderTroubleText(folder, app.Files()), UntrustedFolderText(folder));
}

TEST_F(ApplicationTest, SecondCopyTellsTheUserAndShowsNoWindow) {
  MemoryInstanceGuard firstCopy;
  ASSERT_EQ(firstCopy.Acquire("Quorbel Editor"), GuardResult::Acquired);
  app.Run();
  EXPECT_THAT(MessageTexts(),
              ElementsAre("Brenlow Electronics, Inc.: QuorbelU is Already Running"));
  EXPECT_EQ(kit.MessageBoxes()[0].buttons, ui::Buttons::Ok);
  EXPECT_THAT(kit.FormNames(), IsEmpty());
  EXPECT_THAT(parts->calls, IsEmpty());
  EXPECT_EQ(app.State().windows.DialogActive, 0);
  // Shutting the refused copy down, as on a signal, leaves the first copy's
  // guard and preferences alone.
  const std::string preferences = ReadFile(folder / "QuorbelU.ini");
  app.Shutdown();
  EXPECT_EQ(ReadFile(folder / "QuorbelU.ini"), preferences);
  EXPECT_THAT(parts->calls, IsEmpty());
  MemoryInstanceGuard third;
  EXPECT_EQ(third.Acquire("Quorbel Editor"), GuardResult::AlreadyRunning);
}

TEST_F(ApplicationTest, GuardThatCannotBeMadeSaysSoAndEndsStartup) {
  guard.SetFails(true);
  app.Run();
  EXPECT_THAT(kit.FormNames(), IsEmpty());
  EXPECT_THAT(MessageTexts(),
              ElementsAre(std::string("Brenlow Electronics, Inc.: ") + kGuardFailureMessage));
}

TEST_F(ApplicationTest, MissingPreferencesAreReportedBeforeThePortIsTried) {
  fs::remove(folder / "QuorbelU.ini");
  std::size_t boxesWhenOpened = 0;
  parts->onCall = [&](const std::string& call) {
    if (call == "OpenLinkAtStartup") boxesWhenOpened = kit.MessageBoxes().size();
  };
  app.Run();
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  EXPECT_EQ(kit.MessageBoxes()[0].text, kPreferencesMissingMessage);
  EXPECT_EQ(boxesWhenOpened, 1u);
}

TEST_F(ApplicationTest, ShutdownDuringAStartupMessageEndsStartup) {
  fs::remove(folder / "QuorbelU.ini");
  kit.SetDialogHook([&] { app.Shutdown(); });
  app.Run();
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_THAT(parts->calls, ElementsAre("StopLink"));
  EXPECT_EQ(kit.MessageBoxes().size(), 1u);
}

TEST_F(ApplicationTest, ShutdownInsideADeviceRequestFinishesWhenTheRequestReturns) {
  app.Run();
  parts->calls.clear();
  parts->insideRequest = true;
  app.Shutdown();
  // The preferences are written at once; the link, the guard and the window
  // wait for the request, whose thread the link's stop waits for.
  EXPECT_FALSE(kit.TimerRunning("main", ui::kStatusTimer));
  EXPECT_NE(ReadFile(folder / "QuorbelU.ini").find("Com Port=7"), std::string::npos);
  EXPECT_THAT(parts->calls, IsEmpty());
  EXPECT_TRUE(kit.HasForm("main"));
  EXPECT_TRUE(guard.Holds());
  app.Shutdown();
  ASSERT_EQ(parts->putOff.size(), 1u);

  parts->insideRequest = false;
  parts->putOff.front()();
  EXPECT_THAT(parts->calls, ElementsAre("StopLink"));
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_FALSE(guard.Holds());
}

TEST_F(ApplicationTest, FailuresInAnEventOrTheLinkNeverEndTheProgram) {
  app.Run();
  parts->calls.clear();
  parts->onCall = [](const std::string& call) {
    if (call == "OpenKeysetDisplay" || call == "StopLink") throw std::runtime_error("no");
  };
  desktop.SetForeground(kit.Handle("main"));
  EXPECT_TRUE(kit.Click("main", ui::kKeysetDisplayItem));
  EXPECT_THAT(parts->calls, ElementsAre("OpenKeysetDisplay"));
  // A link that fails to stop still lets the program end.
  app.Shutdown();
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_FALSE(guard.Holds());
}

TEST_F(ApplicationTest, ExitWritesPreferencesStopsTheLinkAndReleasesTheGuard) {
  app.Run();
  app.State().link = {12, 2400};
  parts->calls.clear();
  app.Shutdown();
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_THAT(parts->calls, ElementsAre("StopLink"));
  const std::string written = ReadFile(folder / "QuorbelU.ini");
  EXPECT_NE(written.find("Com Port=12"), std::string::npos);
  EXPECT_NE(written.find("Baud Rate=2400"), std::string::npos);
  EXPECT_FALSE(guard.Holds());
  app.Shutdown();
  EXPECT_THAT(parts->calls, ElementsAre("StopLink"));
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

TEST_F(ApplicationTest, FormsAreRoutedWhateverTheCaseOfTheirNames) {
  app.Run();
  app.LayOut("YESNO");
  ui::Event answer{"YesNo", 1, ui::kClick, 0, false};
  app.Event(answer);
  ui::Event escape{"KSDisplay", 27, ui::kClick, 0, false};
  app.KeysetDisplay().OpenKeysetDisplay();
  EXPECT_TRUE(kit.HasForm("ksdisplay"));
  EXPECT_TRUE(kit.Control("KSDISPLAY", 3000));
  app.Event(escape);
  EXPECT_FALSE(kit.HasForm("ksdisplay"));
  EXPECT_THAT(parts->calls, testing::Contains("LayOutForm YESNO"));
  EXPECT_THAT(parts->calls, testing::Contains("FormEvent YesNo 1"));
}

}  // namespace
}  // namespace quorbel
