#pragma once

#include <string>

namespace quorbel {

// The device behind "Com n": the file the link ports/comN in the current
// directory points to, so that any adapter or a simulated surface can stand in
// for a port; without such a link, the n-th built-in serial port /dev/ttyS<n-1>.
// Empty for a port number outside 1..32.
std::string SerialDevicePath(int portNumber);
// The link that names "Com n": ports/comN.
std::string SerialLinkPath(int portNumber);

}  // namespace quorbel
