#include "tests/integration/keysets/KeysetVersions.h"

#include <cstddef>

namespace quorbel::testing {

void FillVersion(KeysetModel& keysets, int k, int version) {
  auto model = keysets.Lock();
  for (int layer = 0; layer < kLayerSlots; ++layer) {
    auto* bytes = reinterpret_cast<unsigned char*>(&model->Record(k, layer));
    // 251 is prime, so the two versions' offsets never meet.
    const std::size_t shift = static_cast<std::size_t>(layer * 31 + version * 97);
    for (std::size_t i = 0; i < kKeysetLayerBytes; ++i) {
      bytes[i] = static_cast<unsigned char>((i + shift) % 251 + 1);
    }
  }
  model->SetKeysetName(k, kLoopKeysetName);
}

}  // namespace quorbel::testing
