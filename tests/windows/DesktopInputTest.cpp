// The desktop and input of Windows against a target program of the tests'
// own, which writes down every key, character and click it receives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "keysets/KeysetLayer.h"
#include "keysets/KeysetModel.h"
#include "keysets/TargetProgram.h"
#include "keysets/WindowList.h"
#include "platform/memory/MemoryUiRequests.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsDesktop.h"
#include "platform/windows/WindowsInput.h"
#include "playback/HeldInput.h"
#include "playback/Playback.h"
#include "playback/SteadyWait.h"
#include "surface/ControlCatalogue.h"
#include "tests/support/TempFolder.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetListView.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::Contains;

// True once `done` holds, false when 20 seconds pass first.
bool Within(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

fs::path Beside(const std::wstring& name) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  return fs::path(self).parent_path() / name;
}

// The target program in front, started afresh for each test.
class DesktopInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::wstring command = L"\"" + program.wstring() + L"\" \"" + log.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    ASSERT_TRUE(Within([this] { return !Lines().empty(); })) << "the target never started";
    window = static_cast<WindowId>(std::stoull(Lines().front().substr(6)));
    SetForegroundWindow(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)));
    ASSERT_TRUE(Within([this] { return desktop.ForegroundWindow() == window; }));
  }

  void TearDown() override {
    PostMessageW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    fs::remove_all(folder);
  }

  std::vector<std::string> Lines() const {
    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  bool Received(const std::string& line) const {
    const std::vector<std::string> lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  const fs::path program = Beside(L"windows_target.exe");
  const fs::path folder = MakeTempFolder("quorbel-target-");
  const fs::path log = folder / "received.txt";
  PROCESS_INFORMATION process{};
  WindowId window = 0;
  WindowsDesktop desktop;
  WindowsInput input;
};

TEST_F(DesktopInputTest, TheTargetIsFoundInFrontWithItsClassProcessAndExecutable) {
  EXPECT_EQ(desktop.WindowClass(window), "QuorbelTarget");
  EXPECT_EQ(desktop.WindowTitle(window), "Quorbel target");
  EXPECT_THAT(desktop.TopLevelWindows(), Contains(window));
  const int processId = desktop.ProcessId(window);
  EXPECT_EQ(processId, static_cast<int>(process.dwProcessId));
  const fs::path executable(WideFromUtf8(desktop.ExecutablePath(processId)));
  EXPECT_TRUE(fs::equivalent(executable, program)) << desktop.ExecutablePath(processId);
}

TEST_F(DesktopInputTest, KeysCharactersAndAClickAtAClientPointArrive) {
  input.KeyDown('A');
  input.KeyUp('A');
  EXPECT_TRUE(Within([this] { return Received("up 65"); }));
  EXPECT_TRUE(Received("down 65"));
  EXPECT_TRUE(Received("char 97"));

  input.CharacterDown(U'\u00e4');
  input.CharacterUp(U'\u00e4');
  EXPECT_TRUE(Within([this] { return Received("char 228"); }));

  input.SetCursor(input.ClientToScreen(window, {120, 45}));
  const Point back = desktop.ScreenToClient(window, desktop.CursorPosition());
  EXPECT_EQ(back.x, 120);
  EXPECT_EQ(back.y, 45);
  input.Click(MouseButton::Left);
  EXPECT_TRUE(Within([this] { return Received("click 120 45"); }));
}

class NoEditor : public EditorView {
 public:
  void ShowControl(int) override {}
};

TEST_F(DesktopInputTest, AnInterruptedSequenceLeavesNoKeyDown) {
  WindowList windows{desktop};
  KeysetModel keysets;
  ui::MemoryToolkit toolkit;
  toolkit.CreateForm("MAIN", "", "QuorbelU", ui::Rect{0, 0, 126.875, 32.4375}, "_C", 15, 32);
  MemoryUiRequests requests;
  ui::KeysetListView listed{toolkit};
  TargetProgram target{windows, keysets, toolkit, listed, requests, [](ui::Event&) {}};
  NoEditor editor;
  HeldInput held{input};
  SteadyWait wait;
  const ControlCatalogue catalogue;
  Playback playback{keysets, target, editor, requests, held, wait, catalogue};
  // Ctrl, shift and K held 5 seconds, then more of the same: minutes, unless interrupted.
  constexpr int kControl = 59;
  for (int s = 1; s <= 3; ++s)
    keysets.Lock()->SetStep(kControl, s, Step{0, 0, 'K', kCtrl | kShift, 100});

  std::atomic<bool> done{false};
  std::thread device([&] {
    playback.Play(kControl, window);
    done = true;
    requests.Wake();
  });
  // The test is the GUI thread: it serves playback's requests while it looks.
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!Received("down 75") && std::chrono::steady_clock::now() < deadline) {
    requests.ServePending();
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_TRUE(Received("down 75"));
  playback.Interrupt();
  requests.ServeUntil([&] { return done.load(); });
  device.join();

  EXPECT_TRUE(held.Held().empty());
  for (const int key : {int{'K'}, VK_SHIFT, VK_CONTROL}) {
    EXPECT_TRUE(Within([&] { return Received("up " + std::to_string(key)); })) << key;
    EXPECT_EQ(GetAsyncKeyState(key) & 0x8000, 0) << key;
  }
}

}  // namespace
}  // namespace quorbel
