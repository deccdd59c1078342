// A save killed at any moment leaves the keyset file wholly one version or
// wholly the other, and nothing beside it that the keyset list would take for
// a keyset. QUORBEL_SAVEKILL_ROUNDS sets the number of kills (200 by default).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "keysets/KeysetFiles.h"
#include "keysets/KeysetNames.h"
#include "tests/integration/keysets/KeysetVersions.h"
#include "tests/integration/keysets/SaverProcess.h"
#include "tests/support/TempFolder.h"
#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel::testing {
namespace {

namespace fs = std::filesystem;
using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr milliseconds kStartTimeout{10000};

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Rounds() {
  const char* text = std::getenv("QUORBEL_SAVEKILL_ROUNDS");
  const int rounds = text != nullptr ? std::atoi(text) : 0;
  return rounds > 0 ? rounds : 200;
}

class SaveKillTest : public ::testing::Test {
 protected:
  SaveKillTest() {
    folder_ = root_ / "keysets";
    file_ = folder_ / (std::string(kLoopKeysetName) + ".qrb");
  }

  // The two whole files the loop writes, saved here without interruption.
  void SaveVersions() {
    const fs::path reference = root_ / "reference";
    KeysetModel keysets;
    ui::MemoryToolkit toolkit;
    ui::WindowState windows;
    KeysetFiles files(
        keysets, [&reference] { return reference; }, toolkit, windows);
    for (int version = 0; version < 2; ++version) {
      FillVersion(keysets, 0, version);
      ASSERT_EQ(files.SaveKeyset(0), SaveResult::Saved);
      versions_[version] = ReadAll(reference / file_.filename());
    }
  }

  // How long one save takes, from a loop left running for a while.
  microseconds SavePeriod() {
    SaverProcess saver(QUORBEL_SAVE_LOOP, folder_);
    EXPECT_TRUE(saver.WaitForSaves(1, kStartTimeout));
    const auto start = std::chrono::steady_clock::now();
    saver.WaitForSaves(1000000, milliseconds(300));
    const auto spent = std::chrono::steady_clock::now() - start;
    const int saves = std::max(saver.Saves() - 1, 1);
    return std::max(microseconds(100), std::chrono::duration_cast<microseconds>(spent / saves));
  }

  TempFolder made_{"quorbel-savekill-"};
  fs::path root_ = made_.Path(), folder_, file_;
  std::string versions_[2];
};

TEST_F(SaveKillTest, EveryKillLeavesOneWholeVersionAndNoOtherKeyset) {
  SaveVersions();
  ASSERT_EQ(versions_[0].size(), kKeysetFileBytes);
  ASSERT_EQ(versions_[1].size(), kKeysetFileBytes);
  ASSERT_NE(versions_[0], versions_[1]);

  const microseconds period = SavePeriod();
  std::mt19937 random(std::random_device{}());
  // Up to three saves long, so that the kills fall on every phase of a save.
  std::uniform_int_distribution<long> delayMicros(0, 3 * period.count());

  const int rounds = Rounds();
  int found[2] = {0, 0};
  // Temporaries already there (the measuring loop's) are not the kills'.
  const int before = static_cast<int>(std::distance(fs::directory_iterator(folder_), {})) - 1;
  int leftovers = before, midSave = 0;
  long saves = 0;
  for (int round = 0; round < rounds; ++round) {
    SaverProcess saver(QUORBEL_SAVE_LOOP, folder_);
    ASSERT_TRUE(saver.Started());
    ASSERT_TRUE(saver.WaitForSaves(1, kStartTimeout)) << "round " << round;
    std::this_thread::sleep_for(microseconds(delayMicros(random)));
    ASSERT_TRUE(saver.Kill()) << "round " << round << ": the loop ended before the kill";
    saves += saver.Saves();

    const std::string kept = ReadAll(file_);
    const bool first = kept == versions_[0];
    ASSERT_TRUE(first || kept == versions_[1])
        << "round " << round << ": a torn file of " << kept.size() << " bytes";
    ++found[first ? 0 : 1];

    const std::vector<std::string> listed = KeysetFileNames(folder_);
    ASSERT_EQ(KeysetListNames(listed), std::vector<std::string>{std::string(kLoopKeysetName)})
        << "round " << round;
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (entry.path() == file_) continue;
      // A save cut short leaves its hidden temporary behind.
      EXPECT_TRUE(name.starts_with(".") && name.ends_with(".tmp")) << name;
      ++entries;
    }
    if (entries > leftovers) ++midSave;
    leftovers = entries;
  }

  std::printf(
      "%d kills, one save every %lld us, %ld saves completed; file held the first version %d "
      "times, the second %d times; %d kills fell inside a save and left %d hidden temporaries; "
      "no torn file\n",
      rounds, static_cast<long long>(period.count()), saves, found[0], found[1], midSave,
      leftovers - before);
  RecordProperty("kills", rounds);
  RecordProperty("kills_inside_a_save", midSave);
}

}  // namespace
}  // namespace quorbel::testing
