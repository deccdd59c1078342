#include "toolkit/PropertyLetters.h"

namespace quorbel::ui {

namespace {

bool Has(const std::string& letters, char letter) {
  return letters.find(letter) != std::string::npos;
}

}  // namespace

ControlLetters ReadControlLetters(const std::string& letters) {
  ControlLetters read;
  read.hidden = Has(letters, 'H');
  read.disabled = Has(letters, 'D');
  read.sunken = Has(letters, 'S');
  read.centred = Has(letters, 'C');
  read.rightAligned = Has(letters, 'R') && !read.centred;
  return read;
}

FormLetters ReadFormLetters(const std::string& letters) { return FormLetters{Has(letters, 'M')}; }

FileDialogLetters ReadFileDialogLetters(const std::string& letters) {
  return FileDialogLetters{Has(letters, 'N')};
}

}  // namespace quorbel::ui
