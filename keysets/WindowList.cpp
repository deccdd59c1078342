#include "keysets/WindowList.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <utility>

namespace quorbel {

namespace {

// Titles and class names are read into 255-byte buffers by the window
// system's own calls, so the list holds at most 254 characters of each.
constexpr std::size_t kMaxWindowText = 254;

std::string Capped(std::string text) {
  if (text.size() > kMaxWindowText) text.resize(kMaxWindowText);
  return text;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// Windows that are never anyone's target: untitled and tool-bar windows,
// embedding helpers, tray icons and the print spooler.
bool IgnoredTitle(std::string_view title) { return title.empty() || title == "ToolBar"; }

bool IgnoredClass(std::string_view windowClass) {
  return windowClass.find("Ole") != std::string_view::npos ||
         Upper(windowClass).find("TRAY") != std::string::npos || windowClass == "SpoolProcessClass";
}

}  // namespace

std::string HandleText(WindowId window) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.push_back(kDigits[window % 16]);
    window /= 16;
  } while (window != 0);
  std::reverse(text.begin(), text.end());
  return text;
}

std::string ProgramNameOfPath(std::string_view path) {
  // Windows separates folders with either slash, other systems with "/" only.
  constexpr std::string_view kSeparators =
      std::filesystem::path::preferred_separator == '\\' ? "\\/" : "/";
  const std::size_t slash = path.find_last_of(kSeparators);
  std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = file.find('.');
  if (dot != std::string_view::npos && dot >= 1) file = file.substr(0, dot);
  return std::string(file);
}

std::string WindowList::ExecutableOfWindow(WindowId window) {
  const int processId = desktop_.ProcessId(window);
  if (processId == 0) return {};
  return desktop_.ExecutablePath(processId);
}

void WindowList::RefreshWindowList() {
  std::vector<WindowRow> rows;
  const std::vector<WindowId> windows = desktop_.TopLevelWindows();
  std::vector<WindowFacts> facts = desktop_.DescribeWindows(windows);
  for (std::size_t i = 0; i < windows.size() && i < facts.size(); ++i) {
    const WindowId window = windows[i];
    std::string title = Capped(std::move(facts[i].title));
    if (IgnoredTitle(title)) continue;
    const int processId = facts[i].processId;
    std::string name =
        ProgramNameOfPath(processId == 0 ? std::string() : desktop_.ExecutablePath(processId));
    if (name.empty()) continue;
    std::string windowClass = Capped(std::move(facts[i].windowClass));
    if (IgnoredClass(windowClass)) continue;
    rows.push_back(
        WindowRow{HandleText(window), std::move(name), std::move(title), std::move(windowClass)});
  }
  // Each row goes in at the top, so the list reads in the reverse of the
  // desktop's order.
  std::reverse(rows.begin(), rows.end());

  std::lock_guard lock(mutex_);
  rows_ = std::move(rows);
  ++revision_;
}

int WindowList::FindWindowRow(std::string_view handleText) const {
  std::lock_guard lock(mutex_);
  return FindLocked(handleText);
}

std::string WindowList::RowText(int row, int column) const {
  std::lock_guard lock(mutex_);
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
  const WindowRow& cells = rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case kHandleColumn:
      return cells.handle;
    case kNameColumn:
      return cells.name;
    case kTitleColumn:
      return cells.title;
    case kClassColumn:
      return cells.windowClass;
    default:
      return {};
  }
}

std::optional<WindowRow> WindowList::Lookup(std::string_view handleText) const {
  std::lock_guard lock(mutex_);
  const int row = FindLocked(handleText);
  if (row < 0) return std::nullopt;
  return rows_[static_cast<std::size_t>(row)];
}

std::vector<WindowRow> WindowList::Rows() const {
  std::lock_guard lock(mutex_);
  return rows_;
}

std::uint64_t WindowList::Revision() const {
  std::lock_guard lock(mutex_);
  return revision_;
}

int WindowList::FindLocked(std::string_view handleText) const {
  if (handleText.empty()) return -1;
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].handle == handleText) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace quorbel
