#include "toolkit/win32/Appearance.h"

#include <array>
#include <cmath>
#include <iterator>

#include "platform/windows/WideText.h"

namespace quorbel::ui {

namespace {

constexpr int kFixedFontSlot = 1;
constexpr double kStandardPoints = 8;
constexpr double kGridLetterWidth = 6;  // pixels, at kStandardPoints and 96 DPI
constexpr int kNormalDpi = 96;

constexpr std::array<COLORREF, 16> kStandardColours{
    RGB(0x00, 0x00, 0x00), RGB(0x00, 0x00, 0x80), RGB(0x00, 0x80, 0x00), RGB(0x00, 0x80, 0x80),
    RGB(0x80, 0x00, 0x00), RGB(0x80, 0x00, 0x80), RGB(0x80, 0x80, 0x00), RGB(0xC0, 0xC0, 0xC0),
    RGB(0x80, 0x80, 0x80), RGB(0x00, 0x00, 0xFF), RGB(0x00, 0xFF, 0x00), RGB(0x00, 0xFF, 0xFF),
    RGB(0xFF, 0x00, 0x00), RGB(0xFF, 0x00, 0xFF), RGB(0xFF, 0xFF, 0x00), RGB(0xFF, 0xFF, 0xFF),
};

bool Has(const std::string& letters, char letter) {
  return letters.find(letter) != std::string::npos;
}

std::wstring MessageFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != 0) {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"MS Shell Dlg 2";
}

int PixelHeight(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

// The average width of the letters in a font, in pixels.
double AverageLetterWidth(HFONT font) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  constexpr int kCount = static_cast<int>(std::size(kLetters)) - 1;
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font);
  SIZE extent{};
  ::GetTextExtentPoint32W(screen, kLetters, kCount, &extent);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return static_cast<double>(extent.cx) / kCount;
}

}  // namespace

Appearance::~Appearance() {
  for (auto& [key, font] : made_) ::DeleteObject(font);
  for (HFONT font : retired_) ::DeleteObject(font);
  for (auto& [colour, brush] : brushes_) ::DeleteObject(brush);
}

void Appearance::DefineColour(int slot, int red, int green, int blue) {
  colours_[slot] = RGB(red, green, blue);
}

void Appearance::DefineFont(int slot, const std::string& face, double points,
                            const std::string& letters) {
  FontRequest request;
  request.face = WideFromUtf8(face);
  if (points > 0) request.points = points;
  request.bold = Has(letters, 'B');
  request.italic = Has(letters, 'I');
  request.underline = Has(letters, 'U');
  request.fixed = Has(letters, 'F');
  fonts_[slot] = request;
  ForgetFonts(slot);
}

void Appearance::ForgetFonts(int slot) {
  // The handles may still be in use by controls: they stay until the end, as
  // the program defines its fonts once, before it makes any control.
  for (auto it = made_.begin(); it != made_.end();) {
    if (it->first.first != slot) {
      ++it;
      continue;
    }
    retired_.push_back(it->second);
    it = made_.erase(it);
  }
}

std::optional<COLORREF> Appearance::Colour(int slot) const {
  if (auto defined = colours_.find(slot); defined != colours_.end()) return defined->second;
  if (slot >= 0 && slot < static_cast<int>(kStandardColours.size())) {
    return kStandardColours[static_cast<std::size_t>(slot)];
  }
  return std::nullopt;
}

HBRUSH Appearance::Brush(COLORREF colour) {
  HBRUSH& brush = brushes_[colour];
  if (brush == nullptr) brush = ::CreateSolidBrush(colour);
  return brush;
}

Appearance::FontRequest Appearance::Request(int slot) const {
  if (auto defined = fonts_.find(slot); defined != fonts_.end()) return defined->second;
  FontRequest request;
  request.fixed = slot == kFixedFontSlot;
  request.face = request.fixed ? L"Courier New" : MessageFace();
  request.points = kStandardPoints;
  return request;
}

HFONT Appearance::Font(int slot, int dpi) {
  HFONT& font = made_[{slot, dpi}];
  if (font != nullptr) return font;
  const FontRequest request = Request(slot);
  LOGFONTW description{};
  description.lfHeight = PixelHeight(request.points, dpi);
  description.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = request.italic ? TRUE : FALSE;
  description.lfUnderline = request.underline ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = CLEARTYPE_QUALITY;
  // A face missing here keeps the kind of face the program asked for.
  description.lfPitchAndFamily =
      static_cast<BYTE>(request.fixed ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS));
  lstrcpynW(description.lfFaceName, request.face.c_str(), LF_FACESIZE);
  // The fit is measured on the regular weight: bold text keeps the height of
  // the plain text beside it and only runs wider. Fitted on its own, a bold
  // face shrank until its strokes were as thin as the plain ones.
  LOGFONTW regular = description;
  regular.lfWeight = FW_NORMAL;
  HFONT measured = ::CreateFontIndirectW(&regular);
  const double allowed = kGridLetterWidth * request.points / kStandardPoints * dpi / kNormalDpi;
  const double average = AverageLetterWidth(measured);
  ::DeleteObject(measured);
  if (average > allowed) {
    description.lfHeight = PixelHeight(request.points * allowed / average, dpi);
  }
  font = ::CreateFontIndirectW(&description);
  return font;
}

}  // namespace quorbel::ui
