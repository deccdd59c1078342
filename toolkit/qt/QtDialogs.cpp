// Message boxes, file dialogs and help of the Qt toolkit.
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>

#include "toolkit/PropertyLetters.h"
#include "toolkit/ToolkitTexts.h"
#include "toolkit/qt/CharGrid.h"
#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/QtToolkit.h"

namespace quorbel::ui {

namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Room the window frame's title bar takes beside the title: its icon and
// buttons, in pixels.
constexpr int kTitleBarRoom = 160;

// A short text makes a narrow box whose title bar cuts its title ("Quorbel
// Beta version 0.9" under "Brenlow Electronics"): the box is made wide
// enough for the title.
void FitTitle(QMessageBox& box, const QString& title) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const int width = box.fontMetrics().horizontalAdvance(title) + kTitleBarRoom;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

// Runs a file dialog; the current directory is the same afterwards.
std::string ChooseFile(QFileDialog& dialog) {
  const QString current = QDir::currentPath();
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  QDir::setCurrent(current);
  return chosen ? FromQt(QFileInfo(dialog.selectedFiles().front()).absoluteFilePath())
                : std::string();
}

}  // namespace

QWidget* QtToolkit::DialogParent(const std::string& form) const {
  const QtForm* f = FindForm(form);
  return f != nullptr ? f->window : nullptr;
}

int QtToolkit::MessageBox(const std::string& form, const std::string& text,
                          const std::string& title, Buttons buttons) {
  return OnGui([&] {
    const MessageText message = ReadMessageText(text);
    QMessageBox box(IconOf(message.icon), ToQt(title), ToQt(message.text), QMessageBox::NoButton,
                    DialogParent(form));
    FitTitle(box, ToQt(title));
    if (buttons == Buttons::Ok) {
      box.setStandardButtons(QMessageBox::Ok);
      box.exec();
      return kAnswerYes;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes) ? kAnswerYes : kAnswerNo;
  });
}

std::string QtToolkit::OpenFileDialog(const std::string& form, const std::string& title,
                                      const std::string& startFolder, const std::string& filter,
                                      const std::string& letters) {
  return OnGui([&] {
    QFileDialog dialog(DialogParent(form), ToQt(title), ToQt(startFolder),
                       ToQt(QtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(ReadFileDialogLetters(letters).mustExist ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile);
    return ChooseFile(dialog);
  });
}

std::string QtToolkit::SaveFileDialog(const std::string& form, const std::string& title,
                                      const std::string& startFolder,
                                      const std::string& proposedName, const std::string& filter,
                                      const std::string& defaultExtension,
                                      const std::string& /*letters*/) {
  return OnGui([&] {
    QFileDialog dialog(DialogParent(form), ToQt(title), ToQt(startFolder),
                       ToQt(QtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(ToQt(defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!proposedName.empty()) dialog.selectFile(ToQt(proposedName));
    return ChooseFile(dialog);
  });
}

bool QtToolkit::ShowHelp(const std::string& /*form*/, const std::string& helpFile) {
  bool opened = false;
  OnGui([&] {
    const QFileInfo file(ToQt(helpFile));
    opened =
        file.isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
  });
  return opened;
}

}  // namespace quorbel::ui
