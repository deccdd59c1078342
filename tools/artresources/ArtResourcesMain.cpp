// Draws every panel image at every scale the Windows program carries into
// 32-bit bitmap files, the program's icon into an icon file, and writes the
// resource script that names them:
//   quorbel-art-resources <folder>
// The Windows build runs it on the build machine and compiles the script.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/ResourcePictures.h"
#include "tools/artresources/ResourceFiles.h"
#include "ui/art/PanelArt.h"

namespace {

using quorbel::art::Pixels;

Pixels PixelsOf(const QImage& drawn) {
  const QImage image = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  Pixels pixels{image.width(), image.height(), {}};
  pixels.argb.reserve(static_cast<std::size_t>(image.width()) *
                      static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    pixels.argb.insert(pixels.argb.end(), row, row + image.width());
  }
  return pixels;
}

// Writes the whole file, or says why it could not.
bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "quorbel-art-resources: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

std::string FileName(const std::string& resourceName) {
  std::string name;
  for (const char c : resourceName) {
    name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  // Drawing needs fonts, not a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const std::string folder = std::string(argv[1]) + "/";

  std::vector<quorbel::art::ResourceLine> lines;
  for (const std::string& image : quorbel::art::PanelImageNames()) {
    for (const int percent : quorbel::ui::kResourcePictureScales) {
      const std::string name = quorbel::ui::ResourcePictureName(image, percent);
      const std::string path = folder + FileName(name) + ".bmp";
      const QImage drawn = quorbel::art::DrawPanelImage(image, percent / 100.0);
      if (!Write(path, quorbel::art::BitmapFileBytes(PixelsOf(drawn)))) return 1;
      lines.push_back({name, "BITMAP", path});
    }
  }

  const QSize iconSize = quorbel::art::PanelImageSize(quorbel::ui::kProgramIcon);
  std::vector<Pixels> icons;
  for (const int side : quorbel::ui::kProgramIconSides) {
    icons.push_back(PixelsOf(quorbel::art::DrawPanelImage(
        quorbel::ui::kProgramIcon, static_cast<double>(side) / iconSize.width())));
  }
  const std::string iconName = quorbel::ui::ResourceIconName(quorbel::ui::kProgramIcon);
  const std::string iconPath = folder + FileName(iconName) + ".ico";
  if (!Write(iconPath, quorbel::art::IconFileBytes(icons))) return 1;
  lines.push_back({iconName, "ICON", iconPath});

  return Write(folder + "art.rc", quorbel::art::ResourceScript(lines)) ? 0 : 1;
}
