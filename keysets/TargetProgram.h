#pragma once

#include <string>
#include <string_view>

#include "common/Types.h"
#include "keysets/KeysetModel.h"
#include "keysets/WindowList.h"
#include "platform/UiRequests.h"
#include "ui/Toolkit.h"

namespace quorbel {

// Keyset names and program names compare without regard to case: A-Z equal
// a-z, and the upper- and lower-case forms of a few accented letters of the
// old single-byte code page count as equal too. Every other byte must match.
bool SameKeysetName(std::string_view a, std::string_view b);

// The program that owns the window, by the window list: when the window has
// no row, the list is refreshed once and looked at again. Empty when the
// window is still unknown or was filtered out.
std::string TargetProgramName(WindowList& windows, WindowId window);

// Makes the keyset of the target window's program current before playback.
class TargetProgram {
 public:
  // `mainEvent` is the main window's event handler; identification picks a
  // keyset through it exactly as the user would through the Keysets menu.
  TargetProgram(WindowList& windows, KeysetModel& keysets, ui::Toolkit& toolkit, UiRequests& ui,
                ui::EventCallback mainEvent);

  // Device thread. Finds the window's program; unless the keyset list holds
  // a single entry, chooses the first entry whose name matches it (entry 0
  // when none does) and makes that keyset current in its last used layer;
  // then sets the main window's caption to "Quorbel - " and the list's text.
  // Everything the main window shows changes on the GUI thread.
  void UseKeysetForWindow(WindowId window);

 private:
  void ChooseKeyset(const std::string& program);

  WindowList& windows_;
  KeysetModel& keysets_;
  ui::Toolkit& toolkit_;
  UiRequests& ui_;
  ui::EventCallback mainEvent_;
};

}  // namespace quorbel
