#include "tests/windows/e2e/WineRig.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

#include "platform/windows/WideText.h"

namespace quorbel::testing {

namespace fs = std::filesystem;

namespace {

constexpr int kPort = 1;
constexpr int kBaudRate = 38400;
// The form's character units in pixels of the client area at 96 dots per inch.
constexpr double kColumnPixels = 8;
constexpr double kRowPixels = 16;
// The target's window lies right of and below the editor's window (about
// 1025 by 570 pixels with its frame, at the top left corner), so neither
// covers the other on the 1280 by 1024 screen.
constexpr const wchar_t* kTargetLeft = L"870";
constexpr const wchar_t* kTargetTop = L"600";
// A point of the editor's top strip with no control on it.
constexpr double kStripColumn = 100;
constexpr double kStripRow = 0.9;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr)
    throw std::runtime_error(std::string(name) +
                             " is not set: run the test "
                             "through surface-on-com1.sh");
  return value;
}

HWND Handle(WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

}  // namespace

WineRig::WineRig() : surface(Environment("QUORBEL_SURFACE_LOG")) {
  std::ofstream(folder.Path() / "QuorbelU.ini", std::ios::binary)
      << "[QUORBELU]\r\nCom Port=" << kPort << "\r\nBaud Rate=" << kBaudRate << "\r\n";
  TellSurfaceAndWait("log on", "log on");
}

WineRig::~WineRig() {
  // Asked to close first, as a user would; ended by force only when they do not.
  for (const auto& [program, window] :
       {std::pair{target.get(), targetWindow}, std::pair{editor.get(), editorWindow}}) {
    if (program == nullptr) continue;
    ::PostMessageW(Handle(window), WM_CLOSE, 0, 0);
    program->WaitForEnd(std::chrono::seconds(5));
  }
  target.reset();
  editor.reset();
}

fs::path WineRig::KeysetFile(const std::string& name) const {
  return folder.Path() / "keysets" / (name + ".qrb");
}

void WineRig::WriteKeyset(const std::string& name, const KeysetImage& image) const {
  image.Write(KeysetFile(name));
}

void WineRig::StartEditor() {
  editor = std::make_unique<StartedProgram>(fs::path(QUORBEL_WINE_PROGRAM).make_preferred(),
                                            std::vector<std::wstring>{}, folder.Path());
  editorWindow = WaitForWindow(
      editor->id(), [](const std::string& title) { return title.starts_with("Quorbel - "); });
  if (editorWindow == 0) {
    std::string titles;
    for (WindowId window : desktop.TopLevelWindows()) {
      if (desktop.ProcessId(window) == editor->id())
        titles += " \"" + desktop.WindowTitle(window) + "\"";
    }
    throw std::runtime_error("the editor's window did not come up; its windows:" +
                             (titles.empty() ? std::string(" none") : titles));
  }
}

unsigned long WineRig::StopEditor() {
  ::PostMessageW(Handle(editorWindow), WM_CLOSE, 0, 0);
  const auto status = editor->WaitForEnd(std::chrono::seconds(10));
  if (!status) throw std::runtime_error("the program did not end when its window was closed");
  editor.reset();
  editorWindow = 0;
  return *status;
}

std::unique_ptr<StartedProgram> WineRig::StartSecondCopy() const {
  return std::make_unique<StartedProgram>(fs::path(QUORBEL_WINE_PROGRAM).make_preferred(),
                                          std::vector<std::wstring>{}, folder.Path());
}

void WineRig::StartTarget(const std::string& name) {
  const fs::path program = folder.Path() / (name + ".exe");
  fs::copy_file(fs::path(QUORBEL_WINE_TARGET).make_preferred(), program);
  targetLog = std::make_unique<LineFile>(folder.Path() / (name + ".log"));
  target = std::make_unique<StartedProgram>(
      program, std::vector<std::wstring>{targetLog->path().wstring(), kTargetLeft, kTargetTop},
      folder.Path());
  const auto ready = targetLog->Next({"ready "});
  if (!ready) throw std::runtime_error("the target did not start");
  targetWindow = static_cast<WindowId>(std::stoull(ready->substr(6)));
  BringTargetToFront();
}

void WineRig::BringTargetToFront() {
  const bool editorInFront = editorWindow != 0 && desktop.ForegroundWindow() == editorWindow;
  const std::size_t from = targetLog->LineCount();
  input.SetCursor(input.ClientToScreen(targetWindow, kTargetPoint));
  input.Click(MouseButton::Left);
  const std::string click =
      "click " + std::to_string(kTargetPoint.x) + " " + std::to_string(kTargetPoint.y);
  if (targetLog->WaitForLine(from, click) < 0)
    throw std::runtime_error("the target was not clicked");
  // The editor minimises itself as it loses the focus, later when it is busy,
  // and the window manager hands the focus about meanwhile, to the editor's
  // icon too. The editor is given a moment to go down (under Wine it does
  // not always), and the target counts as in front once it has stayed there
  // a moment, as a user's next press would find it.
  if (editorInFront) {
    Eventually([&] { return ::IsIconic(Handle(editorWindow)) != FALSE; }, std::chrono::seconds(3));
  }
  // On a busy machine the window manager now and then hands the focus on
  // after the click; the target is then asked to the front as the task bar
  // would, which adds no click to its lines.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!StaysInFront(targetWindow, std::chrono::seconds(4))) {
    if (std::chrono::steady_clock::now() > deadline)
      throw std::runtime_error("the target did not come to the front; " + FocusState());
    ::SetForegroundWindow(Handle(targetWindow));
  }
}

bool WineRig::StaysInFront(WindowId window, std::chrono::milliseconds timeout) {
  constexpr auto kSettled = std::chrono::milliseconds(300);
  auto since = std::chrono::steady_clock::now();
  return Eventually(
      [&] {
        const auto now = std::chrono::steady_clock::now();
        if (desktop.ForegroundWindow() != window) since = now;
        return now - since >= kSettled;
      },
      timeout);
}

void WineRig::BringEditorToFront() {
  // The editor minimises itself whenever it loses the focus, also while the
  // window manager still sorts out an earlier change of focus: it is brought
  // back again until it stays in front.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    if (::IsIconic(Handle(editorWindow))) desktop.RestoreWindow(editorWindow);
    ::SetForegroundWindow(Handle(editorWindow));
    if (!::IsIconic(Handle(editorWindow))) ClickEditor(kStripColumn, kStripRow);
    if (StaysInFront(editorWindow, std::chrono::seconds(2))) return;
    if (std::chrono::steady_clock::now() > deadline)
      throw std::runtime_error("the editor did not come to the front; " + FocusState());
  }
}

void WineRig::ClickEditor(double column, double row) {
  const Point client{static_cast<int>(column * kColumnPixels), static_cast<int>(row * kRowPixels)};
  input.SetCursor(input.ClientToScreen(editorWindow, client));
  input.Click(MouseButton::Left);
}

void WineRig::TypeKey(int virtualKey) {
  input.KeyDown(virtualKey);
  input.KeyUp(virtualKey);
}

void WineRig::WaitForEditorFocus(int id) {
  const HWND window = Handle(editorWindow);
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(thread, &info) != FALSE &&
               info.hwndFocus == ::GetDlgItem(window, id) && info.hwndFocus != nullptr;
      },
      "control " + std::to_string(id) + " of the editor did not get the focus");
}

std::string WineRig::FocusState() {
  const HWND window = Handle(editorWindow);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const bool known = ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
  const WindowId frontWindow = desktop.ForegroundWindow();
  const HWND front = Handle(frontWindow);
  // A message box keeps its text in the static control 0xFFFF.
  std::wstring says(512, L'\0');
  says.resize(static_cast<std::size_t>(
      ::GetDlgItemTextW(front, 0xFFFF, says.data(), static_cast<int>(says.size()))));
  std::wstring kind(64, L'\0');
  kind.resize(static_cast<std::size_t>(::GetClassNameW(front, kind.data(), 64)));
  return "\"" + desktop.WindowTitle(frontWindow) + "\" (" + Utf8FromWide(kind) + ")" +
         (says.empty() ? "" : " saying \"" + Utf8FromWide(says) + "\"") + " in front, the editor " +
         (::IsIconic(window) ? "" : "not ") + "minimised, its focus on " +
         (known && info.hwndFocus != nullptr
              ? "control " + std::to_string(::GetDlgCtrlID(info.hwndFocus))
              : std::string("nothing"));
}

void WineRig::PressOnSurface(int control) {
  TellSurface("press " + std::to_string(control));
  TellSurface("release " + std::to_string(control));
}

void WineRig::TellSurface(const std::string& command) const {
  std::ofstream(Environment("QUORBEL_SURFACE_COMMANDS"), std::ios::app) << command << '\n';
}

std::size_t WineRig::TellSurfaceAndWait(const std::string& command,
                                        const std::string& confirmation) {
  const std::size_t from = surface.LineCount();
  TellSurface(command);
  const long line = surface.WaitForLine(from, confirmation);
  if (line < 0) throw std::runtime_error("the surface did not confirm " + command);
  return static_cast<std::size_t>(line);
}

void WineRig::WaitForSent(std::size_t from, const std::string& message,
                          std::chrono::milliseconds timeout) {
  if (surface.WaitForLine(from, "recv " + message, timeout) < 0) {
    throw std::runtime_error("the program did not send the surface " + message);
  }
}

std::vector<int> WineRig::LitLamps() {
  const std::size_t end = TellSurfaceAndWait("state", "end state");
  const std::vector<std::string> lines = surface.Lines();
  // The state block ends at "end state"; messages logged meanwhile may come
  // before its "lamps" line.
  for (std::size_t i = end; i-- > 0;) {
    if (!lines[i].starts_with("lamps")) continue;
    std::istringstream words(lines[i].substr(5));
    std::vector<int> lamps;
    for (int lamp = 0; words >> lamp;) lamps.push_back(lamp);
    return lamps;
  }
  throw std::runtime_error("the surface did not tell its lamps");
}

bool WineRig::SurfaceShows(const std::string& stateLine) {
  const std::size_t from = surface.LineCount();
  const std::size_t end = TellSurfaceAndWait("state", "end state");
  const std::vector<std::string> lines = surface.Lines();
  for (std::size_t i = from; i < end; ++i) {
    if (lines[i] == stateLine) return true;
  }
  return false;
}

std::vector<std::string> WineRig::NextKeyLines(std::size_t count) {
  std::vector<std::string> keys;
  while (keys.size() < count) {
    auto line = targetLog->Next({"down ", "up "});
    if (!line) break;
    keys.push_back(*line);
  }
  return keys;
}

std::optional<int> WineRig::NextKeyDown(std::chrono::milliseconds timeout) {
  const auto line = targetLog->Next({"down "}, timeout);
  if (!line) return std::nullopt;
  return std::stoi(line->substr(5));
}

std::vector<int> WineRig::NextKeysDown(std::size_t count) {
  std::vector<int> keys;
  std::string seen;
  while (keys.size() < count) {
    const auto key = NextKeyDown();
    if (!key) throw std::runtime_error("the target saw only these keys go down:" + seen);
    keys.push_back(*key);
    seen += " " + std::to_string(*key);
  }
  return keys;
}

std::string WineRig::EditorTitle() { return desktop.WindowTitle(editorWindow); }

void WineRig::WaitForEditorTitle(const std::string& title, std::chrono::milliseconds timeout) {
  if (!Eventually([&] { return EditorTitle() == title; }, timeout)) {
    throw std::runtime_error("the editor's caption did not become \"" + title + "\" but stayed \"" +
                             EditorTitle() + "\"");
  }
}

WindowId WineRig::WaitForWindow(int id, const std::function<bool(const std::string&)>& wanted,
                                std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    for (WindowId window : desktop.TopLevelWindows()) {
      if (desktop.ProcessId(window) == id && wanted(desktop.WindowTitle(window))) return window;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

bool WineRig::Eventually(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void WineRig::WaitUntil(const std::function<bool()>& done, const std::string& what,
                        std::chrono::milliseconds timeout) {
  if (!Eventually(done, timeout)) throw std::runtime_error(what);
}

}  // namespace quorbel::testing
