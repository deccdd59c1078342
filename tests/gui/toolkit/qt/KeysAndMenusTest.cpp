#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "ToolkitFixture.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;

constexpr int kBox = 620;

// Counts the context-menu events a widget receives.
class MenuCounter : public QObject {
 public:
  explicit MenuCounter(int& count) : count_(count) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ContextMenu) ++count_;
    return false;
  }

 private:
  int& count_;
};

class KeysTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    Add(ControlKind::Text, kBox, Rect{77.5, 11.25, 16.5, 1.25}, "", "ES");
    Add(ControlKind::Text, 610, Rect{76, 8.75, 35, 1.25}, "", "ES");
    events.clear();
  }

  QLineEdit* Box() const { return static_cast<QLineEdit*>(Control(kBox)); }

  // A key without a character of its own, down and up.
  static void Click(QWidget* widget, Qt::Key key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
  }

  // What the window system sends after a Menu key press.
  void AskForContextMenu() {
    QContextMenuEvent ask(QContextMenuEvent::Keyboard, QPoint(2, 2),
                          Box()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(Box(), &ask);
  }

  std::vector<int> KeyDowns() const {
    std::vector<int> downs;
    for (const Event& event : events) {
      if (event.code == kKeyDown) downs.push_back(event.value);
    }
    return downs;
  }

  // Key events as code and value, leaving out focus changes.
  std::vector<std::pair<int, int>> Keys() const {
    std::vector<std::pair<int, int>> keys;
    for (const Event& event : events) {
      if (event.code >= kKeyDown) keys.emplace_back(event.code, event.value);
    }
    return keys;
  }
};

using Key = std::pair<int, int>;

TEST_F(KeysTest, KeyEventsFlowOnlyOnceAllowed) {
  QTest::keyClick(Box(), Qt::Key_A);
  EXPECT_TRUE(Keys().empty());
  EXPECT_EQ(Box()->text(), "a");

  kit.AllowKeyEvents(2);
  QTest::keyClick(Box(), Qt::Key_B);
  EXPECT_THAT(Keys(), ElementsAre(Key{kKeyDown, 'B'}, Key{kCharacter, 'b'}, Key{kKeyUp, 'B'}));
  EXPECT_EQ(Box()->text(), "ab");
  for (const Event& event : events) EXPECT_EQ(event.id, kBox);
}

TEST_F(KeysTest, ACancelledKeyDownLeavesNoCharacterAndTheBoxUntouched) {
  kit.AllowKeyEvents(2);
  handler = [](Event& event) {
    if (event.code == kKeyDown || event.code == kCharacter) event.cancel = true;
  };
  QTest::keyClick(Box(), Qt::Key_Period);
  // The period key is 190, never the character code 46 of Delete.
  EXPECT_THAT(Keys(), ElementsAre(Key{kKeyDown, 190}, Key{kKeyUp, 190}));
  EXPECT_EQ(Box()->text(), "");

  events.clear();
  handler = [](Event& event) {
    if (event.code == kCharacter) event.cancel = true;
  };
  QTest::keyClick(Box(), Qt::Key_C);
  EXPECT_THAT(Keys(), ElementsAre(Key{kKeyDown, 'C'}, Key{kCharacter, 'c'}, Key{kKeyUp, 'C'}));
  EXPECT_EQ(Box()->text(), "");
}

TEST_F(KeysTest, KeypadShiftedAndSystemKeys) {
  kit.AllowKeyEvents(2);
  QTest::keyClick(Box(), Qt::Key_5, Qt::KeypadModifier);
  QTest::keyClick(Box(), Qt::Key_Exclam, Qt::ShiftModifier);
  EXPECT_THAT(Keys(), ElementsAre(Key{kKeyDown, 101}, Key{kCharacter, '5'}, Key{kKeyUp, 101},
                                  Key{kKeyDown, 16}, Key{kKeyDown, '1'}, Key{kCharacter, '!'},
                                  Key{kKeyUp, '1'}, Key{kKeyUp, 16}));

  // A letter with no key code of its own is still typed.
  events.clear();
  QTest::keyClick(Box(), Qt::Key_Odiaeresis);
  EXPECT_THAT(Keys(), ElementsAre(Key{kCharacter, 0xD6}));

  events.clear();
  QTest::keyClick(Box(), Qt::Key_F10);
  QTest::keyClick(Box(), Qt::Key_Delete);
  EXPECT_THAT(Keys(), ElementsAre(Key{kSystemKey, 121}, Key{kKeyUp, 121}, Key{kKeyDown, 46},
                                  Key{kKeyUp, 46}));
}

// The key box takes keys as the program's own: a key down the program
// cancels never reaches the text box, so the box does nothing of its own with
// it (the Menu key would open its context menu), and media and browser keys
// arrive by their virtual-key codes.
TEST_F(KeysTest, ACancelledMenuKeyOpensNothingAndMediaKeysArriveByTheirCodes) {
  kit.AllowKeyEvents(2);
  handler = [](Event& event) {
    if (event.code == kKeyDown) event.cancel = true;
  };
  for (Qt::Key key :
       {Qt::Key_VolumeMute, Qt::Key_VolumeUp, Qt::Key_MediaNext, Qt::Key_MediaTogglePlayPause,
        Qt::Key_Back, Qt::Key_HomePage, Qt::Key_LaunchMail}) {
    Click(Box(), key);
  }
  EXPECT_THAT(KeyDowns(), ElementsAre(173, 175, 176, 179, 166, 172, 180));
  EXPECT_EQ(Box()->text(), "");

  // The window system follows the Menu key with a keyboard context-menu
  // request; after a Menu key the program took, the box never sees it.
  int menus = 0;
  MenuCounter counter(menus);
  Box()->installEventFilter(&counter);
  Click(Box(), Qt::Key_Menu);
  AskForContextMenu();
  EXPECT_EQ(menus, 0);
  EXPECT_EQ(KeyDowns().back(), 93);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the box opened its own menu";

  // A Menu key the program left alone is the box's, and so is its menu.
  handler = nullptr;
  Click(Box(), Qt::Key_Menu);
  AskForContextMenu();
  EXPECT_EQ(menus, 1);
  Box()->removeEventFilter(&counter);
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

TEST_F(KeysTest, KeysOutsideTextBoxesGoToTheForm) {
  Add(ControlKind::Button, 480, Rect{105, 21.5, 12, 1.25}, "Add/&Insert");
  Add(ControlKind::ListBox, 475, Rect{68, 21.5, 35.5, 7});
  kit.AllowKeyEvents(2);
  QTest::keyClick(kit.FormWidget("main"), Qt::Key_Up);
  QTest::keyClick(Control(480), Qt::Key_G);
  QTest::keyClick(Control(475), Qt::Key_H);
  ASSERT_EQ(Keys().size(), 8u);
  EXPECT_EQ(events[0].value, 38);
  for (const Event& event : events) {
    EXPECT_EQ(event.id, 0);
  }
}

TEST_F(KeysTest, AcceleratorsComeBeforeKeysAndTheWidget) {
  kit.DefineAccelerators("main", "^F12,28|^X,1605|^C,1610|^V,1615|");
  kit.AllowKeyEvents(2);
  Box()->setText("text");
  Box()->selectAll();
  QTest::keyClick(Box(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(Box(), Qt::Key_F12, Qt::ControlModifier);
  QTest::keyClick(kit.FormWidget("main"), Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(Sent(kClick).size(), 3u);
  EXPECT_EQ(Sent(kClick)[0].id, 1605);
  EXPECT_EQ(Sent(kClick)[1].id, 28);
  EXPECT_EQ(Sent(kClick)[2].id, 1615);
  EXPECT_EQ(Box()->text(), "text");  // the box did not cut
  for (const Event& down : Sent(kKeyDown)) EXPECT_NE(down.value, 'X');

  // Ctrl+Shift+X is not Ctrl+X.
  QTest::keyClick(Box(), Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Sent(kClick).size(), 3u);

  kit.CreateForm("KSDISPLAY", "main", "Keyset Display", Rect{0, 0, 20, 10}, "_C", -1, -1);
  kit.DefineAccelerators("ksdisplay", "ESC, 27|^1");
  QTest::keyClick(kit.FormWidget("ksdisplay"), Qt::Key_Escape);
  ASSERT_EQ(Sent(kClick).size(), 4u);
  EXPECT_EQ(Sent(kClick)[3].form, "KSDISPLAY");
  EXPECT_EQ(Sent(kClick)[3].id, 27);
}

class MenusTest : public ToolkitTest {
 protected:
  QAction* Item(int id) const {
    const auto actions = kit.MenuActions("main", id);
    return actions.empty() ? nullptr : actions.front();
  }
  std::vector<QString> Texts(QMenu* menu) const {
    std::vector<QString> texts;
    for (QAction* action : menu->actions()) {
      texts.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
  }
};

TEST_F(MenusTest, MenusHoldItemsSeparatorsAndSubmenus) {
  kit.AddMenuTitle("main", 1500, "&File");
  kit.AddMenuTitle("main", 1600, "&Edit");
  kit.AddMenuItem("main", 1500, 1505, "&New Keyset");
  kit.AddMenuItem("main", 1500, 1525, "-");
  kit.AddMenuItem("main", 1500, 1530, "E&xit");
  kit.AddMenuItem("main", 1600, 1605, "Cu&t Layer\tCtrl+X");
  kit.AddMenuItem("main", 1600, 1640, "&Preferences");
  kit.AddMenuItem("main", 1640, 1641, "Com 1");
  kit.AddMenuItem("main", 1640, 1525, "-");
  kit.AddMenuItem("main", 1640, 1673, "38400 Baud");
  kit.AddMenuItem("main", 4242, 1, "no such menu");

  QMenu* file = Item(1500)->menu();
  ASSERT_NE(file, nullptr);
  EXPECT_THAT(Texts(file), ElementsAre("&New Keyset", "-", "E&xit"));
  QMenu* preferences = Item(1640)->menu();
  ASSERT_NE(preferences, nullptr);
  EXPECT_EQ(preferences->title(), "&Preferences");
  EXPECT_THAT(Texts(preferences), ElementsAre("Com 1", "-", "38400 Baud"));
  EXPECT_THAT(Texts(Item(1600)->menu()), ElementsAre("Cu&t Layer\tCtrl+X", "&Preferences"));
  EXPECT_EQ(kit.MenuActions("main", 1525).size(), 2u);

  Item(1641)->trigger();
  Item(1530)->trigger();
  ASSERT_EQ(Sent(kClick).size(), 2u);
  EXPECT_EQ(Sent(kClick)[0].id, 1641);
  EXPECT_EQ(Sent(kClick)[1].id, 1530);
}

TEST_F(MenusTest, ItemsAreMarkedDisabledAndRemoved) {
  kit.AddMenuTitle("main", 1700, "&Keysets");
  kit.AddMenuItem("main", 1700, 1705, "&Default Keyset");
  kit.AddMenuItem("main", 1700, 1706, "Editor");
  kit.AddMenuItem("main", 1700, 1707, "Mixer");

  kit.SetMenuItem("main", 1706, "X");
  kit.SetMenuItem("main", 1707, "D");
  EXPECT_TRUE(Item(1706)->isChecked());
  EXPECT_FALSE(Item(1705)->isChecked());
  EXPECT_FALSE(Item(1707)->isEnabled());
  kit.SetMenuItem("main", 1706, "");
  kit.SetMenuItem("main", 1707, "");
  EXPECT_FALSE(Item(1706)->isChecked());
  EXPECT_TRUE(Item(1707)->isEnabled());

  kit.RemoveMenuItem("main", 1706);
  EXPECT_EQ(Item(1706), nullptr);
  EXPECT_THAT(Texts(Item(1700)->menu()), ElementsAre("&Default Keyset", "Mixer"));
}

}  // namespace
}  // namespace quorbel::ui
