#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::art {

// The surface panel's images, drawn as vectors so that they stay sharp at
// any scale. Names are the panel's image names ("$FuncUp", "$ffDn", ...),
// compared without regard to case, plus the label "$Assign" and the program
// icon "$program". Drawing needs a running QGuiApplication (for the fonts).

// The image at `scale` times its normal size, with that device pixel ratio;
// a null image for a name that is not a panel image.
QImage DrawPanelImage(std::string_view name, double scale);

// The image's size in pixels at normal scale; an empty size for an unknown
// name. A picture created 1 by 1 takes this size.
QSize PanelImageSize(std::string_view name);

// Every name the artwork draws, in lower case with the "$", in order.
std::vector<std::string> PanelImageNames();

}  // namespace quorbel::art
