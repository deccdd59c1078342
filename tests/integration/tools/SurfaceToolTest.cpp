#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/SurfaceProcess.h"
#include "tests/support/TempFolder.h"

namespace quorbel::testing {
namespace {

// The surface program must never leave a link to a dead terminal behind,
// which the editor would then open as a port that never answers.
TEST(SurfaceToolTest, LinkIsMadeOnStartAndRemovedOnQuitEndOfInputAndSignals) {
  WorkingFolder folder{"quorbel-surface-"};
  for (int signal : {0, SIGTERM, SIGINT}) {
    SurfaceProcess surface(folder.Path(), 4);
    ASSERT_TRUE(surface.NextLine("ready com4"));
    EXPECT_TRUE(std::filesystem::is_symlink("ports/com4"));
    EXPECT_TRUE(std::filesystem::exists("ports/com4"));
    if (signal != 0) {
      const int status = surface.Stop(signal);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "signal " << signal;
      EXPECT_FALSE(std::filesystem::is_symlink("ports/com4")) << "signal " << signal;
    } else {
      surface.Command("quit");
      ASSERT_FALSE(surface.NextLine("never"));
      EXPECT_FALSE(std::filesystem::is_symlink("ports/com4"));
    }
  }
}

TEST(SurfaceToolTest, UnplugRemovesTheLinkAndPlugMakesANewOne) {
  WorkingFolder folder{"quorbel-surface-"};
  SurfaceProcess surface(folder.Path(), 1);
  ASSERT_TRUE(surface.NextLine("ready com1"));
  surface.Command("unplug");
  ASSERT_TRUE(surface.NextLine("unplugged"));
  EXPECT_FALSE(std::filesystem::is_symlink("ports/com1"));
  surface.Command("press 1");
  EXPECT_TRUE(surface.NextLine("error: unplugged"));
  surface.Command("plug");
  ASSERT_TRUE(surface.NextLine("ready com1"));
  EXPECT_TRUE(std::filesystem::exists("ports/com1"));
}

}  // namespace
}  // namespace quorbel::testing
