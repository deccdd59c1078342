#include "platform/linux/wayland/WaylandDesktop.h"

#include <unistd.h>

#include <algorithm>

#include "platform/linux/x11/ProcessExecutable.h"

namespace quorbel {
namespace {

// How long a window list answers questions about its windows.
constexpr std::chrono::milliseconds kListFresh{250};

// Titles and class names are cut to what the keyset logic reads.
constexpr std::size_t kMaxNameBytes = 254;

std::string Cut(std::string text) {
  if (text.size() <= kMaxNameBytes) return text;
  std::size_t end = kMaxNameBytes;
  // Not in the middle of a UTF-8 sequence.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

}  // namespace

WaylandDesktop::WaylandDesktop(std::unique_ptr<wayland::WindowSource> source,
                               std::function<WindowId()> ownWindow)
    : source_(std::move(source)), ownWindow_(std::move(ownWindow)) {}

bool WaylandDesktop::IsOwn(const wayland::CompositorWindow& window) const {
  return window.processId == ::getpid();
}

void WaylandDesktop::Refresh() {
  if (auto windows = source_->Windows()) {
    windows_ = std::move(*windows);
    listed_ = std::chrono::steady_clock::now();
  }
}

WindowId WaylandDesktop::CompositorId(WindowId window) {
  const WindowId own = ownWindow_();
  if (window == 0 || window != own) return window;
  auto found = std::find_if(windows_.begin(), windows_.end(),
                            [this](const auto& w) { return IsOwn(w) && w.focused; });
  if (found == windows_.end()) {
    found =
        std::find_if(windows_.begin(), windows_.end(), [this](const auto& w) { return IsOwn(w); });
  }
  return found == windows_.end() ? 0 : found->id;
}

std::optional<wayland::CompositorWindow> WaylandDesktop::Find(WindowId window) {
  if (std::chrono::steady_clock::now() - listed_ > kListFresh) Refresh();
  for (int attempt = 0; attempt < 2; ++attempt) {
    const WindowId id = CompositorId(window);
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [id](const auto& w) { return id != 0 && w.id == id; });
    if (found != windows_.end()) return *found;
    if (attempt == 0) Refresh();
  }
  return std::nullopt;
}

WindowId WaylandDesktop::ForegroundWindow() {
  std::lock_guard lock(mutex_);
  Refresh();
  for (const auto& window : windows_) {
    if (window.focused) return IsOwn(window) ? ownWindow_() : window.id;
  }
  return 0;
}

std::vector<WindowId> WaylandDesktop::TopLevelWindows() {
  std::lock_guard lock(mutex_);
  Refresh();
  std::vector<WindowId> ids;
  for (const auto& window : windows_) ids.push_back(window.id);
  return ids;
}

std::string WaylandDesktop::WindowTitle(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = Find(window);
  return found ? Cut(found->title) : std::string();
}

std::string WaylandDesktop::WindowClass(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = Find(window);
  return found ? Cut(found->windowClass) : std::string();
}

int WaylandDesktop::ProcessId(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto found = Find(window);
  return found ? found->processId : 0;
}

std::string WaylandDesktop::ExecutablePath(int processId) { return ProcessExecutable(processId); }

Point WaylandDesktop::CursorPosition() { return source_->Cursor().value_or(Point{}); }

Point WaylandDesktop::ScreenToClient(WindowId window, Point screen) {
  const auto content = Content(window);
  if (!content) return screen;
  return Point{screen.x - content->x, screen.y - content->y};
}

void WaylandDesktop::RestoreWindow(WindowId window) {
  std::lock_guard lock(mutex_);
  if (const auto found = Find(window)) source_->Focus(found->id);
}

std::optional<wayland::Rect> WaylandDesktop::Content(WindowId window) {
  std::lock_guard lock(mutex_);
  // Windows move: where it is now, not where it was at the last list.
  Refresh();
  const auto found = Find(window);
  if (!found) return std::nullopt;
  return found->content;
}

std::optional<wayland::Rect> WaylandDesktop::Layout() { return source_->Layout(); }

}  // namespace quorbel
