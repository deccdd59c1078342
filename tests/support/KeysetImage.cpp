#include "tests/support/KeysetImage.h"

#include <fstream>
#include <iterator>

#include "keysets/KeysetFiles.h"

namespace quorbel::testing {

KeysetImage::KeysetImage() : records_(Index(kLayerSlots)) {}

KeysetImage& KeysetImage::KeyStep(int layer, int control, int step, std::int32_t key,
                                  std::int32_t modifiers) {
  KeysetLayer& record = records_[Index(layer)];
  record.KeyCode[step][control] = key;
  record.Modifiers[step][control] = modifiers;
  record.MouseX[step][control] = -1;
  return *this;
}

void KeysetImage::Write(const std::filesystem::path& file) const {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(records_.data()),
            static_cast<std::streamsize>(kKeysetFileBytes));
}

std::optional<KeysetImage> KeysetImage::Read(const std::filesystem::path& file) {
  const std::string bytes = FileBytes(file);
  if (bytes.size() < kKeysetFileBytes) return std::nullopt;
  KeysetImage image;
  std::copy_n(bytes.data(), kKeysetFileBytes, reinterpret_cast<char*>(image.records_.data()));
  return image;
}

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quorbel::testing
