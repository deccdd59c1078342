// How the Win32 toolkit's windows look, read back from their pixels.
#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "ToolkitFixture.h"

namespace quorbel::ui {
namespace {

constexpr COLORREF kFormGrey = RGB(0x40, 0x50, 0x60);

class LookTest : public ToolkitTest {
 protected:
  // A form of colour 32 with the controls `add` makes, drawn.
  HWND DrawnForm(const std::function<void()>& add) {
    kit.DefineColour(32, 0x40, 0x50, 0x60);
    kit.CreateForm("look", "", "Look", Rect{0, 0, 40, 12}, "", 0, 32);
    add();
    HWND form = kit.FormWindow("look");
    ::RedrawWindow(form, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    kit.Delay(0.05f);
    return form;
  }

  void AddTo(ControlKind kind, int id, Rect place, const std::string& text, int font = -1,
             int textColour = kDefaultColour, int backColour = kDefaultColour) {
    ControlDefinition definition = Define(kind, id, place, text);
    definition.font = font;
    definition.textColour = textColour;
    definition.backColour = backColour;
    kit.AddControl("look", definition);
  }
};

// How much ink dark text on white left in a window's client area: the sum
// of how far each pixel is from white, so that smoothed edges count in part.
long Ink(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  HDC context = ::GetDC(window);
  long ink = 0;
  for (int y = client.top; y < client.bottom; ++y) {
    for (int x = client.left; x < client.right; ++x) {
      ink += 255 - GetGValue(::GetPixel(context, x, y));
    }
  }
  ::ReleaseDC(window, context);
  return ink;
}

// The pane of a tab control and the strip beside its tabs are the form's
// grey, as the labels and boxes laid on the pane are; the tabs keep their
// own look.
TEST_F(LookTest, ATabPaneTakesItsFormsColour) {
  DrawnForm([&] { AddTo(ControlKind::TabControl, 300, Rect{1, 1, 30, 9}, "Keystrokes/Mouse"); });
  HWND tab = kit.ControlWindow("look", 300);
  RECT client{};
  ::GetClientRect(tab, &client);
  RECT firstTab{};
  ASSERT_NE(::SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstTab)), 0);
  HDC context = ::GetDC(tab);
  const COLORREF middle =
      ::GetPixel(context, client.right / 2, (firstTab.bottom + client.bottom) / 2);
  const COLORREF nearFrame = ::GetPixel(context, client.left + 2, client.bottom - 3);
  const COLORREF besideTabs = ::GetPixel(context, client.right - 10, firstTab.top + 2);
  const COLORREF onTab =
      ::GetPixel(context, (firstTab.left + firstTab.right) / 2, firstTab.top + 3);
  ::ReleaseDC(tab, context);
  EXPECT_EQ(middle, kFormGrey);
  EXPECT_EQ(nearFrame, kFormGrey);
  EXPECT_EQ(besideTabs, kFormGrey);
  EXPECT_NE(onTab, kFormGrey);
}

// The program's bold face comes out bold: the same text in it leaves clearly
// more ink than in the plain face of the same name and size. (Fitted to the
// grid on its own, the bold face came out a size smaller and no darker.)
TEST_F(LookTest, TheBoldFaceDrawsBold) {
  kit.DefineFont(10, "MS Sans Serif", 8, "BV");
  kit.DefineFont(13, "MS Sans Serif", 8, "V");
  DrawnForm([&] {
    AddTo(ControlKind::Label, 101, Rect{1, 1, 30, 1}, "Key Press: Mouse Emulation", 10, 0, 15);
    AddTo(ControlKind::Label, 102, Rect{1, 3, 30, 1}, "Key Press: Mouse Emulation", 13, 0, 15);
  });
  const long bold = Ink(kit.ControlWindow("look", 101));
  const long plain = Ink(kit.ControlWindow("look", 102));
  EXPECT_GT(plain, 100 * 255);
  EXPECT_GT(bold, plain * 11 / 10) << "bold " << bold << ", plain " << plain;
}

// The rows of a window's client area with dark pixels, first and last.
std::pair<int, int> InkedRows(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  HDC context = ::GetDC(window);
  int first = -1;
  int last = -1;
  for (int y = client.top; y < client.bottom; ++y) {
    for (int x = client.left; x < client.right; ++x) {
      if (GetGValue(::GetPixel(context, x, y)) < 128) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  ::ReleaseDC(window, context);
  return {first, last};
}

// Centred in the height: how far the ink of a window's text is from the
// middle, in pixels.
int OffCentre(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  const auto [top, bottom] = InkedRows(window);
  return std::abs(top - (client.bottom - 1 - bottom));
}

// A label whose text fits on one line has it in the middle of its height, as
// the other toolkits draw it; text that needs two lines wraps from the top,
// in a label of the same height too, and a new text is judged afresh.
TEST_F(LookTest, ALabelOfOneLineIsCentredInItsHeightAndLongerTextWraps) {
  DrawnForm([&] {
    AddTo(ControlKind::Label, 101, Rect{1, 1, 20, 1.5}, "Speed/Range", -1, 0, 15);
    AddTo(ControlKind::Label, 102, Rect{1, 3, 6.5, 1.5}, "Mouse Emulation:", -1, 0, 15);
  });
  HWND oneLine = kit.ControlWindow("look", 101);
  ASSERT_GE(InkedRows(oneLine).first, 0);
  EXPECT_LE(OffCentre(oneLine), 3);

  HWND wrapped = kit.ControlWindow("look", 102);
  const auto [top, bottom] = InkedRows(wrapped);
  EXPECT_LE(top, 3);
  EXPECT_GT(bottom - top, 14) << "two lines";

  kit.SetText("look", 102, "Mouse:");
  ::RedrawWindow(wrapped, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  kit.Delay(0.05f);
  EXPECT_LE(OffCentre(wrapped), 3);
}

// Draws every picture in one colour at the size asked for, and notes it.
class SizedImages : public BitmapSource {
 public:
  HBITMAP Image(const std::string& name, SIZE size, int /*dpi*/) const override {
    lastName = name;
    lastSize = size;
    HDC screen = ::GetDC(nullptr);
    HBITMAP image = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    ::ReleaseDC(nullptr, screen);
    return image;
  }

  mutable std::string lastName;
  mutable SIZE lastSize{};
};

RECT PlaceInParent(HWND control) {
  RECT place{};
  ::GetWindowRect(control, &place);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

LONG FontHeight(HWND control) {
  LOGFONTW description{};
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  ::GetObjectW(font, sizeof(description), &description);
  return description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
}

// Moved to a screen of 144 DPI, a form's client area, its controls, their
// fonts and pictures grow by half, on the same grid; the frame goes where the
// system suggests. (Wine runs at 96 DPI: the move is told by the message alone.)
TEST_F(LookTest, AFormMovedToAScreenOfAnotherDpiIsLaidOutAgainForIt) {
  auto images = std::make_shared<SizedImages>();
  kit.SetImageSource(images);
  kit.DefineFont(10, "MS Sans Serif", 8, "BV");
  HWND form = DrawnForm([&] {
    AddTo(ControlKind::Label, 101, Rect{1, 1, 10, 1}, "Name:", 10);
    AddTo(ControlKind::Picture, 201, Rect{12, 1, 4, 2}, "$Lamp");
  });
  HWND label = kit.ControlWindow("look", 101);
  const LONG heightAt96 = FontHeight(label);
  ASSERT_EQ(images->lastSize.cx, 32);
  // The picture shows another image since: that one is drawn again.
  kit.SetImage("look", 201, kit.LoadPicture("$LampLit"));
  ASSERT_EQ(images->lastName, "LampLit");
  images->lastName.clear();

  RECT frame{};
  ::GetWindowRect(form, &frame);
  RECT suggested{frame.left + 7, frame.top + 5, frame.left + 7 + (frame.right - frame.left) * 3 / 2,
                 frame.top + 5 + (frame.bottom - frame.top) * 3 / 2};
  ::SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

  const RECT labelPlace = PlaceInParent(label);
  EXPECT_EQ(labelPlace.left, 12);
  EXPECT_EQ(labelPlace.top, 24);
  EXPECT_EQ(labelPlace.right - labelPlace.left, 120);
  EXPECT_EQ(labelPlace.bottom - labelPlace.top, 24);
  EXPECT_GE(FontHeight(label) * 4, heightAt96 * 5) << heightAt96 << " then " << FontHeight(label);
  EXPECT_EQ(images->lastName, "LampLit");
  EXPECT_EQ(images->lastSize.cx, 48);
  EXPECT_EQ(images->lastSize.cy, 48);
  const RECT picturePlace = PlaceInParent(kit.ControlWindow("look", 201));
  EXPECT_EQ(picturePlace.left, 144);
  EXPECT_EQ(picturePlace.right - picturePlace.left, 48);

  RECT client{};
  ::GetClientRect(form, &client);
  EXPECT_EQ(client.right, 40 * 12);
  EXPECT_EQ(client.bottom, 12 * 24);
  RECT moved{};
  ::GetWindowRect(form, &moved);
  EXPECT_EQ(moved.left, suggested.left);
  EXPECT_EQ(moved.top, suggested.top);
}

}  // namespace
}  // namespace quorbel::ui
