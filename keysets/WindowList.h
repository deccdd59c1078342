#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "platform/Desktop.h"

namespace quorbel {

// One accepted top-level window: the four columns of the window list.
struct WindowRow {
  std::string handle;  // hexadecimal, upper case, no leading zeros
  std::string name;    // program name derived from the executable's file name
  std::string title;
  std::string windowClass;
};

inline constexpr int kHandleColumn = 0;
inline constexpr int kNameColumn = 1;
inline constexpr int kTitleColumn = 2;
inline constexpr int kClassColumn = 3;

// A window handle as the list's handle column writes it.
std::string HandleText(WindowId window);

// The program name of an executable path: its file name (after the last
// folder separator of the system), cut before the first "." unless that "."
// is the file name's first character.
std::string ProgramNameOfPath(std::string_view path);

// The desktop's top-level windows with the programs that own them, as found
// at the last refresh. Rows are never updated one by one: a window opened
// since the last refresh has no row, one closed since keeps its row.
//
// The device thread refreshes and looks up while the GUI thread may show the
// rows, so every operation takes the list's own lock; the desktop is asked
// without holding it.
class WindowList {
 public:
  explicit WindowList(Desktop& desktop) : desktop_(desktop) {}

  // Builds the list anew from every top-level window the desktop has.
  void RefreshWindowList();

  // Full path of the program that owns the window; empty when unknown.
  std::string ExecutableOfWindow(WindowId window);

  // First row from the top whose handle column is exactly `handleText`; -1
  // when none (always for empty text).
  int FindWindowRow(std::string_view handleText) const;
  // The cell's text; empty for a row or column outside the list.
  std::string RowText(int row, int column) const;

  // The row of `handleText`, looked up and copied under one lock, so a
  // refresh on another thread cannot slip between finding and reading it.
  std::optional<WindowRow> Lookup(std::string_view handleText) const;

  // Every row, top first, for showing the list.
  std::vector<WindowRow> Rows() const;
  // Counts the refreshes, so a view can tell whether its copy is current.
  std::uint64_t Revision() const;

 private:
  int FindLocked(std::string_view handleText) const;

  Desktop& desktop_;
  mutable std::mutex mutex_;
  std::vector<WindowRow> rows_;  // top first
  std::uint64_t revision_ = 0;
};

}  // namespace quorbel
