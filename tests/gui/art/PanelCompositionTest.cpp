#include <gtest/gtest.h>

#include <QRect>
#include <map>
#include <set>
#include <string>

#include "ui/art/PanelArt.h"
#include "ui/art/PanelComposition.h"
#include "ui/art/PanelLayout.h"

namespace quorbel::art {
namespace {

QRect PlaceRect(const PanelPlace& place) {
  return {QPoint(ColumnToPixels(place.column), RowToPixels(place.row)),
          PanelImageSize(place.image)};
}

QRect WindowRect() { return {0, 0, ColumnToPixels(kWindowColumns), RowToPixels(kWindowRows)}; }

// Pictures that are mounted on a larger one and so lie wholly inside it:
// the page keys on the display module, the F keys on their plate, and the
// lit "JOG" and "SHUTTLE" over their strip.
const std::map<int, std::set<int>>& Mounts() {
  static const std::map<int, std::set<int>> mounts = {
      {330, {1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039}},
      {270, {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007}},
      {290, {295, 296}}};
  return mounts;
}

bool MountedOn(int id, int base) {
  const auto found = Mounts().find(base);
  return found != Mounts().end() && found->second.contains(id);
}

TEST(PanelCompositionTest, EveryPictureHasItsImageAndLiesInsideTheWindow) {
  for (const PanelPlace& place : kPanelPlaces) {
    SCOPED_TRACE(place.id);
    ASSERT_FALSE(PanelImageSize(place.image).isEmpty()) << place.image;
    EXPECT_TRUE(WindowRect().contains(PlaceRect(place)));
  }
}

TEST(PanelCompositionTest, NoTwoPicturesOverlapExceptThoseMountedOnAnother) {
  for (const PanelPlace& a : kPanelPlaces) {
    for (const PanelPlace& b : kPanelPlaces) {
      if (a.id >= b.id || !PlaceRect(a).intersects(PlaceRect(b))) continue;
      SCOPED_TRACE(std::to_string(a.id) + " and " + std::to_string(b.id));
      if (MountedOn(a.id, b.id)) {
        EXPECT_TRUE(PlaceRect(b).contains(PlaceRect(a)));
      } else if (MountedOn(b.id, a.id)) {
        EXPECT_TRUE(PlaceRect(a).contains(PlaceRect(b)));
      } else {
        ADD_FAILURE() << "overlap";
      }
    }
  }
}

TEST(PanelCompositionTest, ThePanelIsRenderedAtTheWindowsSizeTimesTheScale) {
  EXPECT_EQ(RenderPanel(1).size(), WindowRect().size());
  EXPECT_EQ(RenderPanel(2).size(), WindowRect().size() * 2);
}

// The toolkit lays a picture out from its place: a key drawn where the
// layout says shows its key cap there, not the chassis.
TEST(PanelCompositionTest, PicturesAppearAtTheirPlaces) {
  const QImage panel = RenderPanel(1);
  const QColor chassis = panel.pixelColor(WindowRect().width() - 40, 200);
  for (const int id : {1000, 1040, 1059, 1126, 330}) {
    const QRect where = PlaceRect(*PlaceOf(id));
    EXPECT_NE(panel.pixelColor(where.center()), chassis) << id;
  }
}

}  // namespace
}  // namespace quorbel::art
