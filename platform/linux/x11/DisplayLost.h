#pragma once

#include <functional>

namespace quorbel {

// Losing the X server never ends the process from the thread that noticed:
// the broken connection fails every later request, and `lost` is told once
// per process, on that thread, so that the program can end in its own order.
// `lost` must only hand the news on. (Free of Xlib's header, whose macros
// clash with other libraries.)
void OnDisplayLost(std::function<void()> lost);

}  // namespace quorbel
