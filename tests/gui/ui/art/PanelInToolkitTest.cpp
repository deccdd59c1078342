#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "surface/PanelLayout.h"
#include "toolkit/qt/FormWindow.h"
#include "toolkit/qt/QtToolkit.h"
#include "ui/art/ArtKit.h"
#include "ui/art/DrawnImageSource.h"
#include "ui/art/PanelComposition.h"

namespace quorbel::ui {
namespace {

using panel_layout::kPanelPlaces;
using panel_layout::PanelPlace;

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
         std::abs(qBlue(a) - qBlue(b)) <= 2;
}

// The real window, with every panel picture created at its nominal size as
// the main window does, looks exactly like the composed panel: each picture
// took its image's size and stands in its place, stacked the same way.
TEST(PanelInToolkitTest, TheWindowShowsThePanelAsComposed) {
  QtToolkit toolkit(DrawnOrFolderImages());
  const QColor chassis = art::Palette::Chassis();
  toolkit.DefineColour(32, chassis.red(), chassis.green(), chassis.blue());
  toolkit.CreateForm("MAIN", "", "QuorbelU",
                     {0, 0, panel_layout::kWindowColumns, panel_layout::kWindowRows}, "",
                     kDefaultColour, 32);
  for (const PanelPlace& place : kPanelPlaces) {
    const bool key = place.id >= 1040 && place.id <= 1060;
    toolkit.AddControl("MAIN", {ControlKind::Picture,
                                place.id,
                                {place.column, place.row, key ? 4.125 : 1, key ? 2.0625 : 1},
                                std::string(place.image),
                                place.hiddenAtStart ? "H" : ""});
  }
  auto* window = dynamic_cast<FormWindow*>(QWidget::find(toolkit.Handle("MAIN")));
  ASSERT_NE(window, nullptr);
  const QImage shown = window->Client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // The composition also draws the light strip along the top, which here
  // has no label; compare below it.
  const QImage composed = art::RenderPanel(1).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), composed.size());
  int differing = 0;
  for (int y = panel_layout::RowToPixels(1.75); y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (!Near(shown.pixel(x, y), composed.pixel(x, y))) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace quorbel::ui
