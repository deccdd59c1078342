#include "packaging/SampleKeysets.h"

#include <array>
#include <fstream>
#include <memory>

#include "keysets/FixedText.h"
#include "keysets/KeysetFiles.h"

namespace quorbel::sample {

namespace {

constexpr std::array kAssignments{
    SampleAssignment{0, "Save As", 'S', kCtrl | kShift, "ctrl+shift+S"},
    SampleAssignment{1, "Open", 'O', kCtrl, "ctrl+O"},
    SampleAssignment{21, "Back", kNamedKey | 37, kAlt, "alt+Left"},
    SampleAssignment{56, "Start", kNamedKey | 36, kCtrl, "ctrl+Home"},
    SampleAssignment{59, "Play", kNamedKey | 32, 0, "space"},
};

using Layers = std::array<KeysetLayer, kLayerSlots>;

std::unique_ptr<Layers> EmptyKeyset(std::string_view name) {
  auto layers = std::make_unique<Layers>();
  StoreFixedText((*layers)[0].Name, kNameBytes, name);
  return layers;
}

bool WriteKeyset(const std::filesystem::path& file, const Layers& layers) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(layers.data()), kKeysetFileBytes);
  return static_cast<bool>(out.flush());
}

}  // namespace

std::span<const SampleAssignment> SampleAssignments() { return kAssignments; }

bool WriteSampleKeysets(const std::filesystem::path& folder) {
  static_assert(sizeof(Layers) == kKeysetFileBytes);
  std::error_code error;
  std::filesystem::create_directories(folder / "keysets", error);
  if (error) return false;

  auto sample = EmptyKeyset(kSampleProgram);
  KeysetLayer& first = (*sample)[0];
  for (const SampleAssignment& assignment : kAssignments) {
    constexpr int step = 1;
    const auto c = static_cast<std::size_t>(assignment.control);
    first.MouseX[step][c] = -1;
    first.KeyCode[step][c] = assignment.keyCode;
    first.Modifiers[step][c] = assignment.modifiers;
    StoreFixedText(first.Label[step][c], kLabelBytes, assignment.label);
  }
  return WriteKeyset(folder / "keysets" / "Default.qrb", *EmptyKeyset("Default")) &&
         WriteKeyset(folder / "keysets" / (std::string(kSampleProgram) + ".qrb"), *sample);
}

}  // namespace quorbel::sample
