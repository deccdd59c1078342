// Saves one keyset over and over, alternating between two contents, and
// writes one byte to standard output after each completed save. It runs until
// it is killed: the kill test ends it at random moments in the middle of a save.
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "keysets/KeysetFiles.h"
#include "tests/integration/keysets/KeysetVersions.h"
#include "toolkit/WindowState.h"
#include "toolkit/memory/MemoryToolkit.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s KEYSETS-FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  quorbel::KeysetModel keysets;
  quorbel::ui::MemoryToolkit toolkit;
  quorbel::ui::WindowState windows;
  quorbel::KeysetFiles files(
      keysets, [&folder] { return folder; }, toolkit, windows);

  // Slots 0 and 1 carry the same name, so both save to the one file.
  quorbel::testing::FillVersion(keysets, 0, 0);
  quorbel::testing::FillVersion(keysets, 1, 1);
  for (int slot = 0;; slot = 1 - slot) {
    if (files.SaveKeyset(slot) != quorbel::SaveResult::Saved) {
      std::fprintf(stderr, "save failed\n");
      return 1;
    }
    const char saved = 's';
    if (::write(STDOUT_FILENO, &saved, 1) != 1) return 1;
  }
}
