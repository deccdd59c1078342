#include "ui/KeysetList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/KeysetFolder.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class KeysetListTest : public KeysetFolderTest {
 protected:
  KeysetListTest() {
    toolkit.SetCallbacks(
        [this](const std::string&) { LayOutMainWindow(toolkit, catalogue, selection); },
        [](Event&) {});
    CreateMainWindow(toolkit, "");
  }

  void AddFiles(std::initializer_list<const char*> names) {
    fs::create_directories(folder);
    for (const char* name : names) {
      std::string image(kNameBytes + 4, '\0');
      image.replace(0, std::string(name).size(), name);
      WriteFile(KeysetFile(name), image + "!");
    }
  }

  std::vector<std::string> MenuTexts() const {
    std::vector<std::string> texts;
    for (const auto& item : toolkit.MenuItems("main", kKeysetsMenu)) {
      texts.push_back(std::to_string(item.id) + " " + item.text);
    }
    return texts;
  }

  ControlCatalogue catalogue;
  SelectionState selection;
  std::vector<std::string> calls;
  KeysetList list{toolkit, keysets, files,
                  KeysetList::AfterLoad{
                      [this] { calls.push_back("refresh"); },
                      [this](int slot) { calls.push_back("select " + std::to_string(slot)); }}};
};

TEST_F(KeysetListTest, NoFolderListsOnlyDefaultAndSelectsNothing) {
  keysets.Lock()->SetCurrent(3);
  list.LoadKeysetList();
  EXPECT_THAT(toolkit.Items("main", kKeysetList), ElementsAre("Default"));
  EXPECT_EQ(toolkit.Text("main", kKeysetList), "Default");
  EXPECT_THAT(MenuTexts(), ElementsAre("1705 &Default Keyset", "1720 -"));
  EXPECT_THAT(calls, IsEmpty());
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 3);
}

TEST_F(KeysetListTest, NamesSortByCharacterCodesWithDefaultFirst) {
  AddFiles({"Zeta", "Default", "alpha", "Beta"});
  list.LoadKeysetList();
  EXPECT_THAT(toolkit.Items("main", kKeysetList), ElementsAre("Default", "Beta", "Zeta", "alpha"));
  EXPECT_EQ(toolkit.Selected("main", kKeysetList), 0);
  EXPECT_THAT(MenuTexts(), ElementsAre("1705 &Default Keyset", "1720 -", "1706 Beta", "1707 Zeta",
                                       "1708 alpha"));
  EXPECT_THAT(calls, ElementsAre("refresh", "select 0"));
  auto model = keysets.Lock();
  EXPECT_EQ(model->KeysetName(2), "Zeta");
  EXPECT_EQ(reinterpret_cast<const char*>(&model->Record(2, 0))[kNameBytes + 4], '!');
  EXPECT_THAT(toolkit.Faults(), IsEmpty());
}

TEST_F(KeysetListTest, ReloadReplacesEntriesAndEmptiesTheTable) {
  AddFiles({"Alpha", "Beta"});
  list.LoadKeysetList();
  EXPECT_THAT(MenuTexts(),
              ElementsAre("1705 &Default Keyset", "1720 -", "1705 Alpha", "1706 Beta"));
  keysets.Lock()->SetKeysetName(5, "Unsaved");

  fs::remove(KeysetFile("Beta"));
  list.LoadKeysetList();
  EXPECT_THAT(toolkit.Items("main", kKeysetList), ElementsAre("Alpha"));
  EXPECT_THAT(MenuTexts(), ElementsAre("1705 &Default Keyset", "1720 -", "1705 Alpha"));
  EXPECT_EQ(keysets.Lock()->KeysetName(5), "");

  fs::remove(KeysetFile("Alpha"));
  AddFiles({"Default", "Gamma"});
  list.LoadKeysetList();
  EXPECT_THAT(MenuTexts(), ElementsAre("1705 &Default Keyset", "1720 -", "1706 Gamma"));
  EXPECT_THAT(toolkit.Faults(), IsEmpty());
}

TEST_F(KeysetListTest, LowerCaseDefaultIsAnOrdinaryKeysetAndElevenAtMost) {
  AddFiles({"default", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "b1", "b2"});
  list.LoadKeysetList();
  const auto items = toolkit.Items("main", kKeysetList);
  ASSERT_EQ(items.size(), 11u);
  EXPECT_EQ(items.front(), "a1");
  EXPECT_EQ(items.back(), "b2");
  EXPECT_EQ(toolkit.MenuItems("main", kKeysetsMenu).size(), 2u + 11u);
  EXPECT_FALSE(toolkit.MenuItem("main", 1716));
}

}  // namespace
}  // namespace quorbel::ui
