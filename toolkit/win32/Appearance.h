#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorbel::ui {

// Colours and fonts in the numbered slots the program refers to, as the
// system's colour values and font handles. Colours 0..15 are the standard
// sixteen (0 black, 7 light grey, 15 white); slot -1 is the system's colour.
// Font 1 is a fixed-pitch face and every other slot not defined, -1 included,
// is the desktop's message face at 8 points.
//
// The program's layouts give each text a width in character columns, drawn
// for faces whose letters average 6 pixels at 8 points and 96 DPI. Wider
// faces are made smaller until their letters fit that measure.
class Appearance {
 public:
  Appearance() = default;
  ~Appearance();
  Appearance(const Appearance&) = delete;
  Appearance& operator=(const Appearance&) = delete;

  void DefineColour(int slot, int red, int green, int blue);
  // Letters: "B" bold, "I" italic, "U" underlined, "F" fixed pitch.
  void DefineFont(int slot, const std::string& face, double points, const std::string& letters);

  std::optional<COLORREF> Colour(int slot) const;
  // A brush of the colour, kept as long as this object.
  HBRUSH Brush(COLORREF colour);
  // The font of a slot at a DPI, made once and kept as long as this object.
  HFONT Font(int slot, int dpi);

 private:
  struct FontRequest {
    std::wstring face;
    double points = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixed = false;
  };
  FontRequest Request(int slot) const;
  void ForgetFonts(int slot);

  std::map<int, COLORREF> colours_;
  std::map<int, FontRequest> fonts_;
  std::map<std::pair<int, int>, HFONT> made_;  // by slot and DPI
  std::vector<HFONT> retired_;                 // made before their slot was defined again
  std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace quorbel::ui
