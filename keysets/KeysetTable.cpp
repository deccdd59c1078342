#include "keysets/KeysetTable.h"

#include <cassert>
#include <cstring>

#include "keysets/FixedText.h"

namespace quorbel {

namespace {
constexpr int kClipboardRecord = kKeysetSlots * kLayerSlots;

std::size_t Unsigned(int i) { return static_cast<std::size_t>(i); }
}  // namespace

KeysetTable::KeysetTable() : records_(new KeysetLayer[kClipboardRecord + 1]()) {}

KeysetLayer& KeysetTable::Record(int keyset, int layer) {
  assert(keyset >= 0 && keyset < kKeysetSlots && layer >= 0 && layer < kLayerSlots);
  return records_[Unsigned(keyset * kLayerSlots + layer)];
}

const KeysetLayer& KeysetTable::Record(int keyset, int layer) const {
  assert(keyset >= 0 && keyset < kKeysetSlots && layer >= 0 && layer < kLayerSlots);
  return records_[Unsigned(keyset * kLayerSlots + layer)];
}

Step KeysetTable::GetStep(int c, int s) const {
  const KeysetLayer& r = Current();
  const auto cs = Unsigned(c);
  const auto ss = Unsigned(s);
  return Step{r.MouseX[ss][cs], r.MouseY[ss][cs], r.KeyCode[ss][cs], r.Modifiers[ss][cs],
              r.Delay[ss][cs]};
}

void KeysetTable::SetStep(int c, int s, const Step& step) {
  KeysetLayer& r = Current();
  const auto cs = Unsigned(c);
  const auto ss = Unsigned(s);
  r.MouseX[ss][cs] = step.MouseX;
  r.MouseY[ss][cs] = step.MouseY;
  r.KeyCode[ss][cs] = step.KeyCode;
  r.Modifiers[ss][cs] = step.Modifiers;
  r.Delay[ss][cs] = step.Delay;
}

std::string KeysetTable::Label(int c, int s) const {
  return RawFixedText(Current().Label[Unsigned(s)][Unsigned(c)], kLabelBytes);
}

void KeysetTable::SetLabel(int c, int s, std::string_view text) {
  StoreFixedText(Current().Label[Unsigned(s)][Unsigned(c)], kLabelBytes, text);
}

int KeysetTable::FirstFreeStep(int c) const {
  const KeysetLayer& r = Current();
  for (int s = 1; s <= kMaxSteps; ++s) {
    if (r.KeyCode[Unsigned(s)][Unsigned(c)] == 0) return s;
  }
  return kMaxSteps + 1;
}

Sequence KeysetTable::CopySequence(int c) const {
  Sequence sequence;
  sequence.count = FirstFreeStep(c) - 1;
  for (int s = 1; s <= sequence.count; ++s) sequence.steps[Unsigned(s - 1)] = GetStep(c, s);
  return sequence;
}

std::string KeysetTable::KeysetName(int keyset) const {
  return TrimmedFixedText(Record(keyset, 0).Name, kNameBytes);
}

void KeysetTable::SetKeysetName(int keyset, std::string_view name) {
  StoreFixedText(Record(keyset, 0).Name, kNameBytes, name);
}

void KeysetTable::ResetTable() {
  std::memset(static_cast<void*>(records_.get()), 0, sizeof(KeysetLayer) * kClipboardRecord);
}

void KeysetTable::SetCurrent(int keyset) {
  current_keyset_ = keyset;
  current_layer_ = layer_memory_[Unsigned(keyset)];
}

void KeysetTable::PickLayer(int layer) {
  current_layer_ = layer;
  layer_memory_[Unsigned(current_keyset_)] = layer;
}

int KeysetTable::LayerMemory(int keyset) const { return layer_memory_[Unsigned(keyset)]; }

KeysetLayer& KeysetTable::LayerClipboard() { return records_[kClipboardRecord]; }

}  // namespace quorbel
