#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <filesystem>

#include "WindowFixture.h"
#include "tests/support/TempFolder.h"
#include "tools/surface/SurfaceTool.h"
#include "tools/surfacewindow/SurfaceGeometry.h"
#include "tools/surfacewindow/ToolDriver.h"

namespace quorbel::surfacewindow {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The running surface with its window in this thread's event loop, its
// commands read from a pipe, and the editor's end of its pseudo-terminal.
class ToolDriverTest : public ::testing::Test {
 protected:
  ToolDriverTest() {
    EXPECT_EQ(::pipe2(input_, O_CLOEXEC), 0);
    surfacetool::ToolOptions options;
    options.dir = dir_;
    options.port = 7;
    tool_ = std::make_unique<surfacetool::SurfaceTool>(options, input_[0]);
    driver_ = std::make_unique<ToolDriver>(*tool_, -1, [this] { finished_ = true; });
    window_ = std::make_unique<SurfaceWindow>(
        tool_->State(), tool_->Controls(),
        [this](const surfacetool::Command& command) { driver_->Execute(command); });
    tool_->SetChangeListener([this] { window_->StateChanged(); });
    EXPECT_TRUE(tool_->Start());
    driver_->Follow();
    window_->show();
    OpenEditorEnd();
  }
  void OpenEditorEnd() {
    editor_ = ::open((dir_ + "/ports/com7").c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(editor_, 0);
    termios settings{};
    ::tcgetattr(editor_, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(editor_, TCSANOW, &settings);
  }
  ~ToolDriverTest() override {
    tool_->SetChangeListener({});
    tool_->Stop();
    ::close(editor_);
    ::close(input_[0]);
    ::close(input_[1]);
  }

  void EditorSends(const Bytes& bytes) {
    ASSERT_EQ(::write(editor_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void Type(const std::string& line) {
    ASSERT_EQ(::write(input_[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
  }
  // Serves the event loop until `count` bytes reached the editor, or a while.
  Bytes EditorReads(std::size_t count) {
    Bytes bytes;
    QElapsedTimer waited;
    waited.start();
    while (bytes.size() < count && waited.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      pollfd ready{editor_, POLLIN, 0};
      if (::poll(&ready, 1, 10) <= 0) continue;
      std::uint8_t chunk[64];
      const ssize_t got = ::read(editor_, chunk, sizeof chunk);
      if (got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
  }
  template <typename Done>
  bool ServeUntil(Done done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
  }

  TempFolder folder_{"surfacewindow-"};
  std::string dir_ = folder_.Path().string();
  int input_[2] = {-1, -1};
  int editor_ = -1;
  bool finished_ = false;
  std::unique_ptr<surfacetool::SurfaceTool> tool_;
  std::unique_ptr<ToolDriver> driver_;
  std::unique_ptr<SurfaceWindow> window_;
};

QPoint CentreOf(int id) {
  return PictureRect(*panel_layout::PlaceOf(id)).translated(-SurfaceArea().topLeft()).center();
}

TEST_F(ToolDriverTest, AClickReachesTheEditorAndTheEditorsLampReachesTheWindow) {
  QTest::mouseClick(window_.get(), Qt::LeftButton, Qt::NoModifier, CentreOf(1059));
  EXPECT_EQ(EditorReads(6), (Bytes{0xBF, 0x12, 0x3B, 0xBF, 0x13, 0x3B}));

  const QImage dark = window_->grab().toImage();
  EditorSends({0xBF, 0x12, 0x3B, 0xBF, 0x14, 0x02, 0xBF, 0x15, 'Q'});
  ASSERT_TRUE(ServeUntil([this] { return tool_->State().LampOn(59); }));
  ASSERT_TRUE(ServeUntil([this] { return tool_->State().DisplayAt(2) == "Q"; }));
  const QImage lit = window_->grab().toImage();
  EXPECT_TRUE(DiffersIn(
      dark, lit, PictureRect(*panel_layout::PlaceOf(1059)).translated(-SurfaceArea().topLeft())));
}

TEST_F(ToolDriverTest, CommandsStillWorkAndAnswersStillGoOutBesideTheWindow) {
  Type("press 5\njog left 2\n");
  EXPECT_EQ(EditorReads(9), (Bytes{0xBF, 0x12, 0x05, 0xBF, 0x65, 0x40, 0xBF, 0x65, 0x40}));
  // A late answer falls due on the event loop's timer.
  Type("answer late 50\npress 9\n");
  EXPECT_EQ(EditorReads(3), (Bytes{0xBF, 0x12, 0x09}));
  EditorSends({0xF0, 0x7D, 0x25, 0x03, 0xF7});
  EXPECT_EQ(EditorReads(11), surfacetool::SurfaceSimulator::IdentityReply());
  // Unplugging and plugging in again makes a new terminal, which is followed too.
  Type("unplug\nplug\nanswer normal\n");
  ASSERT_TRUE(ServeUntil([this] { return tool_->PlugCount() == 2; }));
  ::close(editor_);
  OpenEditorEnd();
  EditorSends({0xF0, 0x7D, 0x25, 0x03, 0xF7});
  EXPECT_EQ(EditorReads(11), surfacetool::SurfaceSimulator::IdentityReply());
  Type("quit\n");
  EXPECT_TRUE(ServeUntil([this] { return finished_; }));
}

TEST_F(ToolDriverTest, KeysTheShuttleAndTheJogWheelMovedByCommandsShowInTheWindow) {
  const QImage idle = window_->grab().toImage();
  auto rectOf = [](int id) {
    return PictureRect(*panel_layout::PlaceOf(id)).translated(-SurfaceArea().topLeft());
  };
  Type("press 45\nshuttle 3\n");
  ASSERT_TRUE(ServeUntil([this] { return tool_->Controls().ShuttlePosition() == 3; }));
  const QImage moved = window_->grab().toImage();
  EXPECT_TRUE(DiffersIn(idle, moved, rectOf(1045)));
  EXPECT_TRUE(DiffersIn(idle, moved, rectOf(kForwardLamp)));
  EXPECT_FALSE(DiffersIn(idle, moved, rectOf(kReverseLamp)));

  Type("release 45\nshuttle 0\njog right\n");
  ASSERT_TRUE(ServeUntil([this] { return tool_->Controls().JogSteps() == 1; }));
  const QImage turning = window_->grab().toImage();
  EXPECT_TRUE(DiffersIn(idle, turning, rectOf(kRightWheelHalf)));
  EXPECT_FALSE(DiffersIn(idle, turning, rectOf(1045)));
  // The wheel looks still again a moment after its last step.
  EXPECT_TRUE(ServeUntil([&] { return window_->grab().toImage() == idle; }));
}

}  // namespace
}  // namespace quorbel::surfacewindow
