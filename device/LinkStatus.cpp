#include "device/LinkStatus.h"

namespace quorbel {

void LinkStatus::StatusTick() {
  if (activity_.Busy()) return;
  const LinkActivity::Scope ticking(activity_);
  if (link_.DropVanishedPort()) return;
  if (link_.PortVanished()) {
    link_.ReopenVanishedPort();
    return;
  }
  presence_.Probe(ProbeMode::Listening);
}

}  // namespace quorbel
