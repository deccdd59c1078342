// The compositors' IPC answers, read from samples recorded from a running
// compositor, and the damaged answers a compositor in trouble might give.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/linux/wayland/HyprlandAnswers.h"
#include "platform/linux/wayland/SwayAnswers.h"

namespace quorbel::wayland {
namespace {

std::string Sample(const std::string& name) {
  std::ifstream file(std::string(QUORBEL_ANSWERS_DIR) + "/" + name);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

const CompositorWindow* Focused(const std::vector<CompositorWindow>& windows) {
  for (const auto& window : windows) {
    if (window.focused) return &window;
  }
  return nullptr;
}

TEST(SwayAnswers, TheTreeGivesEveryViewWithItsProcessTitleClassAndContent) {
  const auto windows = ReadSwayTree(Sample("sway-tree.json"));
  ASSERT_TRUE(windows);
  ASSERT_EQ(windows->size(), 3u);
  const CompositorWindow* focused = Focused(*windows);
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->title, "second");
  EXPECT_EQ(focused->windowClass, "quorbel-target");
  EXPECT_EQ(focused->processId, 16492);
  EXPECT_EQ(focused->id, 8u);
  // The content lies inside the node's borders.
  EXPECT_EQ(focused->content, (Rect{642, 60, 636, 738}));
  // The floating window is among them.
  EXPECT_EQ(windows->back().title, "floating");
  EXPECT_EQ(windows->back().processId, 16489);
}

TEST(SwayAnswers, AnXWaylandViewIsKnownByItsXClass) {
  // As sway describes an XWayland window: no application id, its X class
  // among the window properties.
  const auto windows = ReadSwayTree(
      R"({"type": "root", "nodes": [{"type": "workspace", "nodes": [
           {"id": 12, "type": "con", "name": "xterm", "app_id": null, "pid": 4321,
            "shell": "xwayland", "window": 4194318,
            "window_properties": {"class": "XTerm", "instance": "xterm", "title": "xterm"},
            "rect": {"x": 0, "y": 0, "width": 640, "height": 480},
            "window_rect": {"x": 2, "y": 0, "width": 636, "height": 478}}]}]})");
  ASSERT_TRUE(windows);
  ASSERT_EQ(windows->size(), 1u);
  EXPECT_EQ(windows->front().windowClass, "XTerm");
  EXPECT_EQ(windows->front().processId, 4321);
}

TEST(SwayAnswers, TheLayoutSpansEveryActiveOutput) {
  EXPECT_EQ(ReadSwayLayout(Sample("sway-outputs.json")), (Rect{0, 0, 1280, 800}));
  EXPECT_EQ(
      ReadSwayLayout(R"([{"active": true, "rect": {"x": 0, "y": 200, "width": 800, "height": 600}},
                               {"active": false, "rect": {"x": -900, "y": 0, "width": 900, "height": 900}},
                               {"active": true, "rect": {"x": 800, "y": 0, "width": 1920, "height": 1080}}])"),
      (Rect{0, 0, 2720, 1080}));
}

TEST(HyprlandAnswers, ClientsGiveTheMappedWindowsAndMarkTheActiveOne) {
  const auto active = ReadHyprlandActiveWindow(Sample("hyprland-activewindow.json"));
  ASSERT_TRUE(active);
  EXPECT_EQ(*active, 0x55d8a1c51f00u);
  const auto windows = ReadHyprlandClients(Sample("hyprland-clients.json"), *active);
  ASSERT_TRUE(windows);
  ASSERT_EQ(windows->size(), 2u);  // the unmapped one left out
  const CompositorWindow* focused = Focused(*windows);
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->processId, 5150);
  EXPECT_EQ(focused->windowClass, "xterm");
  EXPECT_EQ(focused->content, (Rect{1290, 42, 620, 1010}));
  EXPECT_EQ(windows->front().title, "Untitled Document 1");
}

TEST(HyprlandAnswers, NoActiveWindowIsAnEmptyObject) {
  EXPECT_EQ(ReadHyprlandActiveWindow("{}"), WindowId{0});
}

TEST(HyprlandAnswers, TheLayoutIsInLogicalPixels) {
  // The first monitor's 2560 pixels at scale 2 are 1280 logical ones.
  EXPECT_EQ(ReadHyprlandLayout(Sample("hyprland-monitors.json")), (Rect{0, 0, 3200, 1080}));
  EXPECT_EQ(ReadHyprlandCursor(R"({"x": 812, "y": 400})"), (Point{812, 400}));
}

TEST(CompositorAnswers, DamagedAnswersAreRefusedAndOddFieldsReadAsAbsent) {
  for (const char* damaged : {"", "{", "[1, 2", "not json", "\"text\""}) {
    EXPECT_FALSE(ReadSwayTree(damaged)) << damaged;
    EXPECT_FALSE(ReadHyprlandClients(damaged, 0)) << damaged;
    EXPECT_FALSE(ReadHyprlandActiveWindow(damaged)) << damaged;
    EXPECT_FALSE(ReadSwayLayout(damaged)) << damaged;
  }
  // Fields of the wrong type, a process id out of range, an address that is
  // no number: nothing throws, nothing is made up.
  const auto odd = ReadSwayTree(
      R"({"nodes": [{"id": "7", "pid": 99999999999, "name": 5, "app_id": null,
          "rect": {"x": "a"}, "window_rect": [], "focused": "yes"}]})");
  ASSERT_TRUE(odd);
  ASSERT_EQ(odd->size(), 1u);
  EXPECT_EQ(odd->front().processId, 0);
  EXPECT_EQ(odd->front().title, "");
  EXPECT_FALSE(odd->front().focused);
  EXPECT_FALSE(ReadHyprlandActiveWindow(R"({"address": "0xZZ"})"));
  const auto clients =
      ReadHyprlandClients(R"([{"address": "0x10", "at": [1], "size": [2, 3]}])", 0);
  ASSERT_TRUE(clients);
  EXPECT_TRUE(clients->empty());
}

TEST(CompositorAnswers, AHostileDeepTreeEndsTheWalkInsteadOfTheStack) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += R"({"nodes": [)";
  deep += R"({"id": 1, "pid": 5})";
  for (int i = 0; i < 5000; ++i) deep += "]}";
  const auto windows = ReadSwayTree(deep);
  // nlohmann refuses nesting this deep or the walk stops: either way no crash.
  if (windows) {
    EXPECT_TRUE(windows->empty());
  }
}

}  // namespace
}  // namespace quorbel::wayland
