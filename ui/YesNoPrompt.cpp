#include "ui/YesNoPrompt.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace quorbel::ui {

namespace {

constexpr int kIcon = 100;
constexpr int kFirstLine = 105;
constexpr int kYesButton = 120;
constexpr int kNoButton = 125;
constexpr int kPromptFont = 4;
constexpr double kMinimumWidth = 20;
constexpr double kMinimumHeight = 6;
constexpr double kLineHeight = 1.25;

// Every "|" ends a line; the text after the last one is the last line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t bar = text.find('|', start);
    if (bar == std::string::npos) bar = text.size();
    lines.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  return lines;
}

// Half of a size in whole columns or rows, as the form is centred.
double Half(double size) { return static_cast<double>(std::lround(size) / 2); }

ControlDefinition ControlOf(ControlKind kind, int id, Rect place, const std::string& text,
                            const std::string& letters) {
  ControlDefinition definition{kind, id, place, text, letters};
  definition.font = kPromptFont;
  return definition;
}

}  // namespace

YesNoPrompt::YesNoPrompt(Toolkit& toolkit) : toolkit_(toolkit) {}

int YesNoPrompt::Ask(const std::string& askingForm, const std::string& text,
                     const std::string& title) {
  if (open_) return kAnswerNo;
  answer_ = kAnswerNo;
  answered_ = false;
  const double charWidth = toolkit_.CharSize().width;

  Rect asking;
  if (askingForm.empty()) {
    const Size screen = toolkit_.ScreenSize();
    asking = Rect{0, 0, screen.width, screen.height};
  } else {
    asking = toolkit_.FormPlace(askingForm);
  }

  lines_ = SplitLines(text);
  std::size_t longest = 0;
  if (!text.empty()) {
    longest = title.size();
    for (const std::string& line : lines_) longest = std::max(longest, line.size());
  }
  const auto bars = std::count(text.begin(), text.end(), '|');
  const double width = std::max(kMinimumWidth, static_cast<double>(longest) * charWidth / 8 + 3);
  const double height = std::max(kMinimumHeight, 5.5 + kLineHeight * static_cast<double>(bars));
  const Rect place{asking.column + Half(asking.width) - Half(width),
                   asking.row + Half(asking.height) - Half(height), width, height};

  open_ = true;
  toolkit_.CreateForm(kYesNoForm, askingForm, title.empty() ? "Yes/No" : title, place, "T",
                      kDefaultColour, kDefaultColour);
  // The form also goes when the form that asks is closed, as when the
  // program ends during the question; nobody can answer then, so it is "No".
  while (!answered_ && toolkit_.HasForm(kYesNoForm)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    toolkit_.DoEvents();
  }
  const int answer = answered_ ? answer_ : kAnswerNo;
  answer_ = kAnswerNo;
  answered_ = false;
  lines_.clear();
  if (toolkit_.HasForm(kYesNoForm)) toolkit_.UnloadForm(kYesNoForm);
  open_ = false;
  toolkit_.DoEvents();
  return answer;
}

void YesNoPrompt::Layout() {
  const Size size = toolkit_.FormSize(kYesNoForm);
  toolkit_.AddControl(kYesNoForm, ControlOf(ControlKind::Icon, kIcon, {1, 1, 4, 2}, "#?Icon", ""));
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const double row = kLineHeight * static_cast<double>(i + 1);
    toolkit_.AddControl(
        kYesNoForm,
        ControlOf(ControlKind::Label, kFirstLine + static_cast<int>(i),
                  {6.5, row, static_cast<double>(lines_[i].size()), kLineHeight}, lines_[i], "L"));
  }
  const double buttonRow = size.height - 2.25;
  toolkit_.AddControl(kYesNoForm, ControlOf(ControlKind::Button, kYesButton,
                                            {size.width / 2 - 7, buttonRow, 6, 1.5}, "Yes", "T"));
  toolkit_.AddControl(kYesNoForm, ControlOf(ControlKind::Button, kNoButton,
                                            {size.width / 2 + 1, buttonRow, 6, 1.5}, "No", "T"));
  toolkit_.SetFocus(kYesNoForm, kYesButton);
}

void YesNoPrompt::HandleEvent(Event& event) {
  if (!open_) return;
  if (event.id == kYesButton && event.code == kClick) {
    answer_ = kAnswerYes;
    answered_ = true;
  } else if (event.id == kNoButton && event.code == kClick) {
    answer_ = kAnswerNo;
    answered_ = true;
  } else if (event.id == 0 && event.code == kFormClosed) {
    // The close box answers "No"; the form stays until Ask unloads it.
    answer_ = kAnswerNo;
    answered_ = true;
    event.cancel = true;
  }
}

}  // namespace quorbel::ui
