#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {
namespace {

// Draws "FuncUp" red at its own size of 20 by 30 pixels, "Red1on" and
// "program" green at the size asked for, and has nothing else; counts what
// it is asked for.
class SolidImages : public BitmapSource {
 public:
  HBITMAP Image(const std::string& name, SIZE size, int /*dpi*/) const override {
    ++asked;
    if (name == "FuncUp") return Solid(SIZE{20, 30}, RGB(255, 0, 0));
    if (name == "Red1on" || name == "program") return Solid(size, RGB(0, 255, 0));
    return nullptr;
  }

  mutable std::atomic<int> asked{0};

 private:
  static HBITMAP Solid(SIZE size, COLORREF colour) {
    HDC screen = ::GetDC(nullptr);
    HDC drawing = ::CreateCompatibleDC(screen);
    HBITMAP image = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = ::SelectObject(drawing, image);
    HBRUSH brush = ::CreateSolidBrush(colour);
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(drawing, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(drawing, old);
    ::DeleteDC(drawing);
    ::ReleaseDC(nullptr, screen);
    return image;
  }
};

SIZE SizeOf(HWND window) {
  RECT place{};
  ::GetWindowRect(window, &place);
  return SIZE{place.right - place.left, place.bottom - place.top};
}

COLORREF PixelOf(HWND window, int x, int y) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC context = ::GetDC(window);
  const COLORREF pixel = ::GetPixel(context, x, y);
  ::ReleaseDC(window, context);
  return pixel;
}

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks(nullptr, [this](Event& event) {
      if (event.code == kClick) ++clicks;
    });
    kit.CreateForm("main", "", "Quorbel", Rect{0, 0, 40, 20}, "", kDefaultColour, kDefaultColour);
  }

  void AddPicture(ControlKind kind, int id, Rect place, const std::string& image) {
    ControlDefinition definition;
    definition.kind = kind;
    definition.id = id;
    definition.place = place;
    definition.text = image;
    kit.AddControl("main", definition);
  }

  std::shared_ptr<SolidImages> images = std::make_shared<SolidImages>();
  Win32Toolkit kit{images};
  int clicks = 0;
};

TEST_F(PictureTest, APictureTakesTheSizeOfItsImageOrKeepsItsOwnWithoutOne) {
  AddPicture(ControlKind::Picture, 1059, Rect{1, 1, 4, 1}, "$FuncUp");
  HWND picture = kit.ControlWindow("main", 1059);
  SIZE size = SizeOf(picture);
  EXPECT_EQ(size.cx, 20);
  EXPECT_EQ(size.cy, 30);
  EXPECT_EQ(PixelOf(picture, 5, 5), RGB(255, 0, 0));

  // The lamp is drawn at the size the picture was made with.
  const int lamp = kit.LoadPicture("$Red1on");
  EXPECT_EQ(kit.LoadPicture("$Red1on"), lamp);
  AddPicture(ControlKind::Picture, 520, Rect{10, 1, 2, 1}, "$Nothing");
  HWND other = kit.ControlWindow("main", 520);
  const SIZE made = SizeOf(other);
  EXPECT_GT(made.cx, 0);
  kit.SetImage("main", 520, lamp);
  size = SizeOf(other);
  EXPECT_EQ(size.cx, made.cx);
  EXPECT_EQ(size.cy, made.cy);
  EXPECT_EQ(PixelOf(other, 2, 2), RGB(0, 255, 0));

  // An image it has not got leaves a picture that still takes clicks.
  kit.SetImage("main", 520, kit.LoadPicture("$Missing"));
  size = SizeOf(other);
  EXPECT_EQ(size.cx, made.cx);
  ::SendMessageW(other, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  ::SendMessageW(other, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(clicks, 1);
}

TEST_F(PictureTest, ImagesAreAskedForOncePerSizeAndSystemIconsNeedNoSource) {
  AddPicture(ControlKind::Picture, 1000, Rect{1, 1, 4, 1}, "$Red1on");
  AddPicture(ControlKind::Picture, 1001, Rect{1, 3, 4, 1}, "$Red1on");
  const int asked = images->asked.load();
  const int key = kit.LoadPicture("$Red1on");
  for (int i = 0; i < 20; ++i) kit.SetImage("main", 1000 + i % 2, key);
  EXPECT_EQ(images->asked.load(), asked);

  AddPicture(ControlKind::Icon, 5, Rect{1, 5, 4, 2}, "#?Icon");
  EXPECT_NE(::SendMessageW(kit.ControlWindow("main", 5), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

  kit.SetFormIcon("main", "$program");
  EXPECT_NE(::SendMessageW(kit.FormWindow("main"), WM_GETICON, ICON_BIG, 0), 0);
}

}  // namespace
}  // namespace quorbel::ui
