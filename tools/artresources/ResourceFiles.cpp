#include "tools/artresources/ResourceFiles.h"

#include <cstddef>

namespace quorbel::art {

namespace {

constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 DPI

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xff);
  out += static_cast<char>((value >> 8) & 0xff);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

std::uint32_t Count(int value) { return value > 0 ? static_cast<std::uint32_t>(value) : 0; }

std::uint32_t PixelBytes(const Pixels& image) {
  return Count(image.width) * Count(image.height) * 4;
}

// The header both file kinds use; an icon's image counts its mask's rows too.
void PutInfoHeader(std::string& out, const Pixels& image, int rows, std::uint32_t imageBytes) {
  Put32(out, kInfoHeaderBytes);
  Put32(out, Count(image.width));
  Put32(out, Count(rows));  // positive: the rows go bottom-up
  Put16(out, 1);            // planes
  Put16(out, 32);           // bits per pixel
  Put32(out, 0);            // no compression
  Put32(out, imageBytes);
  Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
  Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
  Put32(out, 0);  // colours used: none, there is no palette
  Put32(out, 0);
}

std::uint32_t At(const Pixels& image, int x, int y) {
  return image.argb[static_cast<std::size_t>(y) * Count(image.width) + Count(x)];
}

// One pixel as the file stores it: blue, green, red, alpha.
void PutPixel(std::string& out, std::uint32_t argb) {
  out += static_cast<char>(argb & 0xff);
  out += static_cast<char>((argb >> 8) & 0xff);
  out += static_cast<char>((argb >> 16) & 0xff);
  out += static_cast<char>(argb >> 24);
}

std::uint32_t Straight(std::uint32_t premultiplied) {
  const std::uint32_t alpha = premultiplied >> 24;
  if (alpha == 0 || alpha == 255) return alpha == 0 ? 0 : premultiplied;
  std::uint32_t result = alpha << 24;
  for (const int shift : {16, 8, 0}) {
    const std::uint32_t channel = (premultiplied >> shift) & 0xff;
    const std::uint32_t value = (channel * 255 + alpha / 2) / alpha;
    result |= (value > 255 ? 255 : value) << shift;
  }
  return result;
}

std::uint32_t MaskRowBytes(const Pixels& image) { return (Count(image.width) + 31) / 32 * 4; }

// An icon's image: the header, the colours bottom-up, then the mask, set
// where a pixel is fully transparent.
std::string IconImage(const Pixels& image) {
  std::string out;
  const std::uint32_t maskBytes = MaskRowBytes(image) * Count(image.height);
  PutInfoHeader(out, image, image.height * 2, PixelBytes(image) + maskBytes);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) PutPixel(out, Straight(At(image, x, y)));
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::string row(MaskRowBytes(image), '\0');
    for (int x = 0; x < image.width; ++x) {
      if ((At(image, x, y) >> 24) == 0) {
        row[Count(x) / 8] = static_cast<char>(row[Count(x) / 8] | (0x80 >> (x % 8)));
      }
    }
    out += row;
  }
  return out;
}

}  // namespace

std::string BitmapFileBytes(const Pixels& image) {
  std::string out;
  const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;
  out += "BM";
  Put32(out, offset + PixelBytes(image));
  Put32(out, 0);  // reserved
  Put32(out, offset);
  PutInfoHeader(out, image, image.height, PixelBytes(image));
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) PutPixel(out, At(image, x, y));
  }
  return out;
}

std::string IconFileBytes(const std::vector<Pixels>& images) {
  std::string out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  std::string data;
  for (const Pixels& image : images) {
    const std::string bytes = IconImage(image);
    // A side of 256 is written as 0, as the one byte cannot hold it.
    out += static_cast<char>(image.width >= 256 ? 0 : image.width);
    out += static_cast<char>(image.height >= 256 ? 0 : image.height);
    out += '\0';  // no palette
    out += '\0';
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(bytes.size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bytes.size());
    data += bytes;
  }
  return out + data;
}

std::string ResourceScript(const std::vector<ResourceLine>& lines) {
  std::string script = "// Drawn at build time from the panel's artwork; do not edit.\n";
  for (const ResourceLine& line : lines) {
    script += line.name + " " + std::string(line.type) + " \"";
    for (const char c : line.path) {
      if (c == '\\') script += '\\';
      if (c == '"') script += '"';
      script += c;
    }
    script += "\"\n";
  }
  return script;
}

}  // namespace quorbel::art
