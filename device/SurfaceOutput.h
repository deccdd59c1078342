#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "device/DeviceRunner.h"
#include "device/LinkActivity.h"
#include "device/PortMenu.h"
#include "keysets/KeysetModel.h"
#include "platform/SerialPort.h"
#include "surface/SurfaceLamps.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

inline constexpr const char* kGreeting = "Brenlow Electronics Quorbel Series";
inline constexpr std::uint8_t kGreetingPosition = 2;
inline constexpr std::uint8_t kLayerLinePosition = 72;

// Everything the program sends to the surface: lamps, display texts and the
// initialisation. GUI thread only; each message goes out in one write, and a
// write to a closed or vanished port is dropped without a word.
class SurfaceOutput : public SurfaceLamps {
 public:
  SurfaceOutput(SerialPort& port, DeviceRunner& runner, ui::Toolkit& toolkit, KeysetModel& keysets,
                PortMenu& portMenu, LinkActivity& activity)
      : port_(port),
        runner_(runner),
        toolkit_(toolkit),
        keysets_(keysets),
        portMenu_(portMenu),
        activity_(activity) {}

  // BF 12 n or BF 13 n.
  void Lamp(bool on, int control) override;
  // "Current Keyset Layer n" at 72, then the Shift lamp lit for the second
  // layer and dark for the first. Reads the current layer under the keyset
  // lock, so the caller must not hold that lock, and reads it after the
  // display's pause: a layer change served meanwhile has written its own
  // line, which this one must not turn back to the old layer.
  void WriteLayerLine() override;

  // The text from display position `position`: the position message, a pause
  // of 1/16 s that keeps the windows responsive, then one message per
  // character. Nothing at all for an empty text or a closed port. Text that
  // events served during the pause write moves the display's cursor, so then
  // the position goes out once more before the characters.
  void WriteDisplay(const std::string& text, std::uint8_t position);
  void WriteGreeting();
  // Configuration message with the device thread held still, greeting, layer
  // line, the closing messages; then the port menu marks go back on.
  void InitialiseSurface();

 private:
  void Send(std::uint8_t kind, std::uint8_t value);
  // WriteDisplay with the text made after the pause.
  void WriteDisplayAfterPause(std::uint8_t position, const std::function<std::string()>& text);

  SerialPort& port_;
  DeviceRunner& runner_;
  ui::Toolkit& toolkit_;
  KeysetModel& keysets_;
  PortMenu& portMenu_;
  LinkActivity& activity_;
  // Display writes begun so far; tells a write whether another came between
  // its position and its characters.
  unsigned displayWrites_ = 0;
};

}  // namespace quorbel
