#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "keysets/KeysetModel.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel {

// A keyset file is the four layer records of a keyset back to back.
inline constexpr std::size_t kKeysetFileBytes = kLayerSlots * kKeysetLayerBytes;
// A file shorter than this lacks part of the two layers the user works with:
// the user is told when it is loaded.
inline constexpr std::size_t kShortKeysetFileBytes = 2 * kKeysetLayerBytes;
inline constexpr const char* kShortKeysetFilesMessage =
    "These keyset files are shorter than a keyset, so what they lack reads as empty:|";

enum class SaveResult {
  Saved,
  NoFolder,  // the keysets folder is missing and cannot be made; the user was told
  Failed,    // the file could not be written; it is as it was
};

// Reads and writes the keyset files of the keysets folder. Every operation
// takes the model's lock itself, so none may be called while holding it.
// On an error what memory or the file held stays. A save that fails tells the
// user why once per failing streak: the first failure after a save that
// worked (or since start-up) shows a message, the ones that follow it do not,
// so that every edit of a keyset on a full disk does not bring up a box.
// A keysets folder that other users can change (FolderTrust.h) is neither
// listed, read nor written.
class KeysetFiles {
 public:
  // `folder` gives the keysets folder; it is asked again for every load and
  // save, because the folder follows the current directory.
  KeysetFiles(KeysetModel& keysets, std::function<std::filesystem::path()> folder,
              ui::Toolkit& toolkit, ui::WindowState& windows);

  std::filesystem::path Folder() const { return folder_(); }

  // The "*.qrb" file names of the keysets folder, as it lists them.
  std::vector<std::string> ListKeysetFiles() const;

  // What stops the keysets folder from being used, in one line for the user:
  // missing, unreadable, or open to other users. Empty when it can be used.
  std::string FolderTrouble() const;

  // Slot k, in order, gets the k-th name and is loaded from its file. Slots
  // past the names are left alone; names past the last slot are ignored.
  // Files much shorter than a keyset are named to the user in one message.
  void LoadKeysets(std::span<const std::string> names);

  // Reads the file of slot k's name into its four records: a short file
  // leaves the rest zero, bytes past the records are not read. A missing
  // folder or file leaves the records as they are.
  void LoadKeyset(int k);

  // Writes slot k's four records to the file of its name, creating the
  // keysets folder when missing. Bytes an existing file holds past the
  // records are kept. A link in the keysets folder is followed only when the
  // user alone could have placed it (LinkPolicy::FollowOwnPrivate).
  SaveResult SaveKeyset(int k);

 private:
  // `failure` gets the message for a save that failed.
  SaveResult Save(int k, std::string& failure);
  // Whether the folder, and the folder it stands in, are the user's alone.
  bool FolderTrusted() const;
  std::span<char> Image() { return {image_.get(), kKeysetFileBytes}; }

  KeysetModel& keysets_;
  std::function<std::filesystem::path()> folder_;
  ui::Toolkit& toolkit_;
  ui::WindowState& windows_;
  // The records travel through one buffer between the model and the disk,
  // so the model's lock is never held during file operations. Both threads
  // load and save, hence a lock of its own for the buffer.
  std::mutex image_mutex_;
  std::unique_ptr<char[]> image_;
  // Files of the current LoadKeysets found much shorter than a keyset.
  std::vector<std::string> shortFiles_;
  // A save failed and the user was told; cleared by the next save that works.
  std::atomic<bool> failing_{false};
};

}  // namespace quorbel
