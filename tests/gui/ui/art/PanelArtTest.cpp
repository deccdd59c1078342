#include "ui/art/PanelArt.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "surface/ControlCatalogue.h"
#include "surface/PanelImages.h"

namespace quorbel::art {
namespace {

// Every image of the panel's slot table, the label "$Assign" and the icon.
std::vector<std::string> EveryImageName() {
  std::vector<std::string> names = {"$Assign", "$program"};
  for (int slot = 0; slot < kPanelImageSlots; ++slot) {
    for (const int column : {kReleased, kPressed}) {
      const std::string_view name = PanelImageName(slot, column);
      if (!name.empty()) names.emplace_back(name);
    }
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
  const std::vector<std::string> names = EveryImageName();
  ASSERT_GT(names.size(), 90u);
  for (const std::string& name : names) {
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
