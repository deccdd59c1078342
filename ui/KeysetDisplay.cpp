#include "ui/KeysetDisplay.h"

#include <array>
#include <string>
#include <vector>

#include "common/NumberText.h"
#include "editor/ActionText.h"
#include "ui/KeysetDisplayLines.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {

namespace {

constexpr Rect kDisplayPlace{0, 0, 107, 30.5};
constexpr int kLineBase = 3000;
constexpr int kEscapeAccelerator = 27;
constexpr double kLineHeight = 1.25;
constexpr int kLineFont = 12;

struct Column {
  double left;
  double width;
  std::vector<int> controls;
  std::array<int, 2> gapsAfter;  // an extra line's space below these controls
  std::array<Rect, 3> frames;
};

std::vector<int> Range(std::initializer_list<std::array<int, 2>> spans) {
  std::vector<int> indices;
  for (const auto& [first, last] : spans) {
    for (int i = first; i <= last; ++i) indices.push_back(i);
  }
  return indices;
}

const std::array<Column, 3>& Columns() {
  static const std::array<Column, 3> columns{{
      {1,
       33,
       Range({{0, 19}}),
       {7, 14},
       {{{0.25, 0.5, 34, 10.75}, {0.25, 11.75, 34, 9.5}, {0.25, 21.75, 34, 7}}}},
      {36,
       34,
       Range({{20, 29}, {32, 39}}),
       {24, 29},
       {{{35, 0.5, 35, 7}, {35, 8, 35, 7}, {35, 15.5, 35, 11}}}},
      {72,
       34,
       Range({{40, 60}}),
       {49, 55},
       {{{71, 0.5, 35, 13.5}, {71, 14.5, 35, 8}, {71, 23, 35, 7}}}},
  }};
  return columns;
}

}  // namespace

KeysetDisplay::KeysetDisplay(Toolkit& toolkit, WindowState& windows, KeysetModel& keysets,
                             const ControlCatalogue& catalogue)
    : toolkit_(toolkit), windows_(windows), keysets_(keysets), catalogue_(catalogue) {}

void KeysetDisplay::OpenKeysetDisplay() {
  const int layer = keysets_.Lock()->CurrentLayer();
  const std::string caption = "Keyset Display - " + toolkit_.Text(kMainForm, kKeysetList) +
                              "  Layer" + NumberText(layer + 1);
  windows_.DialogActive = true;
  toolkit_.CreateForm(kKeysetDisplayForm, kMainForm, caption, kDisplayPlace, "_CM", kDefaultColour,
                      kDefaultColour);
  windows_.DialogActive = false;
}

void KeysetDisplay::LayOut() {
  std::array<std::string, kControlCount> lines;
  {
    auto model = keysets_.Lock();
    for (const Column& column : Columns()) {
      for (int c : column.controls) {
        lines[static_cast<std::size_t>(c)] = KeysetDisplayLine(
            c, catalogue_.ControlName(c), ActionText(model->Current(), c, 1, catalogue_));
      }
    }
  }
  int frame = kLineBase + 200;
  for (const Column& column : Columns()) {
    double y = 0;
    for (int c : column.controls) {
      toolkit_.AddControl(kKeysetDisplayForm, {ControlKind::Label,
                                               kLineBase + c,
                                               {column.left, y + 1, column.width, kLineHeight},
                                               lines[static_cast<std::size_t>(c)],
                                               "LI",
                                               0,
                                               7,
                                               kLineFont});
      y += kLineHeight;
      if (c == column.gapsAfter[0] || c == column.gapsAfter[1]) y += kLineHeight;
    }
    for (const Rect& place : column.frames) {
      toolkit_.AddControl(kKeysetDisplayForm, {ControlKind::Label, frame++, place, "", "S", 0, 15});
    }
  }
  toolkit_.DefineAccelerators(kKeysetDisplayForm, "ESC, 27|^1");
}

void KeysetDisplay::KeysetDisplayEvent(Event& event) {
  if (event.id == kEscapeAccelerator) toolkit_.UnloadForm(kKeysetDisplayForm);
}

}  // namespace quorbel::ui
