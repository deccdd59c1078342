#pragma once

#include <cstdint>
#include <vector>

#include "device/DeviceRunner.h"
#include "device/LinkSettings.h"
#include "device/SurfaceOutput.h"
#include "keysets/ListedKeysets.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

enum class ProbeMode {
  // After opening the port: whatever came in before is dropped, then the
  // surface is asked.
  Discarding,
  // Status timer and focus: bytes already waiting prove the surface is there.
  Listening,
};

// The check whether the surface is there, and the main window's caption that
// shows the result. GUI thread only.
class Presence {
 public:
  Presence(SerialPort& port, DeviceRunner& runner, ui::Toolkit& toolkit, ListedKeysets& listed,
           Clock& clock, const LinkSettings& settings, SurfaceOutput& output)
      : port_(port),
        runner_(runner),
        toolkit_(toolkit),
        listed_(listed),
        clock_(clock),
        settings_(settings),
        output_(output) {}

  // Asks the surface for its identity, up to four times with the device
  // thread held still so it cannot take the reply. Sets `SurfaceAnswers` and
  // the caption; initialises the surface when it newly answers. In listening
  // mode, waiting bytes count as an answer and initialise the surface every
  // time. Nothing while no port is open.
  void Probe(ProbeMode mode);

  // For a port that went away: the surface no longer answers and the caption
  // says so.
  void ShowNotActive();

  bool SurfaceAnswers() const { return surfaceAnswers_; }

 private:
  // One identity request and the wait for its reply; true when it came.
  bool AskIdentity();
  // Reads what is waiting and returns the identity reply in it (empty when
  // there is none); the surface's messages around it go back to the device
  // thread, so that a press made during the probe is not lost.
  std::vector<std::uint8_t> TakeReply();
  void SetCaption(const std::string& caption);

  SerialPort& port_;
  DeviceRunner& runner_;
  ui::Toolkit& toolkit_;
  ListedKeysets& listed_;
  Clock& clock_;
  const LinkSettings& settings_;
  SurfaceOutput& output_;
  bool surfaceAnswers_ = false;
};

}  // namespace quorbel
