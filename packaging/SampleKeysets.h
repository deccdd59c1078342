#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace quorbel::sample {

// The program that the sample keyset serves, and the keyset's name.
inline constexpr std::string_view kSampleProgram = "Scribble";

// One assignment of the sample keyset: a single key step on a control, with
// the keys a target window receives for it, as "ctrl+shift+S".
struct SampleAssignment {
  int control;
  std::string_view label;
  std::int32_t keyCode;
  std::int32_t modifiers;
  std::string_view received;
};

// The assignments of layer "1" of the sample keyset.
std::span<const SampleAssignment> SampleAssignments();

// Writes keysets/Default.qrb (no assignments) and keysets/Scribble.qrb into
// `folder`, creating the keysets folder; false when a file cannot be written.
bool WriteSampleKeysets(const std::filesystem::path& folder);

}  // namespace quorbel::sample
