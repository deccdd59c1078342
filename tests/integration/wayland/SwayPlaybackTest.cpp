// The whole program on a headless sway: QuorbelU on Qt's Wayland platform,
// the simulated surface, and a small Wayland client of the tests that prints
// what its keyboard and pointer receive.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "keysets/KeysetFiles.h"
#include "keysets/KeysetModel.h"
#include "platform/linux/wayland/SwayWindows.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "tests/gui/app/ProgramRun.h"
#include "tests/integration/wayland/HeadlessSway.h"
#include "tests/support/SurfaceProcess.h"

namespace quorbel::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr int kPort = 1;
constexpr int kF3 = 2;
constexpr int kF4 = 3;
constexpr int kPage1 = 32;
constexpr std::int32_t kCtrlShift = 2 | 4;
constexpr std::int32_t kLeftClick = 0x8000;
constexpr Point kClickAt{50, 60};

// A keyset file of `steps` on controls of the first layer.
struct PlannedStep {
  int control;
  int step;
  Step content;
};
void WriteKeyset(const ProgramFolder& folder, const std::string& name,
                 const std::vector<PlannedStep>& steps) {
  KeysetModel keysets;
  std::string image;
  {
    auto model = keysets.Lock();
    model->SetKeysetName(0, name);
    for (const PlannedStep& planned : steps)
      model->SetStep(planned.control, planned.step, planned.content);
    for (int layer = 0; layer < kLayerSlots; ++layer) {
      image.append(reinterpret_cast<const char*>(&model->Record(0, layer)), kKeysetLayerBytes);
    }
  }
  fs::create_directories(folder.path() / "keysets");
  std::ofstream(folder.path() / "keysets" / (name + ".qrb"), std::ios::binary) << image;
}

class SwayPlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = HeadlessSway::Unavailable(); !why.empty()) GTEST_SKIP() << why;
    sway = std::make_unique<HeadlessSway>();
    desktop = std::make_unique<WaylandDesktop>(wayland::SwayWindows::ForSocket(sway->swaySocket()),
                                               [] { return WindowId{0}; });
    folder = std::make_unique<ProgramFolder>();
    folder->WritePreferences(kPort, 38400);
    WriteKeyset(*folder, "Default", {{kF3, 1, {0, 0, 'D', 0, 0}}, {kF4, 1, {0, 0, 'D', 0, 0}}});
    WriteKeyset(*folder, "Mytarget",
                {{kF3, 1, {0, 0, 'S', kCtrlShift, 0}},
                 {kF3, 2, {kClickAt.x, kClickAt.y, kLeftClick, 0, 0}},
                 {kF4, 1, {0, 0, 'X', 0, 0}}});
    surface = std::make_unique<SurfaceProcess>(folder->path().string(), kPort);
    ASSERT_GE(surface->CommandAndWait("log on", "log on"), 0);
    StartTarget("mytarget");
    StartEditor();
    FocusTarget();
  }

  void TearDown() override {
    target.reset();
    editor.reset();
    surface.reset();
    folder.reset();
    desktop.reset();
    sway.reset();
  }

  void StartTarget(const std::string& name) {
    const fs::path program = folder->path() / name;
    fs::copy_file(QUORBEL_WAYLAND_TARGET, program);
    target = std::make_unique<ChildProcess>(
        Lines{"env", "WAYLAND_DISPLAY=" + sway->waylandDisplay(),
              "XDG_RUNTIME_DIR=" + folder->path().string(), program.string(), name});
    ASSERT_TRUE(NextTargetLine("ready"));
  }

  void StartEditor() {
    const std::string dir = folder->path().string();
    editor = std::make_unique<ChildProcess>(
        Lines{"sh", "-c",
              "cd \"$1\" && exec env -u DISPLAY WAYLAND_DISPLAY=\"$2\" SWAYSOCK=\"$3\" "
              "XDG_RUNTIME_DIR=\"$1\" QT_QPA_PLATFORM=wayland \"$4\"",
              "sh", dir, sway->waylandDisplay(), sway->swaySocket(), QUORBELU_PROGRAM},
        1, true);
    editorWindow = WaitForWindow(*desktop, editor->pid(), [](const std::string& title) {
      return title.starts_with("Quorbel - ");
    });
    ASSERT_NE(editorWindow, 0u) << "the editor's window did not come up";
  }

  void FocusTarget() {
    sway->Command("[app_id=quorbel-target] focus");
    ASSERT_TRUE(NextTargetLine("focus"));
  }

  void FocusEditor() {
    sway->Command("[pid=" + std::to_string(editor->pid()) + "] focus");
    WaitUntil([this] { return desktop->ForegroundWindow() == editorWindow; });
  }

  // Passes over the target's lines up to one that starts with `prefix`.
  bool NextTargetLine(const std::string& prefix) {
    while (auto line = target->ReadLine(std::chrono::seconds(10))) {
      if (line->starts_with(prefix)) return true;
    }
    return false;
  }

  // The target's key and button lines from the next one up to and with the
  // one that starts with `last`; the modifier lines that came between them
  // kept in their place.
  Lines TargetLinesThrough(const std::string& last) {
    Lines lines;
    while (auto line = target->ReadLine(std::chrono::seconds(10))) {
      const bool input = line->starts_with("key ") || line->starts_with("button ");
      if (input || (!lines.empty() && line->starts_with("mods"))) lines.push_back(*line);
      if (line->starts_with(last)) break;
    }
    return lines;
  }

  // The editor's caption; Qt on Wayland adds the program's name after it.
  bool EditorCaptionIs(const std::string& caption) {
    const std::string title = desktop->WindowTitle(editorWindow);
    return title == caption || title.starts_with(caption + " \u2014 ");
  }

  void PressOnSurface(int control) {
    surface->Command("press " + std::to_string(control));
    surface->Command("release " + std::to_string(control));
  }

  void WaitForCaption(const std::string& caption) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!EditorCaptionIs(caption)) {
      if (std::chrono::steady_clock::now() > deadline) {
        throw std::runtime_error("the editor's caption stayed \"" +
                                 desktop->WindowTitle(editorWindow) + "\"");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  static void WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("waited in vain");
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  std::unique_ptr<HeadlessSway> sway;
  std::unique_ptr<WaylandDesktop> desktop;
  std::unique_ptr<ProgramFolder> folder;
  std::unique_ptr<SurfaceProcess> surface;
  std::unique_ptr<ChildProcess> target;
  std::unique_ptr<ChildProcess> editor;
  WindowId editorWindow = 0;
};

TEST_F(SwayPlayback, ThePressPlaysTheTargetsKeysWithModifiersAndClicksAtTheClientPoint) {
  PressOnSurface(kF3);
  EXPECT_EQ(TargetLinesThrough("button 272 up"),
            (Lines{"key Control_L down once", "mods Control", "key Shift_L down once",
                   "mods Shift Control", "key S down once", "key S up once", "key Shift_L up once",
                   "mods Control", "key Control_L up once", "mods", "button 272 down 50 60",
                   "button 272 up 50 60"}));
  WaitForCaption("Quorbel - Mytarget");
}

TEST_F(SwayPlayback, TheEditorInFrontOnlySelects) {
  PressOnSurface(kF4);
  EXPECT_EQ(TargetLinesThrough("key x up"), (Lines{"key x down once", "key x up once"}));
  WaitForCaption("Quorbel - Mytarget");

  FocusEditor();
  const std::size_t from = surface->LineCount();
  PressOnSurface(kPage1);
  EXPECT_GE(surface->WaitForLine(from, "recv BF 12 20"), 0);  // the Page key's lamp
  // Played as a program of its own, the press would have made Default current.
  EXPECT_TRUE(EditorCaptionIs("Quorbel - Mytarget")) << desktop->WindowTitle(editorWindow);
}

}  // namespace
}  // namespace quorbel::testing
