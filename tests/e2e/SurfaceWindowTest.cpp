// The simulated surface's window used as a user does: clicked with a target
// program in front, like an on-screen keyboard.
#include <gtest/gtest.h>

#include "keysets/KeysetLayer.h"
#include "tests/e2e/EndToEndRig.h"
#include "tests/e2e/SecondPointer.h"
#include "tools/surfacewindow/SurfaceGeometry.h"

namespace quorbel::testing {
namespace {

constexpr int kF1 = 0;
constexpr int kF2 = 1;

class SurfaceWindowEndToEnd : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    if (IsSkipped()) return;
    hand = SecondPointer::Add(server->display());
    if (!hand) GTEST_SKIP() << "the X server has no XInput 2 or XTest";
    WriteKeyset("Default", KeysetImage().KeyStep(0, kF1, 1, 'D').KeyStep(0, kF2, 1, 'D'));
    // F1 types "a" and then clicks where the pointer rests.
    WriteKeyset("Mytarget", KeysetImage()
                                .KeyStep(0, kF1, 1, 'A')
                                .KeyStep(0, kF1, 2, kLeftClick)
                                .KeyStep(0, kF2, 1, 'B'));
    surface = std::make_unique<SurfaceProcess>(folder->path().string(), 1, std::function<void()>{},
                                               server->display());
    ASSERT_GE(surface->CommandAndWait("log on", "log on"), 0);
    StartEditor();
    StartTarget("mytarget");
    WaitUntil([this] { return desktop->ForegroundWindow() == target->window(); },
              "the target did not take the focus");
    window = WaitForWindow(*desktop, surface->pid(), [](const std::string& title) {
      return title.starts_with("Quorbel surface");
    });
    ASSERT_NE(window, 0u);
    WaitUntil([this] { return hand->Viewable(window); }, "the surface's window is not shown");
    hand->Raise(window);
  }

  // A key's centre on the screen.
  Point KeyOnScreen(int control) {
    const QRect key = surfacewindow::PictureRect(
                          *panel_layout::PlaceOf(surfacewindow::kFirstControlPicture + control))
                          .translated(-surfacewindow::SurfaceArea().topLeft());
    const Point corner = hand->Corner(window);
    return Point{corner.x + key.center().x(), corner.y + key.center().y()};
  }

  std::size_t PressesSent(std::size_t from, const std::string& control) {
    std::size_t count = 0;
    for (const std::string& bytes : surface->LinesAfter(from, "sent ")) {
      if (bytes == "BF 12 " + control) ++count;
    }
    return count;
  }

  std::unique_ptr<SecondPointer> hand;
  WindowId window = 0;
};

TEST_F(SurfaceWindowEndToEnd, AClickOnAKeyPlaysIntoTheProgramInFrontAndPlaybackClicksPressNothing) {
  const Point f1 = KeyOnScreen(kF1);
  // The playback's pointer rests on F1 too, so its click lands there.
  input->SetCursor(f1);
  const std::size_t from = surface->LineCount();
  hand->ClickAt(f1);
  EXPECT_EQ(NextKeyPress(), "a");
  EXPECT_EQ(desktop->ForegroundWindow(), target->window());
  // F2 plays once F1's sequence has ended, long after its click.
  PressOnSurface(kF2);
  EXPECT_EQ(NextKeyPress(), "b");
  EXPECT_EQ(PressesSent(from, "00"), 1u);
  EXPECT_EQ(desktop->ForegroundWindow(), target->window());
}

}  // namespace
}  // namespace quorbel::testing
