// Stopping the device thread cuts playback short and leaves no key held;
// starting it again lets playback play.
#include "app/PlayingDeviceRunner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "keysets/TargetProgram.h"
#include "keysets/WindowList.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryInput.h"
#include "platform/memory/MemoryUiRequests.h"
#include "playback/memory/ClockWait.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetListView.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;

class RecordingRunner : public DeviceRunner {
 public:
  void Start() override { calls.push_back("Start"); }
  void Stop() override { calls.push_back("Stop"); }
  bool Running() const override { return false; }
  bool HungUp() const override { return false; }
  void Hold() override {}
  void LetGo() override {}
  void GiveBack(std::span<const std::uint8_t>) override { calls.push_back("GiveBack"); }
  std::vector<std::string> calls;
};

class NoEditor : public EditorView {
 public:
  void ShowControl(int) override {}
};

class PlayingDeviceRunnerTest : public ::testing::Test {
 protected:
  RecordingRunner thread;
  KeysetModel keysets;
  MemoryDesktop desktop;
  WindowList windows{desktop};
  ui::MemoryToolkit toolkit;
  MemoryUiRequests requests;
  ui::KeysetListView listed{toolkit};
  TargetProgram target{windows, keysets, toolkit, listed, requests, [](ui::Event&) {}};
  NoEditor editor;
  MemoryInput input;
  HeldInput held{input};
  FakeClock clock;
  ClockWait wait{clock};
  const ControlCatalogue catalogue;
  Playback playback{keysets, target, editor, requests, held, wait, catalogue};
  PlayingDeviceRunner runner{thread, playback, held};
};

TEST_F(PlayingDeviceRunnerTest, StopInterruptsPlaybackAndReleasesHeldKeys) {
  held.KeyDown(17);
  held.KeyDown(16);
  runner.Stop();
  EXPECT_THAT(thread.calls, ElementsAre("Stop"));
  EXPECT_TRUE(wait.Interrupted());
  EXPECT_THAT(input.Events(), ElementsAre("down 17", "down 16", "up 16", "up 17"));
  EXPECT_TRUE(held.Held().empty());
}

TEST_F(PlayingDeviceRunnerTest, StartLetsPlaybackPlayAgain) {
  runner.Stop();
  runner.Start();
  EXPECT_THAT(thread.calls, ElementsAre("Stop", "Start"));
  EXPECT_FALSE(wait.Interrupted());
}

}  // namespace
}  // namespace quorbel
