#include "platform/memory/MemoryDesktop.h"

#include <algorithm>

namespace quorbel {

WindowId MemoryDesktop::ForegroundWindow() {
  std::lock_guard lock(mutex_);
  return foreground_;
}

std::vector<WindowId> MemoryDesktop::TopLevelWindows() {
  std::lock_guard lock(mutex_);
  std::vector<WindowId> ids;
  for (const Window& window : windows_) ids.push_back(window.id);
  return ids;
}

std::string MemoryDesktop::WindowTitle(WindowId window) {
  std::lock_guard lock(mutex_);
  const Window* found = Find(window);
  return found != nullptr ? found->title : std::string();
}

std::string MemoryDesktop::WindowClass(WindowId window) {
  std::lock_guard lock(mutex_);
  const Window* found = Find(window);
  return found != nullptr ? found->windowClass : std::string();
}

int MemoryDesktop::ProcessId(WindowId window) {
  std::lock_guard lock(mutex_);
  const Window* found = Find(window);
  return found != nullptr ? found->processId : 0;
}

std::string MemoryDesktop::ExecutablePath(int processId) {
  std::lock_guard lock(mutex_);
  auto found = executables_.find(processId);
  return found != executables_.end() ? found->second : std::string();
}

Point MemoryDesktop::CursorPosition() {
  std::lock_guard lock(mutex_);
  return cursor_;
}

Point MemoryDesktop::ScreenToClient(WindowId window, Point screen) {
  std::lock_guard lock(mutex_);
  auto origin = origins_.find(window);
  if (origin == origins_.end()) return screen;
  return Point{screen.x - origin->second.x, screen.y - origin->second.y};
}

void MemoryDesktop::RestoreWindow(WindowId window) {
  std::lock_guard lock(mutex_);
  restored_.push_back(window);
}

void MemoryDesktop::AddWindow(WindowId window, const std::string& title,
                              const std::string& windowClass, int processId) {
  std::lock_guard lock(mutex_);
  auto found = std::find_if(windows_.begin(), windows_.end(),
                            [window](const Window& w) { return w.id == window; });
  if (found != windows_.end()) {
    *found = Window{window, title, windowClass, processId};
  } else {
    windows_.push_back(Window{window, title, windowClass, processId});
  }
}

void MemoryDesktop::RemoveWindow(WindowId window) {
  std::lock_guard lock(mutex_);
  std::erase_if(windows_, [window](const Window& w) { return w.id == window; });
  if (foreground_ == window) foreground_ = 0;
}

void MemoryDesktop::SetExecutable(int processId, const std::string& path) {
  std::lock_guard lock(mutex_);
  executables_[processId] = path;
}

void MemoryDesktop::SetForeground(WindowId window) {
  std::lock_guard lock(mutex_);
  foreground_ = window;
}

void MemoryDesktop::SetCursor(Point screen) {
  std::lock_guard lock(mutex_);
  cursor_ = screen;
}

void MemoryDesktop::SetClientOrigin(WindowId window, Point origin) {
  std::lock_guard lock(mutex_);
  origins_[window] = origin;
}

std::vector<WindowId> MemoryDesktop::Restored() const {
  std::lock_guard lock(mutex_);
  return restored_;
}

const MemoryDesktop::Window* MemoryDesktop::Find(WindowId window) const {
  auto found = std::find_if(windows_.begin(), windows_.end(),
                            [window](const Window& w) { return w.id == window; });
  return found != windows_.end() ? &*found : nullptr;
}

}  // namespace quorbel
