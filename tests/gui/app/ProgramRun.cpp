#include "tests/gui/app/ProgramRun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "keysets/KeysetFiles.h"
#include "keysets/KeysetModel.h"

namespace quorbel::testing {

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder() {
  std::string pattern = (fs::temp_directory_path() / "quorbelu-run-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  path_ = pattern;
}

ProgramFolder::~ProgramFolder() {
  std::error_code error;
  fs::remove_all(path_, error);
}

void ProgramFolder::WritePreferences(int port, int baudRate) const {
  std::ofstream(path_ / "QuorbelU.ini", std::ios::binary)
      << "[QUORBELU]\r\nCom Port=" << port << "\r\nBaud Rate=" << baudRate << "\r\n";
}

void ProgramFolder::AddKeysets(int count) const {
  fs::create_directories(path_ / "keysets");
  const std::string image(kKeysetFileBytes, '\0');
  for (int k = 0; k < count; ++k) {
    const std::string name = k == 0 ? "Default" : "Program" + std::to_string(k);
    std::ofstream(path_ / "keysets" / (name + ".qrb"), std::ios::binary) << image;
  }
}

namespace {

void WaitUntilReady(ChildProcess& surface) {
  while (auto line = surface.ReadLine()) {
    if (line->starts_with("ready")) return;
  }
  throw std::runtime_error("the simulated surface did not start");
}

}  // namespace

std::unique_ptr<ChildProcess> StartSurface(const ProgramFolder& folder) {
  auto surface = std::make_unique<ChildProcess>(std::vector<std::string>{
      QUORBEL_SURFACE_PROGRAM, "--port", "1", "--dir", folder.path().string(), "--stay"});
  WaitUntilReady(*surface);
  return surface;
}

ScriptedSurface::ScriptedSurface(const ProgramFolder& folder) {
  const fs::path commands = folder.path() / "surface-commands";
  if (::mkfifo(commands.c_str(), 0600) != 0) throw std::runtime_error("no command pipe");
  process_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"sh", "-c", "exec \"$1\" --port 1 --dir \"$2\" <\"$3\"", "sh",
                               QUORBEL_SURFACE_PROGRAM, folder.path().string(), commands.string()});
  // Opening blocks until the surface's shell opens the other end.
  commands_ = ::open(commands.c_str(), O_WRONLY | O_CLOEXEC);
  if (commands_ < 0) throw std::runtime_error("command pipe not opened");
  WaitUntilReady(*process_);
}

ScriptedSurface::~ScriptedSurface() {
  if (commands_ >= 0) ::close(commands_);
}

void ScriptedSurface::Send(const std::string& command) {
  const std::string line = command + "\n";
  if (::write(commands_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
    throw std::runtime_error("the simulated surface took no command");
  }
}

void WriteKeyset(const ProgramFolder& folder, const std::string& name, int control, int key,
                 int modifiers, int delay) {
  KeysetModel keysets;
  std::string image;
  {
    auto model = keysets.Lock();
    model->SetKeysetName(0, name);
    model->SetStep(control, 1, {0, 0, key, modifiers, delay});
    for (int layer = 0; layer < kLayerSlots; ++layer) {
      image.append(reinterpret_cast<const char*>(&model->Record(0, layer)), kKeysetLayerBytes);
    }
  }
  fs::create_directories(folder.path() / "keysets");
  std::ofstream(folder.path() / "keysets" / (name + ".qrb"), std::ios::binary) << image;
}

std::unique_ptr<ChildProcess> StartProgram(const ProgramFolder& folder,
                                           const std::string& display) {
  const std::string dir = folder.path().string();
  return std::make_unique<ChildProcess>(
      std::vector<std::string>{"sh", "-c",
                               "cd \"$1\" && exec env DISPLAY=\"$2\" "
                               "XDG_RUNTIME_DIR=\"$1\" \"$3\"",
                               "sh", dir, display, QUORBELU_PROGRAM},
      1, true);
}

WindowId WaitForWindow(Desktop& desktop, int pid,
                       const std::function<bool(const std::string&)>& wanted,
                       std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    for (WindowId window : desktop.TopLevelWindows()) {
      if (desktop.ProcessId(window) == pid && wanted(desktop.WindowTitle(window))) return window;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return 0;
}

}  // namespace quorbel::testing
