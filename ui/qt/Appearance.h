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
// fixed-pitch system font and every other slot not defined is the ordinary
// font of the desktop. Slot -1 means the default everywhere.
class Appearance {
 public:
  void DefineColour(int slot, int red, int green, int blue);
  // Letters: "B" bold, "I" italic, "U" underlined, "F" fixed pitch.
  void DefineFont(int slot, const std::string& face, double points, const std::string& letters);

  std::optional<QColor> Colour(int slot) const;
  std::optional<QFont> Font(int slot) const;

  // Text and background colours of a widget; a missing colour stays as it is.
  static void ApplyColours(QWidget& widget, std::optional<QColor> text,
                           std::optional<QColor> background);

 private:
  std::map<int, QColor> colours_;
  std::map<int, QFont> fonts_;
};

}  // namespace quorbel::ui
