#include "platform/linux/wayland/HyprlandWindows.h"

#include <cstdio>
#include <filesystem>

#include "platform/linux/wayland/HyprlandAnswers.h"
#include "platform/linux/wayland/LocalSocket.h"

namespace quorbel::wayland {

std::unique_ptr<HyprlandWindows> HyprlandWindows::ForInstance(const std::string& runtimeFolder,
                                                              const std::string& signature) {
  if (signature.empty() || signature.find('/') != std::string::npos) return nullptr;
  const std::string name = "/hypr/" + signature + "/.socket.sock";
  std::string path = runtimeFolder + name;
  std::error_code missing;
  if (runtimeFolder.empty() || !std::filesystem::exists(path, missing)) path = "/tmp" + name;
  return std::unique_ptr<HyprlandWindows>(new HyprlandWindows(path));
}

std::optional<std::string> HyprlandWindows::Ask(const std::string& request) {
  auto socket = LocalSocket::Connect(path_);
  if (!socket || !socket->Write(request)) return std::nullopt;
  return socket->ReadToEnd();
}

std::optional<std::vector<CompositorWindow>> HyprlandWindows::Windows() {
  const auto active = FocusedWindow();
  const auto clients = Ask("j/clients");
  if (!active || !clients) return std::nullopt;
  return ReadHyprlandClients(*clients, *active);
}

std::optional<WindowId> HyprlandWindows::FocusedWindow() {
  const auto answer = Ask("j/activewindow");
  if (!answer) return std::nullopt;
  return ReadHyprlandActiveWindow(*answer);
}

std::optional<Rect> HyprlandWindows::Layout() {
  const auto answer = Ask("j/monitors");
  if (!answer) return std::nullopt;
  return ReadHyprlandLayout(*answer);
}

std::optional<Point> HyprlandWindows::Cursor() {
  const auto answer = Ask("j/cursorpos");
  if (!answer) return std::nullopt;
  return ReadHyprlandCursor(*answer);
}

void HyprlandWindows::Focus(WindowId window) {
  char address[32];
  std::snprintf(address, sizeof address, "0x%llx", static_cast<unsigned long long>(window));
  Ask(std::string("dispatch focuswindow address:") + address);
}

}  // namespace quorbel::wayland
