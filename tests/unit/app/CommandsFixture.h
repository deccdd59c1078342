#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/KeysetCommands.h"
#include "editor/SequenceEditor.h"
#include "keysets/KeysetNames.h"
#include "tests/support/EditorWindow.h"
#include "tests/support/KeysetFolder.h"
#include "tests/support/PanelWindow.h"
#include "ui/KeysetListView.h"
#include "ui/Panel.h"
#include "ui/YesNoPrompt.h"

namespace quorbel {

// The main window with the panel, the editor, the yes/no prompt and the
// keyset commands over a keysets folder of the test's own. The prompt is
// answered from `promptAnswers`, "No" when it is empty; each question asked is kept in `questions`.
class CommandsTest : public KeysetFolderTest {
 protected:
  CommandsTest()
      : lamps(toolkit),
        panel(toolkit, keysets, catalogue, lamps, selection),
        editor(toolkit, keysets, files, catalogue, windows, listed),
        prompt(toolkit),
        commands({toolkit, listed, keysets, files, panel, editor, selection, windows, prompt,
                  [this] { LoadKeysetList(); }}) {
    toolkit.SetCallbacks(
        [this](const std::string& form) {
          if (form == ui::kYesNoForm) prompt.Layout();
        },
        [this](ui::Event& event) {
          if (event.form == ui::kYesNoForm) prompt.HandleEvent(event);
        });
    toolkit.SetDoEventsHook([this] { AnswerPrompt(); });
    AddPanelControls(toolkit);
    AddEditorControls(toolkit);
    toolkit.AddMenuTitle("MAIN", 1600, "&Edit");
    toolkit.AddMenuItem("MAIN", 1600, 1630, "&Delete Current Keyset");
    toolkit.SetMenuItem("MAIN", 1630, "D");
    keysets.Lock()->SetKeysetName(0, "Default");
  }

  // The keyset list made from the keyset files, as start-up makes it.
  void LoadKeysetList() {
    keysets.Lock()->ResetTable();
    toolkit.ClearItems("MAIN", 410);
    std::vector<std::string> names = KeysetListNames(files.ListKeysetFiles());
    if (names.empty()) names.push_back("Default");
    for (const std::string& name : names) toolkit.AddItems("MAIN", 410, name);
    files.LoadKeysets(names);
    commands.SelectKeyset(0);
  }

  // Lists the names as keysets and saves each with one step on control 0.
  void SaveKeysets(const std::vector<std::string>& names) {
    toolkit.ClearItems("MAIN", 410);
    for (std::size_t k = 0; k < names.size(); ++k) {
      toolkit.AddItems("MAIN", 410, names[k]);
      auto model = keysets.Lock();
      model->SetKeysetName(static_cast<int>(k), names[k]);
      model->SetCurrent(static_cast<int>(k));
      model->SetStep(0, 1, Step{0, 0, 'A' + static_cast<int>(k), 0, 0});
    }
    for (std::size_t k = 0; k < names.size(); ++k) files.SaveKeyset(static_cast<int>(k));
    LoadKeysetList();
  }

  std::vector<std::string> Listed() const { return toolkit.Items("MAIN", 410); }

  std::deque<int> promptAnswers;
  std::vector<std::string> questions;

  // Answers the yes/no prompt when it is up, from `promptAnswers`.
  void AnswerPrompt() {
    if (!toolkit.HasForm(ui::kYesNoForm)) return;
    questions.push_back(toolkit.Text(ui::kYesNoForm, 105));
    int answer = ui::kAnswerNo;  // a question the test did not expect
    if (!promptAnswers.empty()) {
      answer = promptAnswers.front();
      promptAnswers.pop_front();
    }
    toolkit.Click(ui::kYesNoForm, answer == ui::kAnswerYes ? 120 : 125);
  }

  ControlCatalogue catalogue;
  SelectionState selection;
  RecordingLamps lamps;
  Panel panel;
  ui::KeysetListView listed{toolkit};
  SequenceEditor editor;
  ui::YesNoPrompt prompt;
  KeysetCommands commands;
};

}  // namespace quorbel
