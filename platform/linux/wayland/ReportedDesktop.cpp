#include "platform/linux/wayland/ReportedDesktop.h"

#include "platform/linux/x11/ProcessExecutable.h"

namespace quorbel {
namespace {

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

ReportedDesktop::ReportedDesktop(int ownProcess, std::function<WindowId()> ownWindow,
                                 std::function<Point()> cursor)
    : ownProcess_(ownProcess), ownWindow_(std::move(ownWindow)), cursor_(std::move(cursor)) {}

std::string ReportedDesktop::Report(std::string_view json) {
  std::string why;
  auto report = wayland::ReadWindowReport(json, why);
  std::lock_guard lock(mutex_);
  known_ = report.has_value();
  if (!report) {
    // Whatever is in front now, it is not the window reported before.
    front_.reset();
    frontId_ = 0;
    return why;
  }
  if (report->screen) screen_ = report->screen;
  if (report->window.empty()) {
    front_.reset();
    frontId_ = 0;
    return {};
  }
  const auto [found, added] = ids_.try_emplace(report->window, ids_.size() + 1);
  frontId_ = found->second;
  report->title = Cut(std::move(report->title));
  report->windowClass = Cut(std::move(report->windowClass));
  front_ = std::move(report);
  return {};
}

const wayland::WindowReport* ReportedDesktop::Current(WindowId window) const {
  return front_ && window != 0 && window == frontId_ ? &*front_ : nullptr;
}

WindowId ReportedDesktop::ForegroundWindow() {
  std::lock_guard lock(mutex_);
  if (!front_) return 0;
  return front_->processId == ownProcess_ ? ownWindow_() : frontId_;
}

std::vector<WindowId> ReportedDesktop::TopLevelWindows() {
  std::lock_guard lock(mutex_);
  if (!front_) return {};
  return {frontId_};
}

std::string ReportedDesktop::WindowTitle(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  return report != nullptr ? report->title : std::string();
}

std::string ReportedDesktop::WindowClass(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  return report != nullptr ? report->windowClass : std::string();
}

int ReportedDesktop::ProcessId(WindowId window) {
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  return report != nullptr ? report->processId : 0;
}

std::string ReportedDesktop::ExecutablePath(int processId) { return ProcessExecutable(processId); }

Point ReportedDesktop::CursorPosition() { return cursor_(); }

Point ReportedDesktop::ScreenToClient(WindowId window, Point screen) {
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  if (report == nullptr) return screen;
  return Point{screen.x - report->frame.x, screen.y - report->frame.y};
}

Point ReportedDesktop::ClientToScreen(WindowId window, Point client) {
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  if (report == nullptr) return client;
  return Point{client.x + report->frame.x, client.y + report->frame.y};
}

void ReportedDesktop::RestoreWindow(WindowId) {}

bool ReportedDesktop::TellsForeground() {
  std::lock_guard lock(mutex_);
  return known_;
}

std::optional<wayland::Rect> ReportedDesktop::Layout() {
  std::lock_guard lock(mutex_);
  return screen_;
}

}  // namespace quorbel
