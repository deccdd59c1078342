#include "tests/e2e/EndToEndRig.h"

#include <fstream>

#include <signal.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace quorbel::testing {

namespace {

constexpr int kPort = 1;
constexpr int kBaudRate = 38400;
// The form's character units in pixels, and the menu bar above the form's
// client area. Clicks aim at the middle of a control at least 20 pixels
// high, so a menu bar a few pixels taller or shorter still hits it.
constexpr double kColumnPixels = 8;
constexpr double kRowPixels = 16;
constexpr int kMenuBarPixels = 19;
// The target's window lies right of and below the editor's window (about
// 1015 by 540 pixels at the top left corner), so neither covers the other.
constexpr const char* kTargetLeft = "870";
constexpr const char* kTargetTop = "600";
// A point of the editor's top strip with no control on it.
constexpr double kStripColumn = 100;
constexpr double kStripRow = 0.9;

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

}  // namespace

void EndToEndTest::SetUp() {
  server = XvfbServer::Start();
  if (!server) GTEST_SKIP() << "Xvfb is not installed";
  desktop = X11Desktop::Connect(server->display());
  input = X11Input::Connect(server->display());
  ASSERT_TRUE(desktop && input);
  folder = std::make_unique<ProgramFolder>();
  folder->WritePreferences(kPort, kBaudRate);
}

bool EndToEndTest::ProcessEnded(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string pidText, name, state;
  stat >> pidText >> name >> state;
  return !stat || state == "Z";
}

void EndToEndTest::TearDown() {
  // The programs first, their folder next, the X server last.
  target.reset();
  editor.reset();
  surface.reset();
  folder.reset();
}

std::filesystem::path EndToEndTest::KeysetFile(const std::string& name) const {
  return folder->path() / "keysets" / (name + ".qrb");
}

void EndToEndTest::WriteKeyset(const std::string& name, const KeysetImage& image) const {
  image.Write(KeysetFile(name));
}

void EndToEndTest::StartSurface() {
  surface = std::make_unique<SurfaceProcess>(folder->path().string(), kPort);
  if (surface->CommandAndWait("log on", "log on") < 0) {
    throw std::runtime_error("the surface does not log");
  }
}

void EndToEndTest::StartEditor() {
  editor = StartProgram(*folder, server->display());
  editorWindow = WaitForWindow(*desktop, editor->pid(), [](const std::string& title) {
    return title.starts_with("Quorbel - ");
  });
  if (editorWindow == 0) throw std::runtime_error("the editor's window did not come up");
}

int EndToEndTest::StopEditor() {
  ::kill(editor->pid(), SIGTERM);
  const int status = editor->Wait();
  editor.reset();
  editorWindow = 0;
  return status;
}

void EndToEndTest::StartTarget(const std::string& name) {
  const std::filesystem::path program = folder->path() / name;
  std::filesystem::copy_file(QUORBEL_X11_RECORDER, program);
  target = std::make_unique<RecorderProcess>(
      server->display(), std::vector<std::string>{"--at", kTargetLeft, kTargetTop, "--click-focus"},
      program.string());
}

void EndToEndTest::BringTargetToFront() {
  input->SetCursor(input->ClientToScreen(target->window(), kTargetPoint));
  input->Click(MouseButton::Left);
  const auto lines = target->LinesThrough("button");
  if (lines.empty() || !lines.back().starts_with("button")) {
    throw std::runtime_error("the target was not clicked");
  }
  WaitUntil([this] { return desktop->ForegroundWindow() == target->window(); },
            "the target did not come to the front");
}

void EndToEndTest::BringEditorToFront() {
  ClickEditor(kStripColumn, kStripRow);
  WaitUntil([this] { return desktop->ForegroundWindow() == editorWindow; },
            "the editor did not come to the front");
}

void EndToEndTest::ClickEditor(double column, double row) {
  const Point client{static_cast<int>(column * kColumnPixels),
                     static_cast<int>(row * kRowPixels) + kMenuBarPixels};
  input->SetCursor(input->ClientToScreen(editorWindow, client));
  input->Click(MouseButton::Left);
}

void EndToEndTest::TypeKey(int virtualKey) {
  input->KeyDown(virtualKey);
  input->KeyUp(virtualKey);
}

void EndToEndTest::PressOnSurface(int control) {
  surface->Command("press " + std::to_string(control));
  surface->Command("release " + std::to_string(control));
}

void EndToEndTest::WaitForSent(std::size_t from, const std::string& message,
                               std::chrono::milliseconds timeout) {
  if (surface->WaitForLine(from, "recv " + message, timeout) < 0) {
    throw std::runtime_error("the program did not send the surface " + message);
  }
}

std::vector<int> EndToEndTest::LitLamps() {
  for (const std::string& line : surface->State()) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word != "lamps") continue;
    std::vector<int> lamps;
    for (int lamp = 0; words >> lamp;) lamps.push_back(lamp);
    return lamps;
  }
  throw std::runtime_error("the surface did not tell its state");
}

bool EndToEndTest::SurfaceShows(const std::string& stateLine) {
  const auto state = surface->State();
  return std::ranges::find(state, stateLine) != state.end();
}

std::vector<std::string> EndToEndTest::NextKeyLines(std::size_t count) {
  std::vector<std::string> keys;
  while (keys.size() < count) {
    const auto lines = target->Lines(1);
    if (lines.empty()) break;
    if (lines.front().starts_with("press ") || lines.front().starts_with("release ")) {
      keys.push_back(lines.front());
    }
  }
  return keys;
}

std::optional<std::string> EndToEndTest::NextKeyPress() {
  const auto lines = target->LinesThrough("press ");
  if (lines.empty() || !lines.back().starts_with("press ")) return std::nullopt;
  std::istringstream words(lines.back());
  std::string word;
  std::string keysym;
  words >> word >> keysym;
  return keysym;
}

std::vector<std::string> EndToEndTest::NextKeyPresses(std::size_t count) {
  std::vector<std::string> keys;
  while (keys.size() < count) {
    auto key = NextKeyPress();
    if (!key) break;
    keys.push_back(*key);
  }
  if (keys.size() < count) {
    throw std::runtime_error("the target saw only these keys: " + Joined(keys));
  }
  return keys;
}

std::string EndToEndTest::EditorTitle() { return desktop->WindowTitle(editorWindow); }

void EndToEndTest::WaitForEditorTitle(const std::string& title, std::chrono::milliseconds timeout) {
  WaitUntil([&] { return EditorTitle() == title; },
            "the editor's caption did not become \"" + title + "\"", timeout);
}

void EndToEndTest::WaitUntil(const std::function<bool()>& done, const std::string& what,
                             std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error(what);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace quorbel::testing
