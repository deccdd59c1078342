// Feeds arbitrary bytes to the surface decoder: no message may name a control
// outside 0..127, and a shuttle event must name the control its position plays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/Types.h"
#include "device/SurfaceDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorbel::SurfaceDecoder decoder;
  for (std::size_t i = 0; i < size; ++i) {
    const auto event = decoder.Feed(data[i]);
    if (!event) continue;
    if (!quorbel::IsControlIndex(event->control)) std::abort();
    if (event->kind == quorbel::SurfaceEventKind::ShuttlePosition &&
        quorbel::ShuttleControl(event->position) != event->control) {
      std::abort();
    }
  }
  return 0;
}
