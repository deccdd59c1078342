// The pictures and the icon the program carries as resources (linked in from
// quorbel_win32_art), held to the files drawn at build time, and the
// toolkit's own painting of pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/WideText.h"
#include "surface/PanelImages.h"
#include "toolkit/ResourcePictures.h"
#include "toolkit/win32/PixelScaling.h"
#include "toolkit/win32/ResourceBitmaps.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {
namespace {

using Rows = std::vector<std::uint32_t>;  // 0xAARRGGBB, top row first

struct Image {
  int width = 0;
  int height = 0;
  Rows pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A drawn bitmap file as the build wrote it, read here byte by byte.
Image ReadBitmapFile(const std::string& resourceName) {
  std::string file = QUORBEL_ART_FOLDER "/";
  for (const char c : resourceName) file += static_cast<char>(std::tolower(c));
  std::ifstream in(file + ".bmp", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto word = [&bytes](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
      value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  Image image;
  if (bytes.size() < 54) return image;
  image.width = static_cast<int>(word(18));
  image.height = static_cast<int>(word(22));
  const std::size_t offset = word(10);
  for (int y = 0; y < image.height; ++y) {
    const std::size_t row =
        offset + static_cast<std::size_t>((image.height - 1 - y) * image.width) * 4;
    for (int x = 0; x < image.width; ++x)
      image.pixels.push_back(word(row + static_cast<std::size_t>(x) * 4));
  }
  return image;
}

// The pixels of a bitmap the toolkit got, top row first, as 32 bits.
Image PixelsOf(HBITMAP bitmap) {
  BITMAP description{};
  Image image;
  if (::GetObjectW(bitmap, sizeof(description), &description) == 0) return image;
  image.width = description.bmWidth;
  image.height = description.bmHeight;
  image.pixels.resize(static_cast<std::size_t>(image.width * image.height));
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(info.bmiHeader), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), image.pixels.data(), &info,
              DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return image;
}

// What a window shows on the screen once the paintings due are done (and
// only those: a picture left out of date must show so).
Image Screen(HWND window) {
  ::UpdateWindow(window);
  RECT client{};
  ::GetClientRect(window, &client);
  Image image;
  image.width = client.right;
  image.height = client.bottom;
  image.pixels.resize(static_cast<std::size_t>(image.width * image.height));
  // Rows from the top (a negative height), read straight from the copy's bits.
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(info.bmiHeader), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP copy = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC shown = ::GetDC(window);
  HDC target = ::CreateCompatibleDC(shown);
  const HGDIOBJ old = ::SelectObject(target, copy);
  ::BitBlt(target, 0, 0, image.width, image.height, shown, 0, 0, SRCCOPY);
  ::GdiFlush();
  std::memcpy(image.pixels.data(), bits, image.pixels.size() * sizeof(std::uint32_t));
  ::SelectObject(target, old);
  ::DeleteDC(target);
  ::ReleaseDC(window, shown);
  ::DeleteObject(copy);
  return image;
}

// A pixel whose colours are multiplied by its alpha, laid over an opaque one.
std::uint32_t Over(std::uint32_t top, std::uint32_t below) {
  const std::uint32_t alpha = top >> 24;
  std::uint32_t result = 0;
  for (const int shift : {16, 8, 0}) {
    const std::uint32_t channel =
        ((top >> shift) & 0xff) + ((below >> shift) & 0xff) * (255 - alpha) / 255;
    result |= (channel > 255 ? 255 : channel) << shift;
  }
  return result;
}

int Difference(std::uint32_t a, std::uint32_t b) {
  int largest = 0;
  for (const int shift : {16, 8, 0}) {
    const int d =
        std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff));
    largest = d > largest ? d : largest;
  }
  return largest;
}

int Scaled(int side, int percent) { return static_cast<int>(std::lround(side * percent / 100.0)); }

std::vector<std::string> EveryImageName() {
  std::vector<std::string> names = {"$Assign", "$program"};
  for (int slot = 0; slot < kPanelImageSlots; ++slot) {
    for (const int column : {kReleased, kPressed}) {
      if (!PanelImageName(slot, column).empty()) names.emplace_back(PanelImageName(slot, column));
    }
  }
  return names;
}

TEST(ResourcePictures, EveryPanelImageIsCarriedAtEveryScaleAtItsScaledSize) {
  const ResourceBitmaps resources;
  for (const std::string& name : EveryImageName()) {
    SCOPED_TRACE(name);
    const Image normal = ReadBitmapFile(ResourcePictureName(name, 100));
    ASSERT_GT(normal.width, 0);
    for (const int percent : kResourcePictureScales) {
      const int dpi = percent * kNormalResourceDpi / 100;
      HBITMAP image = resources.Image(name.substr(1), SIZE{1, 1}, dpi);
      ASSERT_NE(image, nullptr) << percent;
      const Image loaded = PixelsOf(image);
      ::DeleteObject(image);
      EXPECT_EQ(loaded.width, Scaled(normal.width, percent));
      EXPECT_EQ(loaded.height, Scaled(normal.height, percent));
    }
  }
  EXPECT_EQ(resources.Image("NoSuchImage", SIZE{1, 1}, 96), nullptr);
}

TEST(ResourcePictures, ScreensBetweenTheScalesShrinkTheNextLargerImage) {
  const ResourceBitmaps resources;
  // 150 % is drawn: the very pixels of the file, colours multiplied by alpha.
  HBITMAP drawn = resources.Image("Screw", SIZE{}, 144);
  const Image at150 = PixelsOf(drawn);
  ::DeleteObject(drawn);
  const Image file150 = ReadBitmapFile(ResourcePictureName("$Screw", 150));
  ASSERT_EQ(at150.width, file150.width);
  EXPECT_EQ(at150.pixels, file150.pixels);

  // 175 % is not: the 200 % image shrunk to the normal size times 1.75,
  // rounded; the key is lit on its left, so a turned image would show.
  HBITMAP shrunk = resources.Image("FuncUp", SIZE{}, 168);
  const Image at175 = PixelsOf(shrunk);
  ::DeleteObject(shrunk);
  const Image file200 = ReadBitmapFile(ResourcePictureName("$FuncUp", 200));
  ASSERT_EQ(at175.width, Scaled(38, 175));
  ASSERT_EQ(at175.height, Scaled(13, 175));
  const PixelRows expected = ScalePixels(PixelRows{file200.width, file200.height, file200.pixels},
                                         at175.width, at175.height);
  EXPECT_EQ(at175.pixels, expected.pixels);
}

TEST(ResourcePictures, TheProgramIconHoldsEverySideIn32Bits) {
  const std::wstring name = WideFromUtf8(ResourceIconName(kProgramIcon));
  HRSRC found = ::FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* group =
      static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, found)));
  ASSERT_NE(group, nullptr);
  const int count = group[4] | group[5] << 8;
  ASSERT_EQ(count, static_cast<int>(kProgramIconSides.size()));
  for (int i = 0; i < count; ++i) {
    const unsigned char* entry = group + 6 + i * 14;  // the group's entries are 14 bytes
    const int side = entry[0] == 0 ? 256 : entry[0];
    EXPECT_EQ(side, kProgramIconSides[static_cast<std::size_t>(i)]);
    EXPECT_EQ(entry[6] | entry[7] << 8, 32) << side;
  }
  HICON icon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, 48, 48, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO parts{};
  ASSERT_TRUE(::GetIconInfo(icon, &parts));
  BITMAP colours{};
  ::GetObjectW(parts.hbmColor, sizeof(colours), &colours);
  EXPECT_EQ(colours.bmWidth, 48);
  ::DeleteObject(parts.hbmColor);
  ::DeleteObject(parts.hbmMask);
  ::DestroyIcon(icon);
}

// A form on a colour of its own, showing pictures from the resources.
class PictureOnFormTest : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kForm = 0x2050a0;  // as read back: 0x00RRGGBB

  void SetUp() override {
    kit.SetCallbacks(nullptr, [](Event&) {});
    kit.DefineColour(40, 0x20, 0x50, 0xa0);
    kit.CreateForm("main", "", "Quorbel", Rect{0, 0, 40, 20}, "", kDefaultColour, 40);
  }

  HWND Add(int id, Rect place, const std::string& image) {
    ControlDefinition definition;
    definition.kind = ControlKind::Picture;
    definition.id = id;
    definition.place = place;
    definition.text = image;
    kit.AddControl("main", definition);
    return kit.ControlWindow("main", id);
  }

  // Every pixel of the picture is the file's pixel laid over `below`.
  void ExpectShows(HWND picture, const Image& file, std::uint32_t below) {
    const Image shown = Screen(picture);
    ASSERT_EQ(shown.width, file.width);
    ASSERT_EQ(shown.height, file.height);
    int worst = 0;
    for (int y = 0; y < file.height; ++y) {
      for (int x = 0; x < file.width; ++x) {
        const int d = Difference(shown.At(x, y), Over(file.At(x, y), below));
        worst = d > worst ? d : worst;
      }
    }
    EXPECT_LE(worst, 2);
  }

  Win32Toolkit kit{std::make_shared<ResourceBitmaps>()};
};

TEST_F(PictureOnFormTest, APictureShowsTheDrawnPixelsBlendedOnItsForm) {
  HWND key = Add(1000, Rect{1, 1, 1, 1}, "$FuncUp");
  ExpectShows(key, ReadBitmapFile(ResourcePictureName("$FuncUp", 100)), kForm);
  // The screw is round: its corners show the form, not black.
  HWND screw = Add(390, Rect{10, 1, 1, 1}, "$Screw");
  ExpectShows(screw, ReadBitmapFile(ResourcePictureName("$Screw", 100)), kForm);
  EXPECT_EQ(Screen(screw).At(0, 0) & 0xffffff, kForm);
  // A new image is shown at once, at its own size.
  kit.SetImage("main", 1000, kit.LoadPicture("$FuncDn"));
  ExpectShows(key, ReadBitmapFile(ResourcePictureName("$FuncDn", 100)), kForm);
}

TEST_F(PictureOnFormTest, APictureWithoutImagePaintsItsFormsColour) {
  HWND nothing = Add(520, Rect{1, 1, 2, 1}, "$NoSuchImage");
  const Image shown = Screen(nothing);
  ASSERT_GT(shown.width, 0);
  for (const std::uint32_t pixel : shown.pixels) ASSERT_EQ(pixel & 0xffffff, kForm);
}

TEST_F(PictureOnFormTest, PicturesBeneathShowThroughAndFollowTheirChanges) {
  // Created first, the screw lies above the plate it sits on.
  HWND screw = Add(390, Rect{2, 2, 1, 1}, "$Screw");
  Add(330, Rect{1, 1, 1, 1}, "$Lcd");
  const Image lcd = ReadBitmapFile(ResourcePictureName("$Lcd", 100));
  const Image screwFile = ReadBitmapFile(ResourcePictureName("$Screw", 100));
  // The plate's pixel under the screw's clear corner: the screw lies 8 and
  // 16 pixels from the plate's corner.
  const std::uint32_t under = Over(lcd.At(8, 16), kForm);
  EXPECT_LE(Difference(Screen(screw).At(0, 0), under), 2);
  ASSERT_EQ(screwFile.At(0, 0) >> 24, 0u);

  // The plate loses its image, and gets it back: the screw above follows.
  kit.SetImage("main", 330, kit.LoadPicture("$NoSuchImage"));
  EXPECT_EQ(Screen(screw).At(0, 0) & 0xffffff, kForm);
  kit.SetImage("main", 330, kit.LoadPicture("$Lcd"));
  EXPECT_LE(Difference(Screen(screw).At(0, 0), under), 2);

  // The plate goes away: the screw's corner shows the form again.
  kit.Hide("main", 330, 330);
  EXPECT_EQ(Screen(screw).At(0, 0) & 0xffffff, kForm);
}

int SideOf(HICON icon) {
  ICONINFO parts{};
  if (icon == nullptr || !::GetIconInfo(icon, &parts)) return 0;
  BITMAP colours{};
  ::GetObjectW(parts.hbmColor, sizeof(colours), &colours);
  ::DeleteObject(parts.hbmColor);
  ::DeleteObject(parts.hbmMask);
  return colours.bmWidth;
}

TEST_F(PictureOnFormTest, TheFormsIconsComeFromTheIconResourceDrawnForEachSide) {
  kit.SetFormIcon("main", std::string(kProgramIcon));
  HWND form = kit.FormWindow("main");
  const auto icon = [form](WPARAM which) {
    return reinterpret_cast<HICON>(::SendMessageW(form, WM_GETICON, which, 0));
  };
  EXPECT_EQ(SideOf(icon(ICON_BIG)), ::GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(SideOf(icon(ICON_SMALL)), ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_NE(icon(ICON_SMALL), icon(ICON_BIG));
}

}  // namespace
}  // namespace quorbel::ui
