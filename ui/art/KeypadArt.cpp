// The numeric keypad with its locate keys.
#include <string>

#include "ui/art/ArtCatalogue.h"
#include "ui/art/ArtKit.h"

namespace quorbel::art {

namespace {

constexpr QSize kKeypadKey{33, 33};

// A keypad key: one big legend, or a word with a smaller second function
// below it. Selected, the key sinks and its legend lights up.
void PaintKeypadKey(QPainter& p, const QRectF& r, bool pressed, const QString& legend, qreal pixels,
                    const QString& second, CapTone tone) {
  const QRectF face = DrawKeyCap(p, r, pressed, pressed, 3, tone);
  if (second.isEmpty()) {
    if (pressed) {
      DrawGlowingLegend(p, face, legend, pixels, Palette::Selection());
    } else {
      DrawLegend(p, face, legend, pixels, Palette::Legend());
    }
    return;
  }
  const QRectF upper(face.left(), face.top() + 4, face.width(), 12);
  const QRectF lower(face.left(), face.top() + 16, face.width(), 9);
  if (pressed) {
    DrawGlowingLegend(p, upper, legend, pixels, Palette::Selection());
  } else {
    DrawLegend(p, upper, legend, pixels, Palette::Legend());
  }
  DrawLegend(p, lower, second, 5, pressed ? Palette::Selection() : Palette::PrintOnPlate(),
             Qt::AlignCenter, true, 0.3);
}

void AddKeypadKey(ArtCatalogue& catalogue, const std::string& released, const std::string& pressed,
                  const QString& legend, qreal pixels, const QString& second = {},
                  CapTone tone = CapTone::Charcoal) {
  AddPair(catalogue, released, pressed, kKeypadKey,
          [legend, pixels, second, tone](QPainter& p, const QRectF& r, bool dn) {
            PaintKeypadKey(p, r, dn, legend, pixels, second, tone);
          });
}

}  // namespace

void AddKeypadArt(ArtCatalogue& catalogue) {
  for (int digit = 0; digit <= 9; ++digit) {
    const std::string stem = (digit <= 2 ? "$" : "$num") + std::to_string(digit);
    AddKeypadKey(catalogue, stem + "up", stem + "dn", QString::number(digit), 14);
  }
  AddKeypadKey(catalogue, "$SignUp", "$SignDn", QStringLiteral("+/\u2212"), 11);
  AddKeypadKey(catalogue, "$EnterUp", "$EnterDn", QStringLiteral("ENTER"), 7, {}, CapTone::Slate);
  AddKeypadKey(catalogue, "$ModeUp", "$ModeDn", QStringLiteral("MODE"), 7, QStringLiteral("LOCATE"),
               CapTone::Slate);
  AddKeypadKey(catalogue, "$SetUp", "$SetDn", QStringLiteral("SET"), 7, QStringLiteral("LOCATE"),
               CapTone::Slate);
  AddKeypadKey(catalogue, "$ClearUp", "$ClearDn", QStringLiteral("CLEAR"), 7,
               QStringLiteral("CANCEL"), CapTone::Slate);
  AddKeypadKey(catalogue, "$LastUp", "$LastDn", QStringLiteral("LAST"), 7, {}, CapTone::Slate);
}

}  // namespace quorbel::art
