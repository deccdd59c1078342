#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "keysets/KeysetLayer.h"

namespace quorbel {

inline constexpr int kKeysetSlots = 11;
inline constexpr int kLayerSlots = 4;

// One step of a sequence, as playback and the editor take it.
struct Step {
  std::int32_t MouseX = 0;
  std::int32_t MouseY = 0;
  std::int32_t KeyCode = 0;
  std::int32_t Modifiers = 0;
  std::int32_t Delay = 0;
};

// A copy of one control's sequence: what playback plays without the lock.
struct Sequence {
  std::array<Step, kMaxSteps> steps{};
  int count = 0;
};

// Every keyset in memory (11 slots of 4 layer records) with the selection.
// Not synchronised: KeysetModel guards it for the two threads.
class KeysetTable {
 public:
  KeysetTable();

  KeysetLayer& Record(int keyset, int layer);
  const KeysetLayer& Record(int keyset, int layer) const;
  // The record of the current keyset in its current layer.
  KeysetLayer& Current() { return Record(current_keyset_, current_layer_); }
  const KeysetLayer& Current() const { return Record(current_keyset_, current_layer_); }

  // Step fields of control c, step s (1..10) in the current record.
  Step GetStep(int c, int s) const;
  void SetStep(int c, int s, const Step& step);
  // The label as its 20 bytes stand, up to a zero byte (never stored: empty).
  std::string Label(int c, int s) const;
  void SetLabel(int c, int s, std::string_view text);

  // First step 1..10 of control c whose KeyCode is 0; 11 when all are used.
  int FirstFreeStep(int c) const;
  Sequence CopySequence(int c) const;

  std::string KeysetName(int keyset) const;
  void SetKeysetName(int keyset, std::string_view name);

  // Every record back to zero; the selection and layer memory stay.
  void ResetTable();
  void SetCurrent(int keyset);
  void PickLayer(int layer);
  // Makes `layer` current without remembering it for the keyset.
  void SetCurrentLayer(int layer) { current_layer_ = layer; }
  int CurrentKeyset() const { return current_keyset_; }
  int CurrentLayer() const { return current_layer_; }
  int LayerMemory(int keyset) const;

  KeysetLayer& LayerClipboard();

 private:
  // The 44 records and the clipboard in one block, allocated once.
  std::unique_ptr<KeysetLayer[]> records_;
  std::array<std::int32_t, kKeysetSlots> layer_memory_{};
  int current_keyset_ = 0;
  int current_layer_ = 0;
};

}  // namespace quorbel
