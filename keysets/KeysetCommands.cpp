#include "keysets/KeysetCommands.h"

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
#include "ui/MainWindowIds.h"
#include "ui/Messages.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

using ui::kKeysetList;
using ui::kLayerLabel1;
using ui::kLayerLamp1;
using ui::kMainForm;
using ui::kSequenceList;

constexpr int kDeleteKeysetItem = 1630;
// Programs live here on this system; they need no extension.
constexpr const char* kProgramsFolder = "/usr/bin";
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

std::size_t LayerOffset(int layer) { return static_cast<std::size_t>(layer) * kKeysetLayerBytes; }

}  // namespace

KeysetCommands::KeysetCommands(Parts parts) : p_(std::move(parts)) {}

void KeysetCommands::SelectKeyset(int k) {
  if (k < 0 || k >= kKeysetSlots || k > p_.toolkit.LastItem(kMainForm, kKeysetList)) return;
  p_.toolkit.SelectItem(kMainForm, kKeysetList, k);
  int layer = 0;
  {
    auto model = p_.keysets.Lock();
    model->SetCurrent(k);
    layer = model->CurrentLayer();
  }
  p_.panel.ShowLayerLamp(kLayerLamp1 + layer);
  p_.panel.ClearPanelSelection();
  p_.editor.ClearInputs();
  // The list showed a sequence of the keyset left behind; a step deleted or
  // delayed there now would change the same step of this keyset.
  p_.toolkit.ClearItems(kMainForm, kSequenceList);
  p_.selection.PreviousControl = -1;
  p_.toolkit.SetMenuItem(kMainForm, kDeleteKeysetItem, k == 0 ? "D" : "");
}

void KeysetCommands::NewKeyset() {
  p_.panel.ClearPanelSelection();
  const int last = p_.toolkit.LastItem(kMainForm, kKeysetList);
  if (last >= kKeysetSlots - 1) {
    Message("Can not define more keysets");
    return;
  }
  const std::string chosen = p_.toolkit.OpenFileDialog("Main", "Select Program For New Keyset",
                                                       kProgramsFolder, "Programs|*", "N");
  if (chosen.empty()) return;
  const std::optional<std::string> name = ProgramKeysetName(PathFromUtf8(chosen));
  if (!name) return;
  // A name listed already, or one the system would take for its file's name
  // (a case-only twin), would make a second keyset on the same file.
  for (int i = 0; i <= last; ++i) {
    const std::string listed = p_.toolkit.ItemText(kMainForm, kKeysetList, i);
    if (ProperCase(listed) == *name || SystemSameFileName(listed, *name)) return;
  }
  const int k = last + 1;
  p_.toolkit.AddItems(kMainForm, kKeysetList, *name);
  p_.toolkit.SelectItem(kMainForm, kKeysetList, k);
  p_.keysets.Lock()->SetCurrent(k);
  p_.panel.SetLayerFromLamp(kLayerLamp1);
}

void KeysetCommands::DeleteCurrentKeyset() {
  const std::string listed = p_.toolkit.Text(kMainForm, kKeysetList);
  const std::string name = ProperCase(listed);
  if (name == kDefaultKeyset) {
    Message("Can not Delete 'Default' Keyset");
    return;
  }
  const std::optional<std::string> file = FindKeysetFile(listed, name);
  if (!file) return;
  const fs::path path = p_.files.Folder() / *file;
  p_.windows.DialogActive = 1;
  const int answer = p_.toolkit.MessageBox(kMainForm, "Delete " + Utf8FromPath(path) + "{?}",
                                           "Delete keyset?", ui::Buttons::YesNo);
  p_.windows.DialogActive = 0;
  if (answer == ui::kAnswerNo) return;
  std::error_code ignored;
  fs::remove(path, ignored);
  p_.loadKeysetList();
}

void KeysetCommands::ImportKeyset() {
  const std::string chosen = p_.toolkit.OpenFileDialog(
      "Main", "Select Keyset", Utf8FromPath(CurrentDirectory()), "Keysets|*.qrb", "N");
  if (chosen.empty()) return;
  std::optional<std::string> name = ImportedKeysetName(PathFromUtf8(chosen));
  if (!name) return;
  int k = FindListed(*name);
  if (k >= 0) {
    // The keyset keeps the name it is listed and saved under.
    name = p_.toolkit.ItemText(kMainForm, kKeysetList, k);
    if (p_.prompt.Ask("main", "Replace " + *name, kQuestionTitle) == ui::kAnswerNo) return;
  } else {
    k = p_.toolkit.LastItem(kMainForm, kKeysetList) + 1;
    if (k >= kKeysetSlots) return;
    p_.toolkit.AddItems(kMainForm, kKeysetList, *name);
  }
  p_.toolkit.SelectItem(kMainForm, kKeysetList, k);
  p_.keysets.Lock()->SetCurrent(k);
  p_.panel.SetLayerFromLamp(kLayerLamp1);
  // The panel and the list showed a control of the keyset as it was before;
  // a step added, deleted or delayed there now would change the imported one.
  p_.panel.ClearPanelSelection();
  p_.toolkit.ClearItems(kMainForm, kSequenceList);
  p_.selection.PreviousControl = -1;
  p_.toolkit.DoEvents();
  ReadInto(k, PathFromUtf8(chosen));
  p_.keysets.Lock()->SetKeysetName(k, *name);
  p_.files.SaveKeyset(k);
}

void KeysetCommands::ExportKeyset() {
  const std::string name = p_.toolkit.Text(kMainForm, kKeysetList);
  if (name.empty()) return;
  const std::string chosen =
      p_.toolkit.SaveFileDialog("main", "Export Keyset", Utf8FromPath(CurrentDirectory()),
                                name + std::string(kKeysetExtension), "QRB|*.qrb", "QRB", "P");
  if (chosen.empty()) return;
  const std::optional<fs::path> target = ExportTarget(PathFromUtf8(chosen));
  std::error_code error;
  // A link would carry the export to wherever it points, outside the folder.
  if (!target || fs::is_symlink(*target, error)) return;
  // The question is about the file that is written, whatever name was typed.
  if (fs::exists(*target, error) &&
      p_.prompt.Ask("main", "Replace " + Utf8FromPath(target->filename()), kQuestionTitle) ==
          ui::kAnswerNo) {
    return;
  }
  const auto image = std::make_unique<char[]>(kKeysetFileBytes);
  {
    auto model = p_.keysets.Lock();
    for (int layer = 0; layer < kLayerSlots; ++layer) {
      std::memcpy(image.get() + LayerOffset(layer), &model->Record(model->CurrentKeyset(), layer),
                  kKeysetLayerBytes);
    }
  }
  ReplaceFileHead(*target, std::span<const char>(image.get(), kKeysetFileBytes));
}

void KeysetCommands::CopyLayer() {
  auto model = p_.keysets.Lock();
  std::memcpy(&model->LayerClipboard(), &model->Current(), kKeysetLayerBytes);
}

void KeysetCommands::CutLayer() {
  const std::string listed = p_.toolkit.Text(kMainForm, kKeysetList);
  int k = 0;
  {
    auto model = p_.keysets.Lock();
    std::memcpy(&model->LayerClipboard(), &model->Current(), kKeysetLayerBytes);
    std::memset(static_cast<void*>(&model->Current()), 0, kKeysetLayerBytes);
    k = model->CurrentKeyset();
    model->SetKeysetName(k, listed);
  }
  p_.files.SaveKeyset(k);
  RepickLayer();
}

void KeysetCommands::PasteLayer() {
  const std::string listed = p_.toolkit.Text(kMainForm, kKeysetList);
  int k = 0;
  {
    auto model = p_.keysets.Lock();
    if (IsBlank(model->LayerClipboard())) return;
    std::memcpy(&model->Current(), &model->LayerClipboard(), kKeysetLayerBytes);
    k = model->CurrentKeyset();
    model->SetKeysetName(k, listed);
  }
  p_.files.SaveKeyset(k);
  RepickLayer();
}

fs::path KeysetCommands::CurrentDirectory() const { return p_.files.Folder().parent_path(); }

int KeysetCommands::FindListed(const std::string& name) {
  const int last = p_.toolkit.LastItem(kMainForm, kKeysetList);
  for (int i = 0; i <= last; ++i) {
    // A case-only twin on this system is the listed keyset's file too.
    const std::string listed = p_.toolkit.ItemText(kMainForm, kKeysetList, i);
    if (SameIgnoringCase(listed, name) || SystemSameFileName(listed, name)) return i;
  }
  return -1;
}

std::optional<std::string> KeysetCommands::FindKeysetFile(const std::string& listed,
                                                          const std::string& name) {
  const std::vector<std::string> files = p_.files.ListKeysetFiles();
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
  auto model = p_.keysets.Lock();
  for (int layer = 0; layer < kLayerSlots; ++layer) {
    std::memcpy(&model->Record(k, layer), image.get() + LayerOffset(layer), kKeysetLayerBytes);
  }
}

void KeysetCommands::RepickLayer() {
  const int layer = p_.keysets.Lock()->CurrentLayer();
  p_.panel.SetLayerFromLabel(kLayerLabel1 + layer);
  p_.keysets.Lock()->PickLayer(layer);
  p_.panel.ClearPanelSelection();
  p_.toolkit.ClearItems(kMainForm, kSequenceList);
  p_.selection.PreviousControl = -1;
}

void KeysetCommands::Message(const std::string& text) {
  ui::ShowMessage(p_.toolkit, p_.windows, text);
}

}  // namespace quorbel
