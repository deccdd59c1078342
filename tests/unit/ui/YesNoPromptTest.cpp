#include "ui/YesNoPrompt.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel::ui {
namespace {

class YesNoPromptTest : public ::testing::Test {
 protected:
  YesNoPromptTest() : prompt(toolkit) {
    toolkit.SetCallbacks(
        [this](const std::string& form) {
          if (form == kYesNoForm) prompt.Layout();
        },
        [this](Event& event) {
          if (event.form == kYesNoForm) prompt.HandleEvent(event);
        });
    toolkit.CreateForm("MAIN", "", "Quorbel", Rect{10, 5, 126.875, 32.4375}, "", -1, -1);
  }

  // Asks; while the prompt waits, `user` looks at it and answers.
  int Ask(const std::string& form, const std::string& text, const std::string& title,
          const std::function<void()>& user) {
    toolkit.SetDoEventsHook([&] {
      if (!toolkit.HasForm(kYesNoForm)) return;
      if (!shown) shown = toolkit.Form(kYesNoForm);
      user();
    });
    const int answer = prompt.Ask(form, text, title);
    toolkit.SetDoEventsHook(nullptr);
    return answer;
  }
  int AskAndClickYes(const std::string& form, const std::string& text, const std::string& title) {
    return Ask(form, text, title, [this] { toolkit.Click(kYesNoForm, 120); });
  }
  Rect ControlPlace(int id) const { return shown->controls.at(id).definition.place; }

  MemoryToolkit toolkit;
  YesNoPrompt prompt;
  std::optional<MemoryForm> shown;  // the prompt as it stood while waiting
};

TEST_F(YesNoPromptTest, AShortQuestionGetsTheSmallestFormCentredOverItsAsker) {
  EXPECT_EQ(AskAndClickYes("main", "Replace Acme", "QuorbelU"), kAnswerYes);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->caption, "QuorbelU");
  EXPECT_EQ(shown->parent, "main");
  EXPECT_EQ(shown->letters, "T");
  EXPECT_DOUBLE_EQ(shown->place.width, 20);
  EXPECT_DOUBLE_EQ(shown->place.height, 6);
  EXPECT_DOUBLE_EQ(shown->place.column, 10 + 63 - 10);
  EXPECT_DOUBLE_EQ(shown->place.row, 5 + 16 - 3);

  EXPECT_EQ(shown->controls.at(100).text, "#?Icon");
  EXPECT_EQ(shown->controls.at(105).text, "Replace Acme");
  EXPECT_DOUBLE_EQ(ControlPlace(105).row, 1.25);
  EXPECT_DOUBLE_EQ(ControlPlace(105).width, 12);
  EXPECT_DOUBLE_EQ(ControlPlace(120).column, 3);
  EXPECT_DOUBLE_EQ(ControlPlace(125).column, 11);
  EXPECT_DOUBLE_EQ(ControlPlace(120).row, 3.75);
  EXPECT_EQ(shown->focus, 120);

  EXPECT_FALSE(toolkit.HasForm(kYesNoForm));
  EXPECT_TRUE(toolkit.Faults().empty());
}

TEST_F(YesNoPromptTest, EveryBarEndsALine) {
  AskAndClickYes("main", "A|B", "Q");
  EXPECT_TRUE(shown->controls.contains(106));
  EXPECT_DOUBLE_EQ(ControlPlace(106).row, 2.5);
  EXPECT_DOUBLE_EQ(shown->place.height, 6.75);

  shown.reset();
  AskAndClickYes("main", "A|", "Q");
  EXPECT_TRUE(shown->controls.contains(105));
  EXPECT_FALSE(shown->controls.contains(106));
  EXPECT_DOUBLE_EQ(shown->place.height, 6.75);
}

TEST_F(YesNoPromptTest, TheLongestLineOrTitleSetsTheWidth) {
  AskAndClickYes("main", "Hi", std::string(30, 'T'));
  EXPECT_DOUBLE_EQ(shown->place.width, 33);

  shown.reset();
  AskAndClickYes("main", "Hi", "");
  EXPECT_EQ(shown->caption, "Yes/No");
  EXPECT_DOUBLE_EQ(shown->place.width, 20);

  shown.reset();
  AskAndClickYes("main", "Short|" + std::string(37, 'x'), "Q");
  EXPECT_DOUBLE_EQ(shown->place.width, 40);
  EXPECT_DOUBLE_EQ(ControlPlace(120).column, 13);
  EXPECT_DOUBLE_EQ(ControlPlace(125).column, 21);
}

TEST_F(YesNoPromptTest, WithoutAnAskingFormThePromptIsCentredOnTheScreen) {
  AskAndClickYes("", "Replace Acme", "QuorbelU");
  const Size screen = toolkit.ScreenSize();  // 240 by 67.5
  EXPECT_DOUBLE_EQ(shown->place.column, screen.width / 2 - 10);
  EXPECT_DOUBLE_EQ(shown->place.row, 34 - 3);
}

TEST_F(YesNoPromptTest, OnlyButtonClicksAndTheCloseBoxAnswer) {
  int looks = 0;
  const int answer = Ask("main", "Replace Acme", "QuorbelU", [&] {
    if (++looks == 1) {
      toolkit.Send(kYesNoForm, 120, kGotFocus);
      toolkit.Send(kYesNoForm, 0, kClick);
    } else {
      toolkit.Click(kYesNoForm, 125);
    }
  });
  EXPECT_EQ(answer, kAnswerNo);
  EXPECT_EQ(looks, 2);

  EXPECT_EQ(Ask("main", "Replace Acme", "QuorbelU", [this] { toolkit.Close(kYesNoForm); }),
            kAnswerNo);
  EXPECT_FALSE(toolkit.HasForm(kYesNoForm));
  EXPECT_TRUE(toolkit.Faults().empty());
}

TEST_F(YesNoPromptTest, APromptThatGoesWithItsAskingFormAnswersNo) {
  // The main window closed while the question waits (the program is ending).
  EXPECT_EQ(Ask("main", "Replace Acme", "QuorbelU", [this] { toolkit.UnloadForm("MAIN"); }),
            kAnswerNo);
  EXPECT_FALSE(toolkit.HasForm(kYesNoForm));
  EXPECT_TRUE(toolkit.Faults().empty());
}

TEST_F(YesNoPromptTest, ASecondQuestionWhileOneIsOpenIsAnsweredNo) {
  int nested = -1;
  const int answer = Ask("main", "Replace Acme", "QuorbelU", [&] {
    nested = prompt.Ask("main", "Replace Beta", "QuorbelU");
    toolkit.Click(kYesNoForm, 120);
  });
  EXPECT_EQ(nested, kAnswerNo);
  EXPECT_EQ(answer, kAnswerYes);
}

}  // namespace
}  // namespace quorbel::ui
