#include "tests/gui/app/ProgramRun.h"

#include <fstream>
#include <stdexcept>
#include <thread>

#include "keysets/KeysetFiles.h"
#include "keysets/KeysetModel.h"

namespace quorbel::testing {

namespace fs = std::filesystem;

void ProgramFolder::WritePreferences(int port, int baudRate) const {
  std::ofstream(path() / "QuorbelU.ini", std::ios::binary)
      << "[QUORBELU]\r\nCom Port=" << port << "\r\nBaud Rate=" << baudRate << "\r\n";
}

void ProgramFolder::AddKeysets(int count) const {
  fs::create_directories(path() / "keysets");
  const std::string image(kKeysetFileBytes, '\0');
  for (int k = 0; k < count; ++k) {
    const std::string name = k == 0 ? "Default" : "Program" + std::to_string(k);
    std::ofstream(path() / "keysets" / (name + ".qrb"), std::ios::binary) << image;
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
