#pragma once

#include <string>
#include <vector>

#include "toolkit/Toolkit.h"

namespace quorbel::ui {

inline constexpr const char* kYesNoForm = "YESNO";

// The program's own yes/no question: the form "YESNO" with a question-mark
// icon, the question in one or more lines ("|" ends a line) and the buttons
// "Yes" and "No", sized from the text and centred over the asking form.
// Runs on the GUI thread; one question at a time.
class YesNoPrompt {
 public:
  explicit YesNoPrompt(Toolkit& toolkit);

  // Asks and returns kAnswerYes or kAnswerNo once the user has answered;
  // the program's windows keep running meanwhile. Closing the form by its
  // title bar, or closing the asking form with it, answers "No", as does a
  // question asked while one is open.
  int Ask(const std::string& askingForm, const std::string& text, const std::string& title);

  // The form's layout, called while the toolkit creates "YESNO".
  void Layout();
  // The form's events: only clicks on the buttons and the close box answer.
  void HandleEvent(Event& event);

 private:
  Toolkit& toolkit_;
  bool open_ = false;
  bool answered_ = false;
  int answer_ = kAnswerNo;
  std::vector<std::string> lines_;  // the question, still to be laid out
};

}  // namespace quorbel::ui
