#include <cstdint>
#include <cstring>

#include "keysets/KeysetNames.h"
#include "tests/support/KeysetFolder.h"

namespace quorbel {
namespace {

std::int32_t LongAt(const std::string& bytes, std::size_t offset) {
  std::int32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// Every byte of slot k's records set from a running pattern.
void Scribble(KeysetModel& keysets, int k, unsigned seed) {
  auto model = keysets.Lock();
  for (int layer = 0; layer < kLayerSlots; ++layer) {
    auto* bytes = reinterpret_cast<unsigned char*>(&model->Record(k, layer));
    for (std::size_t i = 0; i < kKeysetLayerBytes; ++i) {
      bytes[i] = static_cast<unsigned char>((i * 131 + seed) >> 3);
    }
  }
}

using KeysetFilesTest = KeysetFolderTest;

TEST_F(KeysetFilesTest, SavedFileIsTheFourRecordsAtTheirOffsets) {
  {
    auto model = keysets.Lock();
    model->SetKeysetName(0, "Default");
    model->SetStep(3, 2, Step{-1, -1, kLeftClick, 0, 7});
    model->SetLabel(3, 2, "Play");
    model->PickLayer(1);
    model->SetStep(5, 1, Step{0, 0, 'A', kCtrl, 0});
  }
  EXPECT_EQ(files.SaveKeyset(0), SaveResult::Saved);
  const std::string file = ReadFile(KeysetFile("Default"));
  ASSERT_EQ(file.size(), 230736u);
  EXPECT_EQ(file.substr(0, 260), "Default" + std::string(253, ' '));
  EXPECT_EQ(LongAt(file, 260), 0);
  const std::size_t step = (2 * 128 + 3);
  EXPECT_EQ(LongAt(file, 264 + step * 4), -1);
  EXPECT_EQ(LongAt(file, 11528 + step * 4), 0x8000);
  EXPECT_EQ(LongAt(file, 50952 + step * 4), 7);
  EXPECT_EQ(file.substr(22792 + step * 20, 20), "Play" + std::string(16, ' '));
  EXPECT_EQ(file.substr(57684, 260), std::string(260, '\0'));  // layer 1's name never stored
  EXPECT_EQ(LongAt(file, 57684 + 11528 + (128 + 5) * 4), 'A');
  EXPECT_EQ(LongAt(file, 57684 + 17160 + (128 + 5) * 4), kCtrl);
  EXPECT_EQ(file, Image(0));
}

TEST_F(KeysetFilesTest, SaveAndLoadReproduceTheRecords) {
  Scribble(keysets, 4, 7);
  keysets.Lock()->SetKeysetName(4, "Editor");
  const std::string saved = Image(4);
  ASSERT_EQ(files.SaveKeyset(4), SaveResult::Saved);
  const std::string first = ReadFile(KeysetFile("Editor"));
  EXPECT_EQ(first, saved);

  keysets.Lock()->ResetTable();
  const std::string name[] = {"Default", "Editor"};
  files.LoadKeysets(name);  // slot 1 now
  EXPECT_EQ(Image(1), saved);
  EXPECT_EQ(keysets.Lock()->KeysetName(0), "Default");

  ASSERT_EQ(files.SaveKeyset(1), SaveResult::Saved);
  EXPECT_EQ(ReadFile(KeysetFile("Editor")), first);
  EXPECT_FALSE(fs::exists(KeysetFile("Default")));  // a keyset without a file stays without
}

TEST_F(KeysetFilesTest, ShortAndLongFilesLoadTheirFirstRecordBytes) {
  fs::create_directory(folder);
  WriteFile(KeysetFile("Short"), std::string(100, '\xAB'));
  std::string tail(300000 - 230736, '\x5C');
  std::string longFile(230736, '\0');
  for (std::size_t i = 0; i < longFile.size(); ++i) longFile[i] = static_cast<char>(i % 251);
  WriteFile(KeysetFile("Long"), longFile + tail);

  Scribble(keysets, 0, 1);  // a load overwrites all four records
  keysets.Lock()->SetKeysetName(0, "Short");
  files.LoadKeyset(0);
  EXPECT_EQ(Image(0), std::string(100, '\xAB') + std::string(230636, '\0'));

  keysets.Lock()->SetKeysetName(1, "Long");
  files.LoadKeyset(1);
  EXPECT_EQ(Image(1), longFile);

  // A save over the longer file rewrites its records and keeps the rest.
  keysets.Lock()->SetKeysetName(1, "Long");  // the load took the file's name field
  keysets.Lock()->SetCurrent(1);
  keysets.Lock()->SetStep(9, 1, Step{0, 0, 'Z', 0, 0});
  ASSERT_EQ(files.SaveKeyset(1), SaveResult::Saved);
  EXPECT_EQ(ReadFile(KeysetFile("Long")), Image(1) + tail);
}

TEST_F(KeysetFilesTest, MissingFolderOrFileLeavesTheRecords) {
  Scribble(keysets, 2, 3);
  keysets.Lock()->SetKeysetName(2, "Nowhere");
  const std::string before = Image(2);
  files.LoadKeyset(2);  // no folder
  fs::create_directory(folder);
  files.LoadKeyset(2);  // no file
  fs::create_directory(KeysetFile("Nowhere"));
  files.LoadKeyset(2);  // not a file
  EXPECT_EQ(Image(2), before);
  EXPECT_TRUE(files.ListKeysetFiles().empty());
}

TEST_F(KeysetFilesTest, SaveMakesTheFolderOrSaysItCannot) {
  keysets.Lock()->SetKeysetName(0, "Default");
  EXPECT_EQ(files.SaveKeyset(0), SaveResult::Saved);
  EXPECT_EQ(fs::file_size(KeysetFile("Default")), 230736u);
  EXPECT_TRUE(toolkit.MessageBoxes().empty());

  folder = root / "missing" / "keysets";  // its parent is missing too
  EXPECT_EQ(files.SaveKeyset(0), SaveResult::NoFolder);
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, "Disk Error, Can Not Save Keysets");
  EXPECT_EQ(toolkit.MessageBoxes()[0].title, "Brenlow Electronics");
  EXPECT_EQ(windows.DialogActive.load(), 0);
}

TEST_F(KeysetFilesTest, NamesThatLeaveTheFolderHaveNoFile) {
  using namespace std::string_view_literals;
  for (std::string_view bad : {""sv, "."sv, ".."sv, "../x"sv, "a/b"sv, "/etc/x"sv, "x\0y"sv}) {
    EXPECT_EQ(KeysetFilePath(folder, bad), std::nullopt) << bad;
  }
  EXPECT_EQ(KeysetFilePath(folder, "My Keys"), folder / "My Keys.qrb");
  EXPECT_EQ(KeysetFilePath(folder, "..hidden"), folder / "..hidden.qrb");

  WriteFile(root / "outside.qrb", std::string(100, 'o'));
  for (const char* bad : {"../outside", " .. ", "sub/x", "../../tmp/x"}) {
    keysets.Lock()->SetKeysetName(0, bad);
    files.LoadKeyset(0);
    EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed) << bad;
  }
  EXPECT_EQ(Image(0).substr(260), std::string(230736 - 260, '\0'));
  EXPECT_EQ(ReadFile(root / "outside.qrb"), std::string(100, 'o'));
  EXPECT_EQ(FolderEntries(root).size(), 2u);  // outside.qrb and the keysets folder
  EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST_F(KeysetFilesTest, ALinkedKeysetIsSavedWhereTheLinkPoints) {
  fs::create_directory(folder);
  WriteFile(root / "shared.qrb", "");
  fs::create_symlink(root / "shared.qrb", KeysetFile("Linked"));
  keysets.Lock()->SetKeysetName(0, "Linked");
  ASSERT_EQ(files.SaveKeyset(0), SaveResult::Saved);
  EXPECT_TRUE(fs::is_symlink(KeysetFile("Linked")));
  EXPECT_EQ(ReadFile(root / "shared.qrb"), Image(0));
}

}  // namespace
}  // namespace quorbel
