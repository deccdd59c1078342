// Message boxes, file dialogs and help of the in-memory toolkit: each is
// recorded and answered from the queues the test fills.
#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel::ui {

void MemoryToolkit::SetDialogHook(const std::function<void()>& hook) {
  std::lock_guard lock(mutex_);
  dialogHook_ = hook;
}

void MemoryToolkit::QueueAnswer(int answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

void MemoryToolkit::QueueFilePath(const std::string& path) {
  std::lock_guard lock(mutex_);
  filePaths_.push_back(path);
}

int MemoryToolkit::MessageBox(const std::string& form, const std::string& text,
                              const std::string& title, Buttons buttons) {
  std::function<void()> hook;
  int answer = buttons == Buttons::Ok ? kAnswerYes : kAnswerNo;
  {
    std::lock_guard lock(mutex_);
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    messageBoxes_.push_back(MessageBoxRecord{form, text, title, buttons, answer});
    hook = dialogHook_;
  }
  if (hook) hook();
  return answer;
}

std::string MemoryToolkit::OpenFileDialog(const std::string& form, const std::string& title,
                                          const std::string& startFolder, const std::string& filter,
                                          const std::string& letters) {
  return RecordFileDialog(FileDialogRecord{FileDialogKind::Open, form, title, startFolder, "",
                                           filter, "", letters, ""});
}

std::string MemoryToolkit::SaveFileDialog(const std::string& form, const std::string& title,
                                          const std::string& startFolder,
                                          const std::string& proposedName,
                                          const std::string& filter,
                                          const std::string& defaultExtension,
                                          const std::string& letters) {
  return RecordFileDialog(FileDialogRecord{FileDialogKind::Save, form, title, startFolder,
                                           proposedName, filter, defaultExtension, letters, ""});
}

std::string MemoryToolkit::RecordFileDialog(FileDialogRecord record) {
  std::function<void()> hook;
  {
    std::lock_guard lock(mutex_);
    if (!filePaths_.empty()) {
      record.answer = filePaths_.front();
      filePaths_.pop_front();
    }
    fileDialogs_.push_back(record);
    hook = dialogHook_;
  }
  if (hook) hook();
  return record.answer;
}

bool MemoryToolkit::ShowHelp(const std::string& form, const std::string& helpFile) {
  std::lock_guard lock(mutex_);
  helpRequests_.push_back(HelpRecord{form, helpFile});
  return helpViewer_;
}

void MemoryToolkit::SetHelpViewer(bool present) {
  std::lock_guard lock(mutex_);
  helpViewer_ = present;
}

std::vector<MessageBoxRecord> MemoryToolkit::MessageBoxes() const {
  std::lock_guard lock(mutex_);
  return messageBoxes_;
}

std::vector<FileDialogRecord> MemoryToolkit::FileDialogs() const {
  std::lock_guard lock(mutex_);
  return fileDialogs_;
}

std::vector<HelpRecord> MemoryToolkit::HelpRequests() const {
  std::lock_guard lock(mutex_);
  return helpRequests_;
}

}  // namespace quorbel::ui
