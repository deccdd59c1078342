#include "app/KeysetCommands.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <system_error>
#include <utility>

#include "common/Utf8Path.h"
#include "keysets/FileHead.h"
#include "keysets/KeysetCommandNames.h"
#include "keysets/KeysetNames.h"
#include "platform/FileAccess.h"
#include "toolkit/Messages.h"
#include "ui/MainWindowIds.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

using ui::kLayerLabel1;
using ui::kLayerLamp1;
using ui::kMainForm;
using ui::kSequenceList;

constexpr int kDeleteKeysetItem = 1630;
constexpr const char* kQuestionTitle = "QuorbelU";

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Nothing was copied, or an empty layer was: only zero bytes and spaces.
bool IsBlank(const KeysetLayer& record) {
  const auto* bytes = reinterpret_cast<const char*>(&record);
  return std::all_of(bytes, bytes + kKeysetLayerBytes, [](char c) { return c == 0 || c == ' '; });
}

// Some control of the layer has a sequence.
bool HoldsSteps(const KeysetLayer& record) {
  const auto& first = record.KeyCode[1];
  return std::any_of(std::begin(first), std::end(first), [](std::int32_t key) { return key != 0; });
}

std::size_t LayerOffset(int layer) { return static_cast<std::size_t>(layer) * kKeysetLayerBytes; }

}  // namespace

KeysetCommands::KeysetCommands(Collaborators collaborators) : c_(std::move(collaborators)) {}

void KeysetCommands::SelectKeyset(int k) {
  if (k < 0 || k >= kKeysetSlots || k > c_.listed.LastEntry()) return;
  c_.listed.SelectEntry(k);
  int layer = 0;
  {
    auto model = c_.keysets.Lock();
    model->SetCurrent(k);
    layer = model->CurrentLayer();
  }
  c_.panel.ShowLayerLamp(kLayerLamp1 + layer);
  c_.panel.ClearPanelSelection();
  c_.editor.ClearInputs();
  // The list showed a sequence of the keyset left behind; a step deleted or
  // delayed there now would change the same step of this keyset.
  c_.toolkit.ClearItems(kMainForm, kSequenceList);
  c_.selection.PreviousControl = -1;
  c_.toolkit.SetMenuItem(kMainForm, kDeleteKeysetItem, k == 0 ? "D" : "");
}

void KeysetCommands::NewKeyset() {
  c_.panel.ClearPanelSelection();
  const int last = c_.listed.LastEntry();
  if (last >= kKeysetSlots - 1) {
    Message("Can not define more keysets");
    return;
  }
  const std::string chosen = c_.toolkit.OpenFileDialog(kMainForm, "Select Program For New Keyset",
                                                       c_.programs.folder, c_.programs.filter, "N");
  if (chosen.empty()) return;
  if (const std::optional<fs::path> interpreter =
          ScriptInterpreter(RunningProgram(PathFromUtf8(chosen)))) {
    TellScriptKeyset(PathFromUtf8(chosen), *interpreter);
    return;
  }
  const std::optional<std::string> name = ProgramKeysetName(PathFromUtf8(chosen));
  if (!name) return;
  // A name listed already, or one the system would take for its file's name
  // (a case-only twin), would make a second keyset on the same file.
  for (int i = 0; i <= last; ++i) {
    const std::string listed = c_.listed.EntryName(i);
    if (ProperCase(listed) == *name || SystemSameFileName(listed, *name)) return;
  }
  const int k = last + 1;
  c_.listed.AddEntry(*name);
  c_.listed.SelectEntry(k);
  c_.keysets.Lock()->SetCurrent(k);
  c_.panel.SetLayerFromLamp(kLayerLamp1);
  // The list showed a sequence of the keyset left behind; a step deleted or
  // delayed there now would change the same step of the new keyset.
  c_.toolkit.ClearItems(kMainForm, kSequenceList);
  c_.selection.PreviousControl = -1;
}

void KeysetCommands::DeleteCurrentKeyset() {
  const std::string listed = c_.listed.SelectedName();
  const std::string name = ProperCase(listed);
  if (name == kDefaultKeyset) {
    Message("Can not Delete 'Default' Keyset");
    return;
  }
  const std::optional<std::string> file = FindKeysetFile(listed, name);
  if (!file) return;
  const fs::path path = c_.files.Folder() / *file;
  c_.windows.DialogActive = true;
  const int answer = c_.toolkit.MessageBox(kMainForm, "Delete " + Utf8FromPath(path) + "{?}",
                                           "Delete keyset?", ui::Buttons::YesNo);
  c_.windows.DialogActive = false;
  if (answer == ui::kAnswerNo) return;
  std::error_code ignored;
  fs::remove(path, ignored);
  c_.loadKeysetList();
}

void KeysetCommands::ImportKeyset() {
  const std::string chosen = c_.toolkit.OpenFileDialog(
      kMainForm, "Select Keyset", Utf8FromPath(CurrentDirectory()), "Keysets|*.qrb", "N");
  if (chosen.empty()) return;
  std::optional<std::string> name = ImportedKeysetName(PathFromUtf8(chosen));
  if (!name) return;
  int k = FindListed(*name);
  if (k >= 0) {
    // The keyset keeps the name it is listed and saved under.
    name = c_.listed.EntryName(k);
    if (c_.prompt.Ask(kMainForm, "Replace " + *name, kQuestionTitle) == ui::kAnswerNo) return;
  } else {
    k = c_.listed.LastEntry() + 1;
    if (k >= kKeysetSlots) return;
    c_.listed.AddEntry(*name);
  }
  c_.listed.SelectEntry(k);
  c_.keysets.Lock()->SetCurrent(k);
  c_.panel.SetLayerFromLamp(kLayerLamp1);
  // The panel and the list showed a control of the keyset as it was before;
  // a step added, deleted or delayed there now would change the imported one.
  c_.panel.ClearPanelSelection();
  c_.toolkit.ClearItems(kMainForm, kSequenceList);
  c_.selection.PreviousControl = -1;
  c_.toolkit.DoEvents();
  ReadInto(k, PathFromUtf8(chosen));
  c_.keysets.Lock()->SetKeysetName(k, *name);
  c_.files.SaveKeyset(k);
}

void KeysetCommands::ExportKeyset() {
  const std::string name = c_.listed.SelectedName();
  if (name.empty()) return;
  // The keyset listed now is the one exported: a press on the surface may
  // switch the current keyset while the dialog or the question is open.
  const int k = c_.keysets.Lock()->CurrentKeyset();
  const std::string chosen =
      c_.toolkit.SaveFileDialog(kMainForm, "Export Keyset", Utf8FromPath(CurrentDirectory()),
                                name + std::string(kKeysetExtension), "QRB|*.qrb", "QRB", "P");
  if (chosen.empty()) return;
  const std::optional<fs::path> target = ExportTarget(PathFromUtf8(chosen));
  if (!target) return;
  std::error_code error;
  // A link would carry the export to wherever it points: said before the
  // question, and held to again by the write itself.
  if (fs::is_symlink(*target, error)) {
    ExportFailed(name, *target, FileHeadError::LinkNotFollowed);
    return;
  }
  // The question is about the file that is written, whatever name was typed.
  if (fs::exists(*target, error) &&
      c_.prompt.Ask(kMainForm, "Replace " + Utf8FromPath(target->filename()), kQuestionTitle) ==
          ui::kAnswerNo) {
    return;
  }
  const auto image = std::make_unique<char[]>(kKeysetFileBytes);
  {
    auto model = c_.keysets.Lock();
    for (int layer = 0; layer < kLayerSlots; ++layer) {
      std::memcpy(image.get() + LayerOffset(layer), &model->Record(k, layer), kKeysetLayerBytes);
    }
  }
  const std::error_code failed = ReplaceFileHead(
      *target, std::span<const char>(image.get(), kKeysetFileBytes), LinkPolicy::Refuse);
  if (failed) ExportFailed(name, *target, failed);
}

void KeysetCommands::TellScriptKeyset(const fs::path& script, const fs::path& interpreter) {
  const std::string runs = Utf8FromPath(interpreter.filename());
  const std::optional<std::string> keyset = ProgramKeysetName(interpreter);
  Message(Utf8FromPath(script.filename()) + " is a script that " + runs +
          " runs: while it runs, the program in front is " + runs +
          (keyset ? ", which uses the keyset " + *keyset : std::string()) + ".|Choose " +
          Utf8FromPath(interpreter) + " to make that keyset.{!}");
}

void KeysetCommands::ExportFailed(const std::string& name, const fs::path& target,
                                  std::error_code reason) {
  Message("Can Not Export Keyset " + name + "|" + Utf8FromPath(target) + ": " + reason.message() +
          "|Nothing was written.{!}");
}

void KeysetCommands::CopyLayer() {
  auto model = c_.keysets.Lock();
  std::memcpy(&model->LayerClipboard(), &model->Current(), kKeysetLayerBytes);
}

void KeysetCommands::CutLayer() {
  const std::string listed = c_.listed.SelectedName();
  if (!ConfirmLayerChange("Cut", "Its steps go to the clipboard and the layer is left empty.")) {
    return;
  }
  int k = 0;
  {
    auto model = c_.keysets.Lock();
    std::memcpy(&model->LayerClipboard(), &model->Current(), kKeysetLayerBytes);
    std::memset(static_cast<void*>(&model->Current()), 0, kKeysetLayerBytes);
    k = model->CurrentKeyset();
    model->SetKeysetName(k, listed);
  }
  c_.files.SaveKeyset(k);
  RepickLayer();
}

void KeysetCommands::PasteLayer() {
  const std::string listed = c_.listed.SelectedName();
  const bool nothingCopied = IsBlank(c_.keysets.Lock()->LayerClipboard());
  if (nothingCopied ||
      !ConfirmLayerChange("Paste over", "Its steps are replaced by the copied layer.")) {
    return;
  }
  int k = 0;
  {
    auto model = c_.keysets.Lock();
    if (IsBlank(model->LayerClipboard())) return;
    std::memcpy(&model->Current(), &model->LayerClipboard(), kKeysetLayerBytes);
    k = model->CurrentKeyset();
    model->SetKeysetName(k, listed);
  }
  c_.files.SaveKeyset(k);
  RepickLayer();
}

fs::path KeysetCommands::CurrentDirectory() const { return c_.files.Folder().parent_path(); }

int KeysetCommands::FindListed(const std::string& name) {
  const int last = c_.listed.LastEntry();
  for (int i = 0; i <= last; ++i) {
    // A case-only twin on this system is the listed keyset's file too.
    const std::string listed = c_.listed.EntryName(i);
    if (SameIgnoringCase(listed, name) || SystemSameFileName(listed, name)) return i;
  }
  return -1;
}

std::optional<std::string> KeysetCommands::FindKeysetFile(const std::string& listed,
                                                          const std::string& name) {
  const std::vector<std::string> files = c_.files.ListKeysetFiles();
  const std::string exact = listed + std::string(kKeysetExtension);
  if (std::find(files.begin(), files.end(), exact) != files.end()) return exact;
  const std::string wanted = name + std::string(kKeysetExtension);
  for (const std::string& file : files) {
    if (SameIgnoringCase(file, wanted)) return file;
  }
  return std::nullopt;
}

void KeysetCommands::ReadInto(int k, const fs::path& file) {
  const auto image = std::make_unique<char[]>(kKeysetFileBytes);
  if (!ReadFileHead(file, std::span<char>(image.get(), kKeysetFileBytes))) return;
  auto model = c_.keysets.Lock();
  for (int layer = 0; layer < kLayerSlots; ++layer) {
    std::memcpy(&model->Record(k, layer), image.get() + LayerOffset(layer), kKeysetLayerBytes);
  }
}

bool KeysetCommands::ConfirmLayerChange(const std::string& change, const std::string& consequence) {
  int layer = 0;
  {
    auto model = c_.keysets.Lock();
    if (!HoldsSteps(model->Current())) return true;
    layer = model->CurrentLayer();
  }
  const std::string question = change + " layer " + std::to_string(layer + 1) + " of " +
                               c_.listed.SelectedName() + "?|" + consequence;
  return c_.prompt.Ask(kMainForm, question, kQuestionTitle) == ui::kAnswerYes;
}

void KeysetCommands::RepickLayer() {
  const int layer = c_.keysets.Lock()->CurrentLayer();
  c_.panel.SetLayerFromLabel(kLayerLabel1 + layer);
  c_.keysets.Lock()->PickLayer(layer);
  c_.panel.ClearPanelSelection();
  c_.toolkit.ClearItems(kMainForm, kSequenceList);
  c_.selection.PreviousControl = -1;
}

void KeysetCommands::Message(const std::string& text) {
  ui::ShowMessage(c_.toolkit, c_.windows, text);
}

}  // namespace quorbel
