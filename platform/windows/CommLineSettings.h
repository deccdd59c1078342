#pragma once

#include <windows.h>

namespace quorbel {

// True for the rates the surface runs at: 38400, 19200, 9600, 4800, 2400.
bool IsSurfaceRate(int baudRate);

// Puts the surface's line settings on the open port, one change of its DCB
// after another so that a setting the driver refuses leaves the earlier ones
// in force: the rate, 8 data bits, parity checking, odd parity, 1.5 stop bits.
// Raw bytes: no flow control, no XON/XOFF (0x11 and 0x13 are message bytes),
// and a byte with a parity error still comes through as it came.
void ApplySurfaceLineSettings(HANDLE port, int baudRate);

}  // namespace quorbel
