// Any file in the keysets folder loads; what is saved from it loads and saves
// again to the very same bytes, keeps whatever the file held past the four
// records, and has the records' length at least.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "keysets/KeysetFiles.h"
#include "toolkit/memory/MemoryToolkit.h"

namespace {

namespace fs = std::filesystem;
using quorbel::KeysetFiles;
using quorbel::SaveResult;

// One keysets folder for the whole run, removed at exit.
struct Folder {
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "quorbel-fuzz-XXXXXX").string();
    path = fs::path(::mkdtemp(pattern.data())) / "keysets";
  }
  ~Folder() {
    std::error_code error;
    fs::remove_all(path.parent_path(), error);
  }
  fs::path path;
};

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Loads slot 0 from its file and saves it back; returns the saved file.
std::string LoadAndSave(quorbel::KeysetModel& keysets, KeysetFiles& files, const fs::path& file) {
  keysets.Lock()->ResetTable();
  keysets.Lock()->SetKeysetName(0, "Fuzz");
  files.LoadKeyset(0);
  keysets.Lock()->SetKeysetName(0, "Fuzz");  // the load took the file's own name field
  if (files.SaveKeyset(0) != SaveResult::Saved) std::abort();
  return ReadAll(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Folder folder;
  static quorbel::KeysetModel keysets;
  static quorbel::ui::MemoryToolkit toolkit;
  static quorbel::ui::WindowState windows;
  static KeysetFiles files(
      keysets, [] { return folder.path; }, toolkit, windows);

  const std::string input(reinterpret_cast<const char*>(data), size);
  const fs::path file = folder.path / "Fuzz.qrb";
  fs::create_directories(folder.path);
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(input.data(), static_cast<std::streamsize>(size));

  const std::string first = LoadAndSave(keysets, files, file);
  const std::string second = LoadAndSave(keysets, files, file);

  std::string expected = input;
  expected.resize(std::max(size, quorbel::kKeysetFileBytes), '\0');
  expected.replace(0, quorbel::kNameBytes, "Fuzz" + std::string(quorbel::kNameBytes - 4, ' '));
  if (first != second || first != expected) std::abort();
  return 0;
}
