#pragma once

#include "device/LinkActivity.h"
#include "device/Presence.h"
#include "device/SerialLink.h"

namespace quorbel {

// What the status timer (timer 2100, every 10 seconds) and the main window's
// focus do for the link. GUI thread only.
class LinkStatus {
 public:
  LinkStatus(SerialLink& link, Presence& presence, LinkActivity& activity)
      : link_(link), presence_(presence), activity_(activity) {}

  // A port that went away is closed and the caption reads "Quorbel Not
  // Active"; at this tick or a later one, once the same port opens again,
  // the link comes back as after a choice of port. Otherwise the listening
  // presence probe.
  // A tick that arrives while another link operation serves events is
  // dropped; the next one comes ten seconds later.
  void StatusTick();
  // Devices came or went: a port that went away is dropped, and one that is
  // back is opened again at once instead of at the next tick.
  void DevicesChanged();

 private:
  SerialLink& link_;
  Presence& presence_;
  LinkActivity& activity_;
};

}  // namespace quorbel
