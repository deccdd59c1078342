#pragma once

namespace quorbel {

// Puts the surface's line settings on the open tty `fd`, one change after
// another so that a setting the driver refuses leaves the earlier ones in
// force. False only when the rate is not one the surface runs at or the
// descriptor is not a terminal at all.
bool ApplySurfaceLineSettings(int fd, int baudRate);

}  // namespace quorbel
