#include "platform/linux/wayland/SwayWindows.h"

#include <cstdint>
#include <cstring>

#include "platform/linux/wayland/LocalSocket.h"
#include "platform/linux/wayland/SwayAnswers.h"

namespace quorbel::wayland {
namespace {

// Every message starts with this, then the payload's length and the message
// type, each a 32-bit number in the machine's own byte order.
constexpr std::string_view kMagic = "i3-ipc";
constexpr std::size_t kHeaderSize = kMagic.size() + 8;

constexpr unsigned kRunCommand = 0;
constexpr unsigned kGetOutputs = 3;
constexpr unsigned kGetTree = 4;

std::string Header(std::uint32_t length, std::uint32_t type) {
  std::string header(kMagic);
  header.append(reinterpret_cast<const char*>(&length), sizeof length);
  header.append(reinterpret_cast<const char*>(&type), sizeof type);
  return header;
}

}  // namespace

std::unique_ptr<SwayWindows> SwayWindows::ForSocket(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::unique_ptr<SwayWindows>(new SwayWindows(path));
}

std::optional<std::string> SwayWindows::Ask(unsigned type, const std::string& payload) {
  auto socket = LocalSocket::Connect(path_);
  if (!socket) return std::nullopt;
  if (!socket->Write(Header(static_cast<std::uint32_t>(payload.size()), type) + payload)) {
    return std::nullopt;
  }
  const auto header = socket->Read(kHeaderSize);
  if (!header || header->compare(0, kMagic.size(), kMagic) != 0) return std::nullopt;
  std::uint32_t length = 0;
  std::memcpy(&length, header->data() + kMagic.size(), sizeof length);
  return socket->Read(length);
}

std::optional<std::vector<CompositorWindow>> SwayWindows::Windows() {
  const auto tree = Ask(kGetTree, {});
  if (!tree) return std::nullopt;
  return ReadSwayTree(*tree);
}

std::optional<WindowId> SwayWindows::FocusedWindow() {
  const auto windows = Windows();
  if (!windows) return std::nullopt;
  for (const CompositorWindow& window : *windows) {
    if (window.focused) return window.id;
  }
  return WindowId{0};
}

std::optional<Rect> SwayWindows::Layout() {
  const auto outputs = Ask(kGetOutputs, {});
  if (!outputs) return std::nullopt;
  return ReadSwayLayout(*outputs);
}

std::optional<Point> SwayWindows::Cursor() { return std::nullopt; }

void SwayWindows::Focus(WindowId window) {
  Ask(kRunCommand, "[con_id=" + std::to_string(window) + "] focus");
}

}  // namespace quorbel::wayland
