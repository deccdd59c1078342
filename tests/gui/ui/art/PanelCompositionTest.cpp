#include <gtest/gtest.h>

#include <QRect>
#include <map>
#include <set>
#include <string>

#include "surface/ControlCatalogue.h"
#include "ui/art/PanelArt.h"
#include "ui/art/PanelComposition.h"
#include "surface/PanelLayout.h"

namespace quorbel::art {

// The panel's layout is what the art draws to.
using namespace panel_layout;
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

// The layout and the control catalogue must agree, or a control would
// open showing another control's image, or have no picture at all.
TEST(PanelCompositionTest, EveryControlWithImagesHasAPictureShowingItsReleasedImage) {
  const ControlCatalogue catalogue;
  for (int index = 0; index < kControlCount; ++index) {
    SCOPED_TRACE(index);
    const PanelPlace* place = PlaceOf(kPanelPictureBase + index);
    const std::string& released = catalogue.PanelImages(index).released;
    if (released.empty()) {
      EXPECT_EQ(place, nullptr);
    } else {
      ASSERT_NE(place, nullptr);
      EXPECT_EQ(place->image, released);
    }
  }
}

TEST(PanelCompositionTest, EachWLabelSitsBelowAndRightOfItsKey) {
  for (int w = 0; w < 7; ++w) {
    const PanelPlace* key = PlaceOf(1008 + w);
    const PanelPlace* label = PlaceOf(250 + w);
    EXPECT_EQ(label->image, "$w" + std::to_string(w + 1));
    EXPECT_DOUBLE_EQ(label->column, key->column + 0.5);
    EXPECT_DOUBLE_EQ(label->row, key->row + 1.625);
  }
}

// Shown over the strip, a lit overlay must change what the user sees.
TEST(PanelCompositionTest, JogAndShuttleOverlaysLightTheirPartOfTheStrip) {
  const QImage strip = DrawPanelImage("$JogShuttle", 1);
  const QImage jog = DrawPanelImage("$JogDn", 1);
  const QImage shuttle = DrawPanelImage("$ShuttleDn", 1);
  const int jogOffset = ColumnToPixels(PlaceOf(295)->column) - ColumnToPixels(PlaceOf(290)->column);
  const int shuttleOffset =
      ColumnToPixels(PlaceOf(296)->column) - ColumnToPixels(PlaceOf(290)->column);
  EXPECT_NE(strip.copy(QRect(QPoint(jogOffset, 0), jog.size())), jog);
  EXPECT_NE(strip.copy(QRect(QPoint(shuttleOffset, 0), shuttle.size())), shuttle);
}

TEST(PanelCompositionTest, AnOverlayShownLiesAboveTheStripItLights) {
  const QImage opening = RenderPanel(1);
  for (const int overlay : {295, 296}) {
    const QImage lit = RenderPanel(1, [overlay](const PanelPlace& place) {
      return place.id == overlay ? place.image : OpeningImage(place);
    });
    const QRect where = PlaceRect(*PlaceOf(overlay));
    EXPECT_NE(opening.copy(where), lit.copy(where)) << overlay;
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
