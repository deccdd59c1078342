#include "tests/gui/app/ProgramRun.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "keysets/KeysetFiles.h"

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

std::unique_ptr<ChildProcess> StartSurface(const ProgramFolder& folder) {
  auto surface = std::make_unique<ChildProcess>(std::vector<std::string>{
      QUORBEL_SURFACE_PROGRAM, "--port", "1", "--dir", folder.path().string(), "--stay"});
  while (auto line = surface->ReadLine()) {
    if (line->starts_with("ready")) return surface;
  }
  throw std::runtime_error("the simulated surface did not start");
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
