#pragma once

#include <QImage>
#include <functional>
#include <string_view>

#include "surface/PanelLayout.h"

namespace quorbel::art {

// The panel's layout is what the art draws to.
using namespace panel_layout;

// The image a picture shows at the moment; an empty name hides it.
using PanelShows = std::function<std::string_view(const PanelPlace&)>;

// What the window shows when it opens: every picture its first image, the
// jog and shuttle overlays hidden.
std::string_view OpeningImage(const PanelPlace& place);

// The main window's surface at `scale` times normal size: the chassis
// colour, the light strip along the top and every picture in its place,
// showing what `shows` says. Pictures placed earlier lie on top.
QImage RenderPanel(double scale, const PanelShows& shows = OpeningImage);

}  // namespace quorbel::art
