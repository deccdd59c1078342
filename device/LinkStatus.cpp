#include "device/LinkStatus.h"

namespace quorbel {

void LinkStatus::StatusTick() {
  if (activity_.Busy()) return;
  const LinkActivity::Scope ticking(activity_);
  // A port that went away is dropped and, should it be back already (a
  // cable pulled and plugged in again between two ticks), opened again at
  // once rather than a tick later.
  link_.DropVanishedPort();
  if (link_.PortVanished()) {
    link_.ReopenVanishedPort();
    return;
  }
  presence_.Probe(ProbeMode::Listening);
}

void LinkStatus::DevicesChanged() {
  if (activity_.Busy()) return;
  const LinkActivity::Scope watching(activity_);
  link_.DropVanishedPort();
  link_.ReopenVanishedPort();
}

}  // namespace quorbel
