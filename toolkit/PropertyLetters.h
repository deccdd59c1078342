#pragma once

#include <string>

namespace quorbel::ui {

// The property letters the program passes with forms, controls and file
// dialogs, and what each means in this toolkit. Letters not named here change
// nothing on purpose: "L" (left-aligned text, the default anyway), "I", "E",
// "T", "V", "J", "G", "#", "-" on controls; "_" and "C" on forms (every form
// has a caption and can be minimised); "T" on forms.
//
// Controls:
//   "H" hidden until shown          "D" disabled until enabled
//   "S" sunken frame                "C" text centred (labels)
//   "R" text right-aligned (labels; "C" wins when both are given)
// Forms:
//   "M" modal to its parent: creating it returns when it has been closed
// File dialogs:
//   "N" the chosen file must exist
//   "P" the chosen file's folder must exist, as a save dialog always wants;
//       the dialog never asks before a file is replaced: the program asks
//       itself, about the file it will write, so the user is asked once
struct ControlLetters {
  bool hidden = false;
  bool disabled = false;
  bool sunken = false;
  bool centred = false;
  bool rightAligned = false;
};

struct FormLetters {
  bool modal = false;
};

struct FileDialogLetters {
  bool mustExist = false;
};

ControlLetters ReadControlLetters(const std::string& letters);
FormLetters ReadFormLetters(const std::string& letters);
FileDialogLetters ReadFileDialogLetters(const std::string& letters);

}  // namespace quorbel::ui
