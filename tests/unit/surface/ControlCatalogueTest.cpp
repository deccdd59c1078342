#include "surface/ControlCatalogue.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

class ControlCatalogueTest : public ::testing::Test {
 protected:
  const ControlCatalogue catalogue;
};

TEST_F(ControlCatalogueTest, KeyGroupsAreNumberedWithoutOrWithOneBlank) {
  EXPECT_EQ(catalogue.ControlName(0), "F1");
  EXPECT_EQ(catalogue.ControlName(7), "F8");
  EXPECT_EQ(catalogue.ControlName(14), "W7");
  EXPECT_EQ(catalogue.ControlName(19), "M5");
  EXPECT_EQ(catalogue.ControlName(20), "Shift");
  EXPECT_EQ(catalogue.ControlName(24), "Down");
  EXPECT_EQ(catalogue.ControlName(27), "Bank Key 3");
  EXPECT_EQ(catalogue.ControlName(29), "Assign");
  EXPECT_EQ(catalogue.ControlName(32), "Page 1");
  EXPECT_EQ(catalogue.ControlName(39), "Page 8");
  EXPECT_EQ(catalogue.ControlName(40), "0");
  EXPECT_EQ(catalogue.ControlName(45), "5");
  EXPECT_EQ(catalogue.ControlName(50), "+/-");
  EXPECT_EQ(catalogue.ControlName(57), "FFwd");
  EXPECT_EQ(catalogue.ControlName(60), "Record");
}

TEST_F(ControlCatalogueTest, ShuttlePositionsHaveSignedNames) {
  EXPECT_EQ(catalogue.ControlName(61), "Shuttle Reverse -1");
  EXPECT_EQ(catalogue.ControlName(73), "Shuttle Reverse -13");
  EXPECT_EQ(catalogue.ControlName(81), "Shuttle Forward 1");
  EXPECT_EQ(catalogue.ControlName(93), "Shuttle Forward 13");
}

TEST_F(ControlCatalogueTest, IndicesWithoutControlsHaveNoName) {
  for (int i : {30, 31, -1, 128}) EXPECT_EQ(catalogue.ControlName(i), "") << i;
  for (int i = 74; i <= 80; ++i) EXPECT_EQ(catalogue.ControlName(i), "") << i;
  for (int i = 94; i <= 127; ++i) EXPECT_EQ(catalogue.ControlName(i), "") << i;
}

TEST_F(ControlCatalogueTest, PanelImagesKeepTheirResourceSpelling) {
  EXPECT_EQ(catalogue.PanelImages(0), (PanelImagePair{"$FuncUp", "$FuncDn"}));
  EXPECT_EQ(catalogue.PanelImages(22), (PanelImagePair{"$HorUp", "$HorDn"}));
  EXPECT_EQ(catalogue.PanelImages(32), (PanelImagePair{"$RecLedUp", "$RecLedDn"}));
  EXPECT_EQ(catalogue.PanelImages(42), (PanelImagePair{"$2up", "$2dn"}));
  EXPECT_EQ(catalogue.PanelImages(43), (PanelImagePair{"$num3up", "$num3dn"}));
  EXPECT_EQ(catalogue.PanelImages(57), (PanelImagePair{"$FFUp", "$ffDn"}));
  EXPECT_EQ(catalogue.PanelImages(126), (PanelImagePair{"$LfWheel", "$RtWheelSel"}));
  EXPECT_EQ(catalogue.PanelImages(127), (PanelImagePair{"$RtWheel", "$RtWhSel"}));
}

TEST_F(ControlCatalogueTest, EachShuttleHalfHasOnePicture) {
  const PanelImagePair lamp{"$redoff", "$redon"};
  const PanelImagePair none{};
  EXPECT_EQ(catalogue.PanelImages(61), lamp);
  EXPECT_EQ(catalogue.PanelImages(81), lamp);
  for (int i : {30, 31, 62, 73, 74, 80, 82, 93, 125})
    EXPECT_EQ(catalogue.PanelImages(i), none) << i;
}

TEST_F(ControlCatalogueTest, KeyNamesByVirtualKeyCode) {
  EXPECT_EQ(catalogue.KeyName(8), "Back Space");
  EXPECT_EQ(catalogue.KeyName(112), "F1");
  EXPECT_EQ(catalogue.KeyName(123), "F12");
  EXPECT_EQ(catalogue.KeyName(124), "");
  EXPECT_EQ(catalogue.KeyName(192), "`");
  EXPECT_EQ(catalogue.KeyName(222), "'");
  EXPECT_EQ(catalogue.KeyName(65), "");
  EXPECT_EQ(catalogue.KeyName(-1), "");
  EXPECT_EQ(catalogue.KeyName(256), "");
}

TEST_F(ControlCatalogueTest, LookupByNameFindsTheLowestCode) {
  EXPECT_EQ(catalogue.KeyCodeOfName("Minus"), 109);
  EXPECT_EQ(catalogue.KeyCodeOfName("Period"), 110);
  EXPECT_EQ(catalogue.KeyCodeOfName("Enter"), 13);
  EXPECT_EQ(catalogue.KeyCodeOfName("F12"), 123);
  EXPECT_EQ(catalogue.KeyCodeOfName("]"), 221);
  EXPECT_EQ(catalogue.KeyCodeOfName("enter"), 0);
  EXPECT_EQ(catalogue.KeyCodeOfName(""), 0);
}

TEST_F(ControlCatalogueTest, PictureIdsMapToControlIndices) {
  EXPECT_EQ(ControlCatalogue::ControlIndexOfPicture(1059), 59);
  EXPECT_EQ(catalogue.ControlName(ControlCatalogue::ControlIndexOfPicture(1000)), "F1");
}

}  // namespace
}  // namespace quorbel
