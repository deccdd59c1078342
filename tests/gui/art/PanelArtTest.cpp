#include "ui/art/PanelArt.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "surface/ControlCatalogue.h"

namespace quorbel::art {
namespace {

// The panel's image table: released and pressed image of every slot; an
// empty name where a slot has no image in that column.
std::vector<std::pair<std::string, std::string>> PanelImageTable() {
  std::vector<std::pair<std::string, std::string>> table;
  for (int digit = 0; digit <= 9; ++digit) {
    const std::string stem = (digit <= 2 ? "$" : "$num") + std::to_string(digit);
    table.emplace_back(stem + "up", stem + "dn");
  }
  table.insert(table.end(), {{"$SignUp", "$SignDn"},
                             {"$EnterUp", "$EnterDn"},
                             {"$ModeUp", "$ModeDn"},
                             {"$SetUp", "$SetDn"},
                             {"$ClearUp", "$ClearDn"},
                             {"$LastUp", "$LastDn"},
                             {"$RewUp", "$RewDn"},
                             {"$FFUp", "$ffDn"},
                             {"$StopUp", "$StopDn"},
                             {"$PlayUp", "$PlayDn"},
                             {"$RecUp", "$RecDn"},
                             {"$w1", "$JogShuttle"},
                             {"$w2", "$QuorbelLogo"},
                             {"$w3", "$TimeCode"},
                             {"$w4", ""},
                             {"$w5", ""},
                             {"$w6", ""},
                             {"$w7", ""},
                             {"$w8", ""},
                             {"$SqUp", "$SqDn"},
                             {"$Fkeys", ""},
                             {"$FuncUp", "$FuncDn"},
                             {"$ShiftUp", "$ShiftDn"},
                             {"$HorUp", "$HorDn"},
                             {"$VertUp", "$VertDn"},
                             {"$Page", "$Lcd"},
                             {"$RecLedUp", "$RecLedDn"},
                             {"$EncLf", "$EncLfSel"},
                             {"$EncRt", "$EncRtSel"},
                             {"$LfWheel", "$RtWheelSel"},
                             {"$RtWheel", "$RtWhSel"},
                             {"$MLedUp", "$MLedDn"},
                             {"$MStrip", ""},
                             {"$Bank1", "$Bank2"},
                             {"$Bank3", "$Bank4"},
                             {"$Screw", "$WRest"},
                             {"$Red1off", "$Red1on"},
                             {"$AssignUp", "$AssignDn"},
                             {"", "$JogDn"},
                             {"", "$ShuttleDn"},
                             {"$redoff", "$redon"}});
  return table;
}

std::vector<std::string> EveryImageName() {
  std::vector<std::string> names = {"$Assign", "$program"};
  for (const auto& [released, pressed] : PanelImageTable()) {
    if (!released.empty()) names.push_back(released);
    if (!pressed.empty()) names.push_back(pressed);
  }
  return names;
}

bool HasPaint(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) != 0) return true;
    }
  }
  return false;
}

TEST(PanelArtTest, EveryImageIsDrawnAtItsSizeAndTwiceThatAtDoubleScale) {
  for (const std::string& name : EveryImageName()) {
    SCOPED_TRACE(name);
    const QSize size = PanelImageSize(name);
    ASSERT_FALSE(size.isEmpty());
    const QImage normal = DrawPanelImage(name, 1);
    ASSERT_FALSE(normal.isNull());
    EXPECT_EQ(normal.size(), size);
    EXPECT_TRUE(HasPaint(normal));
    const QImage doubled = DrawPanelImage(name, 2);
    EXPECT_EQ(doubled.size(), size * 2);
    EXPECT_EQ(doubled.devicePixelRatio(), 2);
  }
}

TEST(PanelArtTest, ReleasedAndPressedImagesDifferButShareTheirSize) {
  const ControlCatalogue catalogue;
  std::vector<std::pair<std::string, std::string>> pairs;
  for (int index = 0; index < kControlCount; ++index) {
    const PanelImagePair& images = catalogue.PanelImages(index);
    if (!images.released.empty()) pairs.emplace_back(images.released, images.pressed);
  }
  pairs.insert(pairs.end(), {{"$ShiftUp", "$ShiftDn"},
                             {"$EncLf", "$EncLfSel"},
                             {"$EncRt", "$EncRtSel"},
                             {"$Red1off", "$Red1on"}});
  for (const auto& [released, pressed] : pairs) {
    SCOPED_TRACE(released + " / " + pressed);
    EXPECT_EQ(PanelImageSize(released), PanelImageSize(pressed));
    EXPECT_NE(DrawPanelImage(released, 1), DrawPanelImage(pressed, 1));
  }
}

TEST(PanelArtTest, NamesAreFoundWhateverTheirCase) {
  EXPECT_EQ(DrawPanelImage("$FFUP", 1), DrawPanelImage("$ffup", 1));
  EXPECT_EQ(PanelImageSize("$ffDn"), PanelImageSize("$FFDN"));
  EXPECT_EQ(PanelImageSize("$LCD"), PanelImageSize("$Lcd"));
}

TEST(PanelArtTest, UnknownNamesAndScalesGiveNoImage) {
  EXPECT_TRUE(DrawPanelImage("$NoSuchKey", 1).isNull());
  EXPECT_TRUE(DrawPanelImage("FuncUp", 1).isNull());
  EXPECT_TRUE(DrawPanelImage("", 1).isNull());
  EXPECT_TRUE(PanelImageSize("$NoSuchKey").isEmpty());
  EXPECT_TRUE(DrawPanelImage("$FuncUp", 0).isNull());
  EXPECT_TRUE(DrawPanelImage("$FuncUp", -1).isNull());
}

// The overlays that light "JOG" and "SHUTTLE" are cut from the strip they
// cover: where the strip is not lit, both look the same.
TEST(PanelArtTest, JogAndShuttleOverlaysTogetherSpanTheirStrip) {
  const QSize strip = PanelImageSize("$JogShuttle");
  const QSize jog = PanelImageSize("$JogDn");
  const QSize shuttle = PanelImageSize("$ShuttleDn");
  EXPECT_EQ(jog.width() + shuttle.width(), strip.width());
  EXPECT_EQ(jog.height(), strip.height());
  EXPECT_EQ(shuttle.height(), strip.height());
}

}  // namespace
}  // namespace quorbel::art
