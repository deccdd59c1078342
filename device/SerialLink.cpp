#include "device/SerialLink.h"

#include <chrono>

#include "common/NumberText.h"
#include "toolkit/FormName.h"

namespace quorbel {

namespace {

using ui::kMainForm;
constexpr std::chrono::milliseconds kDrainPause{200};

}  // namespace

bool SerialLink::OpenLink() {
  const LinkActivity::Scope opening(activity_);
  if (settings_.CommPort == 0) settings_.CommPort = kFirstCommPort;
  const int rate = settings_.BaudRate == 0 ? kDefaultBaudRate : settings_.BaudRate;
  const bool opened = port_.Open(settings_.CommPort, rate);
  portMenu_.ClearPortMenuMarks();
  if (!opened) return false;
  settings_.BaudRate = rate;
  presence_.Probe(ProbeMode::Discarding);
  return true;
}

void SerialLink::StopLink() {
  // An open port without a thread is closed as well, so no port is left open
  // behind a thread that never started.
  if (!runner_.Running() && !port_.IsOpen()) return;
  const LinkActivity::Scope stopping(activity_);
  ++stops_;
  runner_.Stop();
  for (int round = 0; round < kMaxDrainRounds && port_.BytesPending() > 0; ++round) {
    clock_.Sleep(kDrainPause);
    port_.DiscardPending();
  }
  port_.Close();
  portMenu_.ClearPortMenuMarks();
}

void SerialLink::ShowPortFailure() {
  toolkit_.MessageBox(kMainForm, kPortFailureMessage + NumberText(settings_.CommPort),
                      kPortFailureTitle, ui::Buttons::Ok);
}

void SerialLink::OpenAtStartup() {
  if (runner_.Running()) return;
  const LinkActivity::Scope starting(activity_);
  vanished_ = false;
  windows_.DialogActive = true;
  const int stopsBefore = stops_;
  if (OpenLink()) {
    output_.WriteGreeting();
    // The pause of the display serves events: the program may have been
    // ended, or the port changed, meanwhile. Then that is the link's state,
    // and start-up starts no thread on a port closed under it.
    if (stops_ == stopsBefore) {
      runner_.Start();
      output_.WriteLayerLine();
    }
  } else {
    ShowPortFailure();
  }
  windows_.DialogActive = false;
}

void SerialLink::ReopenAfterChoice() {
  const LinkActivity::Scope reopening(activity_);
  vanished_ = false;
  windows_.DialogActive = true;
  if (OpenLink()) {
    runner_.Start();
    output_.WriteGreeting();
  } else {
    ShowPortFailure();
  }
  windows_.DialogActive = false;
}

void SerialLink::ChoosePort(int portNumber) {
  if (!IsCommPort(portNumber) || portNumber == settings_.CommPort) return;
  StopLink();
  settings_.CommPort = portNumber;
  ReopenAfterChoice();
}

void SerialLink::ChooseBaudRate(int menuId) {
  const int rate = BaudRateOfMenu(menuId);
  if (rate == 0 || rate == settings_.BaudRate) return;
  StopLink();
  settings_.BaudRate = rate;
  ReopenAfterChoice();
}

void SerialLink::UseRelinkedPort(int portNumber, bool open) {
  if (!IsCommPort(portNumber)) return;
  StopLink();
  settings_.CommPort = portNumber;
  if (open) ReopenAfterChoice();
}

bool SerialLink::DropVanishedPort() {
  // The hang-up of a thread already stopped was dealt with when it stopped.
  if (!runner_.Running() || !runner_.HungUp()) return false;
  StopLink();
  vanished_ = true;
  presence_.ShowNotActive();
  return true;
}

void SerialLink::ReopenVanishedPort() {
  if (!vanished_) return;
  const LinkActivity::Scope reopening(activity_);
  if (!OpenLink()) return;
  vanished_ = false;
  runner_.Start();
  output_.WriteGreeting();
}

}  // namespace quorbel
