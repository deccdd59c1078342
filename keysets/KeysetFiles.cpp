#include "keysets/KeysetFiles.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

#include "keysets/FileHead.h"
#include "keysets/KeysetNames.h"
#include "platform/FolderTrust.h"
#include "toolkit/Messages.h"

namespace quorbel {

namespace {

std::size_t RecordOffset(int layer) { return static_cast<std::size_t>(layer) * kKeysetLayerBytes; }

}  // namespace

KeysetFiles::KeysetFiles(KeysetModel& keysets, std::function<std::filesystem::path()> folder,
                         ui::Toolkit& toolkit, ui::WindowState& windows)
    : keysets_(keysets),
      folder_(std::move(folder)),
      toolkit_(toolkit),
      windows_(windows),
      image_(new char[kKeysetFileBytes]) {}

bool KeysetFiles::FolderTrusted() const { return FolderIsTrusted(folder_()); }

std::string KeysetFiles::FolderTrouble() const {
  const std::filesystem::path folder = folder_();
  switch (CheckFolder(folder)) {
    case FolderTrust::Missing:
      return "There is no keysets folder " + folder.string() +
             ". QuorbelU starts with an empty Default keyset and makes the folder when a "
             "keyset is first changed.";
    case FolderTrust::NotAFolder:
      return "The keysets folder " + folder.string() +
             " is not a folder. QuorbelU starts with an empty Default keyset.";
    case FolderTrust::OthersMayWrite:
      return UntrustedFolderText(folder);
    case FolderTrust::Private:
      break;
  }
  std::error_code error;
  std::filesystem::directory_iterator listing(folder, error);
  if (!error) return {};
  return "The keysets folder " + folder.string() + " cannot be read (" + error.message() +
         "). QuorbelU starts with an empty Default keyset.";
}

std::vector<std::string> KeysetFiles::ListKeysetFiles() const {
  if (!FolderTrusted()) return {};
  // Each listing also clears what saves cut short by a crash left behind.
  RemoveStaleSaves(folder_());
  return KeysetFileNames(folder_());
}

void KeysetFiles::LoadKeysets(std::span<const std::string> names) {
  const std::size_t count = std::min(names.size(), static_cast<std::size_t>(kKeysetSlots));
  shortFiles_.clear();
  for (std::size_t slot = 0; slot < count; ++slot) {
    const int k = static_cast<int>(slot);
    keysets_.Lock()->SetKeysetName(k, names[slot]);
    LoadKeyset(k);
  }
  if (shortFiles_.empty()) return;
  std::string text = kShortKeysetFilesMessage;
  for (std::size_t i = 0; i < shortFiles_.size(); ++i) text += (i ? ", " : "") + shortFiles_[i];
  shortFiles_.clear();
  ui::ShowMessage(toolkit_, windows_, text);
}

void KeysetFiles::LoadKeyset(int k) {
  if (!FolderTrusted()) return;
  std::lock_guard image(image_mutex_);
  const auto file = KeysetFilePath(folder_(), keysets_.Lock()->KeysetName(k));
  std::size_t fileBytes = 0;
  if (!file || !ReadFileHead(*file, Image(), &fileBytes)) return;
  if (fileBytes < kShortKeysetFileBytes) shortFiles_.push_back(file->filename().string());
  auto model = keysets_.Lock();
  for (int layer = 0; layer < kLayerSlots; ++layer) {
    std::memcpy(&model->Record(k, layer), image_.get() + RecordOffset(layer), kKeysetLayerBytes);
  }
}

SaveResult KeysetFiles::SaveKeyset(int k) {
  std::string failure;
  const SaveResult result = Save(k, failure);
  // Shown once the buffer is free again, so that a save on the other thread
  // does not wait for the user.
  if (result == SaveResult::NoFolder) {
    ui::ShowMessage(toolkit_, windows_, "Disk Error, Can Not Save Keysets");
  } else if (result == SaveResult::Failed) {
    if (!failing_.exchange(true)) ui::ShowMessage(toolkit_, windows_, failure);
  } else {
    failing_ = false;
  }
  return result;
}

SaveResult KeysetFiles::Save(int k, std::string& failure) {
  std::lock_guard image(image_mutex_);
  const std::filesystem::path folder = folder_();
  if (!FolderTrusted()) {
    // The keyset stays in memory; the file is not written where others could
    // have placed or may change it.
    failure = "The keyset is not saved. " +
              UntrustedFolderText(CheckFolder(folder.parent_path()) == FolderTrust::OthersMayWrite
                                      ? folder.parent_path()
                                      : folder);
    return SaveResult::Failed;
  }
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error))
    std::filesystem::create_directory(folder, error);
  if (!std::filesystem::is_directory(folder, error)) return SaveResult::NoFolder;

  std::string name;
  {
    auto model = keysets_.Lock();
    name = model->KeysetName(k);
    for (int layer = 0; layer < kLayerSlots; ++layer) {
      std::memcpy(image_.get() + RecordOffset(layer), &model->Record(k, layer), kKeysetLayerBytes);
    }
  }
  const auto file = KeysetFilePath(folder, name);
  std::string reason = "the name can not be a file name";
  if (file) {
    const std::error_code failed = ReplaceFileHead(*file, Image(), LinkPolicy::FollowOwnPrivate);
    if (!failed) return SaveResult::Saved;
    reason = failed.message();
  }
  failure = "Disk Error, Can Not Save Keyset " + name + "|" +
            (folder / (name + std::string(kKeysetExtension))).string() + ": " + reason +
            "|The file is as it was; the next change that can be saved saves this one too.{!}";
  return SaveResult::Failed;
}

}  // namespace quorbel
