#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Types.h"
#include "keysets/KeysetModel.h"
#include "keysets/ListedKeysets.h"
#include "keysets/WindowList.h"
#include "platform/UiRequests.h"
#include "toolkit/Toolkit.h"

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
  TargetProgram(WindowList& windows, KeysetModel& keysets, ui::Toolkit& toolkit,
                ListedKeysets& listed, UiRequests& ui, ui::EventCallback mainEvent);

  // Device thread. Finds the window's program; unless the keyset list holds
  // a single entry, chooses the first entry whose name matches it (entry 0
  // when none does) and makes that keyset current in its last used layer
  // before it returns. The main window catches up after, on the GUI thread:
  // the Keysets menu command, the list's entry, pending window events, and
  // the caption "Quorbel - " and the list's text.
  void UseKeysetForWindow(WindowId window);

  // GUI thread, whenever the keyset list may have changed: the entries the
  // device thread chooses from.
  void CopyKeysetList();

 private:
  // The slot to make current; none when the list holds a single entry.
  std::optional<int> ChooseKeyset(const std::string& program) const;
  void ShowChosenKeyset(std::optional<int> chosen);

  WindowList& windows_;
  KeysetModel& keysets_;
  ui::Toolkit& toolkit_;
  ListedKeysets& listed_;
  UiRequests& ui_;
  ui::EventCallback mainEvent_;
  mutable std::mutex listMutex_;
  std::vector<std::string> listCopy_;  // the keyset list's entries, in order
};

}  // namespace quorbel
