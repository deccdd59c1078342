#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <map>
#include <optional>
#include <string>

namespace quorbel::ui {

// Colours and fonts in the numbered slots the program refers to. Colours 0..15
// are the standard sixteen (0 black, 7 light grey, 15 white); font 1 is the
// fixed-pitch system font and every other slot not defined, -1 included, is
// the desktop's ordinary face at 8 points. Slot -1 is the default colour.
//
// The program's layouts give each text a width in character columns, drawn
// for faces whose letters average 6 pixels at 8 points. Wider faces are made
// smaller until their letters fit that measure, so that texts are not cut.
class Appearance {
 public:
  void DefineColour(int slot, int red, int green, int blue);
  // Letters: "B" bold, "I" italic, "U" underlined, "F" fixed pitch.
  void DefineFont(int slot, const std::string& face, double points, const std::string& letters);

  std::optional<QColor> Colour(int slot) const;
  QFont Font(int slot) const;

  // The face made small enough for the character grid.
  static QFont FittedToGrid(QFont font);

  // Text and background colours of a widget; a missing colour stays as it is.
  static void ApplyColours(QWidget& widget, std::optional<QColor> text,
                           std::optional<QColor> background);

 private:
  std::map<int, QColor> colours_;
  std::map<int, QFont> fonts_;
};

}  // namespace quorbel::ui
