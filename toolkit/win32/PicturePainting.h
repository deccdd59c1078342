#pragma once

#include <windows.h>

namespace quorbel::ui {

// Picture controls that paint themselves. The system's bitmap statics copy
// their bitmap as it is: a 32-bit image's transparent corners come out
// black, and a picture without an image is black under Wine. A picture made
// here paints its form's background (as the form's WM_CTLCOLORSTATIC gives
// it), then the pictures lying beneath it, then its own image, blending
// 32-bit images by their alpha. STM_SETIMAGE and STM_GETIMAGE set and read
// its image (IMAGE_BITMAP), which it does not own.
void PaintPictureItself(HWND picture);

// The picture's image has changed: it and the pictures lying above it,
// which show it through their transparent parts, paint again.
void RepaintPictureAndAbove(HWND picture);

}  // namespace quorbel::ui
