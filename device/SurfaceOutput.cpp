#include "device/SurfaceOutput.h"

#include <array>

#include "common/NumberText.h"
#include "device/SurfaceMessages.h"

namespace quorbel {

namespace {

constexpr std::uint8_t kShiftControl = 0x14;
constexpr int kClosingRepeats = 8;
constexpr float kDisplayPause = 0.0625F;

}  // namespace

void SurfaceOutput::Send(std::uint8_t kind, std::uint8_t value) {
  const std::array<std::uint8_t, 3> message = {kSurfaceStartByte, kind, value};
  port_.Write(message);
}

void SurfaceOutput::Lamp(bool on, int control) {
  Send(on ? kLampOnKind : kLampOffKind, static_cast<std::uint8_t>(control));
}

void SurfaceOutput::WriteDisplay(const std::string& text, std::uint8_t position) {
  if (text.empty()) return;
  WriteDisplayAfterPause(position, [&text] { return text; });
}

void SurfaceOutput::WriteDisplayAfterPause(std::uint8_t position,
                                           const std::function<std::string()>& text) {
  if (!port_.IsOpen()) return;
  const LinkActivity::Scope writing(activity_);
  const unsigned write = ++displayWrites_;
  Send(kDisplayPositionKind, position);
  toolkit_.Delay(kDisplayPause);
  if (displayWrites_ != write) Send(kDisplayPositionKind, position);
  for (char c : text()) Send(kDisplayCharacterKind, static_cast<std::uint8_t>(c));
}

void SurfaceOutput::WriteGreeting() { WriteDisplay(kGreeting, kGreetingPosition); }

void SurfaceOutput::WriteLayerLine() {
  int layer = 0;
  WriteDisplayAfterPause(kLayerLinePosition, [this, &layer] {
    layer = keysets_.Lock()->CurrentLayer();
    return "Current Keyset Layer" + NumberText(layer + 1);
  });
  // The Shift control's lamp shows the layer: dark for the first, lit for the second.
  Lamp(layer != 0, kShiftControl);
}

void SurfaceOutput::InitialiseSurface() {
  if (!port_.IsOpen()) return;
  const LinkActivity::Scope initialising(activity_);
  runner_.Hold();
  port_.Write(kConfigurationMessage);
  runner_.LetGo();
  WriteGreeting();
  WriteLayerLine();
  Send(kClosingKind1, kClosingValue1);
  for (int i = 0; i < kClosingRepeats; ++i) Send(kClosingKind2, kClosingValue2);
  portMenu_.PutPortMenuMarks();
}

}  // namespace quorbel
