#include "keysets/TargetProgram.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "keysets/KeysetMenuItems.h"
#include "keysets/KeysetTable.h"
#include "toolkit/FormName.h"

namespace quorbel {

namespace {

// Pairs of bytes that are the two cases of one letter; the first of each
// pair stands for both.
constexpr std::array<std::pair<unsigned char, unsigned char>, 7> kCasePairs{{
    {0x80, 0x87},
    {0x81, 0x9A},
    {0x82, 0x90},
    {0x84, 0x8E},
    {0x86, 0x8F},
    {0x94, 0x99},
    {0xA4, 0xA5},
}};

unsigned char Folded(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte - 'A' + 'a');
  for (const auto& [first, second] : kCasePairs) {
    if (byte == second) return first;
  }
  return byte;
}

}  // namespace

bool SameKeysetName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Folded(x) == Folded(y); });
}

std::string TargetProgramName(WindowList& windows, WindowId window) {
  const std::string handle = HandleText(window);
  auto row = windows.Lookup(handle);
  if (!row) {
    windows.RefreshWindowList();
    row = windows.Lookup(handle);
  }
  return row ? std::move(row->name) : std::string();
}

TargetProgram::TargetProgram(WindowList& windows, KeysetModel& keysets, ui::Toolkit& toolkit,
                             ListedKeysets& listed, UiRequests& ui, ui::EventCallback mainEvent)
    : windows_(windows),
      keysets_(keysets),
      toolkit_(toolkit),
      listed_(listed),
      ui_(ui),
      mainEvent_(std::move(mainEvent)) {}

void TargetProgram::UseKeysetForWindow(WindowId window) {
  const std::optional<int> chosen = ChooseKeyset(TargetProgramName(windows_, window));
  if (chosen) keysets_.Lock()->SetCurrent(*chosen);
  ui_.Post([this, chosen] { ShowChosenKeyset(chosen); });
}

void TargetProgram::CopyKeysetList() {
  // The list never holds more entries than the table has slots; should it,
  // the entries past the last slot have no keyset to make current.
  const int last = std::min(listed_.LastEntry(), kKeysetSlots - 1);
  std::vector<std::string> entries;
  for (int k = 0; k <= last; ++k) entries.push_back(listed_.EntryName(k));
  const std::lock_guard lock(listMutex_);
  listCopy_ = std::move(entries);
}

std::optional<int> TargetProgram::ChooseKeyset(const std::string& program) const {
  const std::lock_guard lock(listMutex_);
  if (listCopy_.size() <= 1) return std::nullopt;
  for (std::size_t k = 0; k < listCopy_.size(); ++k) {
    if (SameKeysetName(program, listCopy_[k])) return static_cast<int>(k);
  }
  return 0;
}

void TargetProgram::ShowChosenKeyset(std::optional<int> chosen) {
  if (chosen) {
    // The main window acts on the menu command only while it is in front;
    // the list entry and the selection change whatever it did.
    ui::Event event{ui::kMainForm, kFirstKeysetItem + *chosen, ui::kClick, *chosen, false};
    mainEvent_(event);
    listed_.SelectEntry(*chosen);
    keysets_.Lock()->SetCurrent(*chosen);
    toolkit_.DoEvents();
  }
  toolkit_.SetText(ui::kMainForm, 0, "Quorbel - " + listed_.SelectedName());
}

}  // namespace quorbel
