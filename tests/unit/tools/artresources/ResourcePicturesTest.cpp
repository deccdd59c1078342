#include "toolkit/ResourcePictures.h"

#include <gtest/gtest.h>

namespace quorbel::ui {
namespace {

TEST(ResourcePictureNames, NamesAreUpperCaseWithoutTheMarkAndNeverStartWithADigit) {
  EXPECT_EQ(ResourcePictureName("$FuncUp", 150), "ART_FUNCUP_150");
  EXPECT_EQ(ResourcePictureName("FuncUp", 150), "ART_FUNCUP_150");
  EXPECT_EQ(ResourcePictureName("$0up", 100), "ART_0UP_100");
  EXPECT_EQ(ResourcePictureName("$num7dn", 200), "ART_NUM7DN_200");
  EXPECT_EQ(ResourceIconName(kProgramIcon), "ART_PROGRAM");
}

TEST(ResourcePictureNames, AScreenTakesTheLeastScaleThatIsNotSmallerOrTheLargest) {
  EXPECT_EQ(ResourceScaleFor(96), 100);
  EXPECT_EQ(ResourceScaleFor(72), 100);
  EXPECT_EQ(ResourceScaleFor(97), 125);
  EXPECT_EQ(ResourceScaleFor(120), 125);
  EXPECT_EQ(ResourceScaleFor(144), 150);
  EXPECT_EQ(ResourceScaleFor(168), 200);
  EXPECT_EQ(ResourceScaleFor(192), 200);
  EXPECT_EQ(ResourceScaleFor(288), 200);
}

}  // namespace
}  // namespace quorbel::ui
