#include "platform/linux/wayland/ReportedDesktop.h"

#include <algorithm>

#include "platform/linux/x11/ProcessExecutable.h"

namespace quorbel {
namespace {

// Ids of reported windows start far above any X window id (29 bits).
constexpr WindowId kFirstReportedId = WindowId{1} << 40;

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
                                 std::unique_ptr<Desktop> xwayland)
    : ownProcess_(ownProcess), ownWindow_(std::move(ownWindow)), xwayland_(std::move(xwayland)) {}

bool ReportedDesktop::IsReported(WindowId window) { return window >= kFirstReportedId; }

std::string ReportedDesktop::Report(std::string_view json) {
  std::string why;
  auto report = wayland::ReadWindowReport(json, why);
  std::lock_guard lock(mutex_);
  known_ = report && !report->stopped;
  if (!report || report->stopped || report->window.empty()) {
    // Whatever is in front now, it is not the window reported before.
    front_.reset();
    frontId_ = 0;
    if (report && report->screen) screen_ = report->screen;
    return why;
  }
  if (report->screen) screen_ = report->screen;
  const auto [found, added] = ids_.try_emplace(report->window, kFirstReportedId + ids_.size());
  frontId_ = found->second;
  report->title = Cut(std::move(report->title));
  report->windowClass = Cut(std::move(report->windowClass));
  front_ = std::move(report);
  return {};
}

const wayland::WindowReport* ReportedDesktop::Current(WindowId window) const {
  return front_ && IsReported(window) && window == frontId_ ? &*front_ : nullptr;
}

WindowId ReportedDesktop::ForegroundWindow() {
  {
    std::lock_guard lock(mutex_);
    if (known_) {
      if (!front_) return 0;
      return front_->processId == ownProcess_ ? ownWindow_() : frontId_;
    }
  }
  return xwayland_ ? xwayland_->ForegroundWindow() : 0;
}

std::vector<WindowId> ReportedDesktop::TopLevelWindows() {
  {
    std::lock_guard lock(mutex_);
    if (known_) return front_ ? std::vector<WindowId>{frontId_} : std::vector<WindowId>{};
  }
  return xwayland_ ? xwayland_->TopLevelWindows() : std::vector<WindowId>{};
}

std::string ReportedDesktop::WindowTitle(WindowId window) {
  if (!IsReported(window)) return xwayland_ ? xwayland_->WindowTitle(window) : std::string();
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  return report != nullptr ? report->title : std::string();
}

std::string ReportedDesktop::WindowClass(WindowId window) {
  if (!IsReported(window)) return xwayland_ ? xwayland_->WindowClass(window) : std::string();
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  return report != nullptr ? report->windowClass : std::string();
}

int ReportedDesktop::ProcessId(WindowId window) {
  if (!IsReported(window)) return xwayland_ ? xwayland_->ProcessId(window) : 0;
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  return report != nullptr ? report->processId : 0;
}

std::vector<WindowFacts> ReportedDesktop::DescribeWindows(const std::vector<WindowId>& windows) {
  // XWayland's windows in one batch of its X server, as its desktop asks.
  if (xwayland_ && std::none_of(windows.begin(), windows.end(), IsReported)) {
    return xwayland_->DescribeWindows(windows);
  }
  return Desktop::DescribeWindows(windows);
}

std::string ReportedDesktop::ExecutablePath(int processId) { return ProcessExecutable(processId); }

Point ReportedDesktop::CursorPosition() {
  return xwayland_ ? xwayland_->CursorPosition() : Point{};
}

Point ReportedDesktop::ScreenToClient(WindowId window, Point screen) {
  if (!IsReported(window)) return xwayland_ ? xwayland_->ScreenToClient(window, screen) : screen;
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  if (report == nullptr) return screen;
  return Point{screen.x - report->frame.x, screen.y - report->frame.y};
}

std::optional<Point> ReportedDesktop::ClientToScreen(WindowId window, Point client) {
  if (!IsReported(window)) return std::nullopt;
  std::lock_guard lock(mutex_);
  const auto* report = Current(window);
  if (report == nullptr) return client;
  return Point{client.x + report->frame.x, client.y + report->frame.y};
}

void ReportedDesktop::RestoreWindow(WindowId window) {
  if (!IsReported(window) && xwayland_) xwayland_->RestoreWindow(window);
}

bool ReportedDesktop::TellsForeground() {
  std::lock_guard lock(mutex_);
  return known_;
}

std::optional<wayland::Rect> ReportedDesktop::Layout() {
  std::lock_guard lock(mutex_);
  return screen_;
}

}  // namespace quorbel
