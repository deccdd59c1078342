#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "keysets/KeysetLayer.h"

namespace quorbel::testing {

// The four layer records of one keyset, as a test writes them for the program
// to load and reads back what the program saved.
class KeysetImage {
 public:
  KeysetImage();

  // Makes `key` (a virtual-key code or character) with `modifiers` step `step`
  // of `control` in `layer`.
  KeysetImage& KeyStep(int layer, int control, int step, std::int32_t key,
                       std::int32_t modifiers = 0);
  void Write(const std::filesystem::path& file) const;
  // Nothing when the file is missing or shorter than a keyset.
  static std::optional<KeysetImage> Read(const std::filesystem::path& file);

  const KeysetLayer& Layer(int layer) const { return records_[Index(layer)]; }

 private:
  static std::size_t Index(int value) { return static_cast<std::size_t>(value); }

  std::vector<KeysetLayer> records_;
};

// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& file);

}  // namespace quorbel::testing
