#pragma once

#include <array>
#include <cctype>
#include <string>
#include <string_view>

namespace quorbel::ui {

// How the Windows program carries its pictures: every panel image is drawn
// at build time into a bitmap resource at each of these scales (percent of
// the normal 96 DPI size, ascending), and the program's icon, besides, into
// one icon resource with images of these sides. The drawing tool and the Win32
// toolkit both name the resources through this header, so they cannot drift.
inline constexpr std::array<int, 4> kResourcePictureScales{100, 125, 150, 200};
inline constexpr std::array<int, 8> kProgramIconSides{16, 20, 24, 32, 40, 48, 64, 256};
inline constexpr std::string_view kProgramIcon = "$program";
inline constexpr int kNormalResourceDpi = 96;

// The resource name of an icon ("$program" or "program"): "ART_PROGRAM".
// Upper case, as the system compares resource names; the prefix keeps names
// such as "$0up" from starting with a digit.
inline std::string ResourceIconName(std::string_view image) {
  if (!image.empty() && image.front() == '$') image.remove_prefix(1);
  std::string name = "ART_";
  for (const char c : image) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

// The resource name of an image ("$FuncUp" or "FuncUp") at a scale:
// "ART_FUNCUP_150".
inline std::string ResourcePictureName(std::string_view image, int percent) {
  return ResourceIconName(image) + "_" + std::to_string(percent);
}

// The scale to take the image of a screen of `dpi` from: the least scale
// that is not smaller than the screen's, so that the image only ever shrinks,
// or the largest there is.
inline int ResourceScaleFor(int dpi) {
  for (const int percent : kResourcePictureScales) {
    if (percent * kNormalResourceDpi >= dpi * 100) return percent;
  }
  return kResourcePictureScales.back();
}

}  // namespace quorbel::ui
