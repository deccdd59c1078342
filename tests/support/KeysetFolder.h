#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "keysets/KeysetFiles.h"
#include "tests/support/TempFolder.h"
#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// A keyset model whose keysets folder lies in a temporary folder of its own.
class KeysetFolderTest : public ::testing::Test {
 protected:
  KeysetFolderTest()
      : root(MakeRoot()),
        folder(root / "keysets"),
        files(
            keysets, [this] { return folder; }, toolkit, windows) {}

  ~KeysetFolderTest() override {
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root, error);
  }

  // The four records of slot k as one file image.
  std::string Image(int k) {
    std::string image;
    auto model = keysets.Lock();
    for (int layer = 0; layer < kLayerSlots; ++layer) {
      image.append(reinterpret_cast<const char*>(&model->Record(k, layer)), kKeysetLayerBytes);
    }
    return image;
  }

  fs::path KeysetFile(const std::string& name) { return folder / (name + ".qrb"); }

  fs::path root;
  fs::path folder;
  KeysetModel keysets;
  ui::MemoryToolkit toolkit;
  ui::WindowState windows;
  KeysetFiles files;

 private:
  static fs::path MakeRoot() { return MakeTempFolder("quorbel-keysets-"); }
};

}  // namespace quorbel
