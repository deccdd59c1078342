#include "toolkit/qt/Appearance.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPalette>
#include <array>

#include "toolkit/qt/CharGrid.h"

namespace quorbel::ui {

namespace {

constexpr int kFixedFontSlot = 1;
constexpr double kStandardPoints = 8;
constexpr double kGridLetterWidth = 6;  // pixels, at kStandardPoints

constexpr std::array<QRgb, 16> kStandardColours{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

bool Has(const std::string& letters, char letter) {
  return letters.find(letter) != std::string::npos;
}

}  // namespace

void Appearance::DefineColour(int slot, int red, int green, int blue) {
  colours_[slot] = QColor(red, green, blue);
}

void Appearance::DefineFont(int slot, const std::string& face, double points,
                            const std::string& letters) {
  QFont font(ToQt(face));
  if (points > 0) font.setPointSizeF(points);
  font.setBold(Has(letters, 'B'));
  font.setItalic(Has(letters, 'I'));
  font.setUnderline(Has(letters, 'U'));
  font.setFixedPitch(Has(letters, 'F'));
  // Faces named by the program may be missing here; keep the kind of face.
  font.setStyleHint(Has(letters, 'F') ? QFont::Monospace : QFont::SansSerif);
  fonts_[slot] = FittedToGrid(font);
}

std::optional<QColor> Appearance::Colour(int slot) const {
  if (auto defined = colours_.find(slot); defined != colours_.end()) return defined->second;
  if (slot >= 0 && slot < static_cast<int>(kStandardColours.size())) {
    return QColor(kStandardColours[static_cast<std::size_t>(slot)]);
  }
  return std::nullopt;
}

QFont Appearance::Font(int slot) const {
  if (auto defined = fonts_.find(slot); defined != fonts_.end()) return defined->second;
  QFont font = slot == kFixedFontSlot ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                      : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSizeF(kStandardPoints);
  return FittedToGrid(font);
}

QFont Appearance::FittedToGrid(QFont font) {
  static const QString kLetters =
      QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const double points = font.pointSizeF();
  if (points <= 0) return font;
  const double average =
      QFontMetricsF(font).horizontalAdvance(kLetters) / static_cast<double>(kLetters.size());
  const double allowed = kGridLetterWidth * points / kStandardPoints;
  if (average > allowed) font.setPointSizeF(points * allowed / average);
  return font;
}

void Appearance::ApplyColours(QWidget& widget, std::optional<QColor> text,
                              std::optional<QColor> background) {
  if (!text && !background) return;
  QPalette palette = widget.palette();
  if (background) {
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
      palette.setColor(role, *background);
    }
    widget.setAutoFillBackground(true);
  }
  if (text) {
    // A disabled control keeps looking disabled: its text goes halfway
    // towards the background instead of taking the chosen colour.
    const QColor back = palette.color(QPalette::Active, QPalette::Button);
    const QColor greyed((text->red() + back.red()) / 2, (text->green() + back.green()) / 2,
                        (text->blue() + back.blue()) / 2);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(QPalette::Active, role, *text);
      palette.setColor(QPalette::Inactive, role, *text);
      palette.setColor(QPalette::Disabled, role, greyed);
    }
  }
  widget.setPalette(palette);
}

}  // namespace quorbel::ui
