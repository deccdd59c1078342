#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include "app/ProgramChoice.h"
#include "common/SelectionState.h"
#include "editor/SequenceEditor.h"
#include "keysets/KeysetFiles.h"
#include "keysets/KeysetModel.h"
#include "keysets/ListedKeysets.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"
#include "ui/Panel.h"
#include "ui/YesNoPrompt.h"

namespace quorbel {

// The user's commands on keysets: selecting one, making one for a program,
// deleting, importing and exporting keyset files, and cutting, copying and
// pasting a layer through the one-layer clipboard. Files are only ever read
// from the file the user chose and written to the keysets folder or the
// export the user chose.
class KeysetCommands {
 public:
  // What the commands work on and with.
  struct Collaborators {
    ui::Toolkit& toolkit;
    ListedKeysets& listed;
    KeysetModel& keysets;
    KeysetFiles& files;
    Panel& panel;
    SequenceEditor& editor;
    SelectionState& selection;
    ui::WindowState& windows;
    ui::YesNoPrompt& prompt;
    // Rebuilds the keyset list from the keyset files and selects slot 0.
    std::function<void()> loadKeysetList;
    ProgramChoice programs = {};
  };

  explicit KeysetCommands(Collaborators collaborators);

  // Makes keyset slot k current in its remembered layer, with the panel and
  // the editor cleared; a slot the keyset list does not have is ignored.
  void SelectKeyset(int k);
  // A keyset for a program chosen in a file dialog; it gets its file with
  // its first edit.
  void NewKeyset();
  // Deletes the current keyset's file after asking, then reloads the list.
  void DeleteCurrentKeyset();
  // Reads a keyset file from anywhere into a keyset of its name, asking
  // before one is replaced, and saves it into the keysets folder.
  void ImportKeyset();
  // Writes the current keyset to a file the user chooses.
  void ExportKeyset();
  void CutLayer();
  void CopyLayer();
  void PasteLayer();

 private:
  std::filesystem::path CurrentDirectory() const;
  // Slot of the listed keyset with this name, whatever its case; -1 if none.
  int FindListed(const std::string& name);
  // The file of the listed keyset in the keysets folder, found by name as
  // listed or else whatever its case.
  std::optional<std::string> FindKeysetFile(const std::string& listed, const std::string& name);
  void ReadInto(int k, const std::filesystem::path& file);
  // Ctrl+X and Ctrl+V also reach the layer commands from a text box: a cut or
  // paste that would throw steps away asks first. True to go on: the layer
  // holds no steps, or the user said Yes to "<change> layer n of <keyset>?"
  // followed by the consequence.
  bool ConfirmLayerChange(const std::string& change, const std::string& consequence);
  // The current layer picked again, as a click on its layer label does.
  void RepickLayer();
  void Message(const std::string& text);
  // A script runs as its interpreter, so the keyset it uses is the
  // interpreter's: the user is told which, and no keyset is made.
  void TellScriptKeyset(const std::filesystem::path& script,
                        const std::filesystem::path& interpreter);
  // Tells the user why the export of keyset `name` to `target` did not happen.
  void ExportFailed(const std::string& name, const std::filesystem::path& target,
                    std::error_code reason);

  Collaborators c_;
};

}  // namespace quorbel
