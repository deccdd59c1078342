#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <string>
#include <string_view>

#include "surface/PanelLayout.h"

namespace quorbel::surfacewindow {

// Where things are on the simulated surface. The surface is the panel's part
// of the editor's main window (the first 64 columns, below the strip along
// the top), so its pictures lie where the editor's panel has them. All
// coordinates here are the main window's pixels at normal scale.

QRect SurfaceArea();

QRect PictureRect(const panel_layout::PanelPlace& place);

inline constexpr int kFirstControlPicture = 1000;
inline constexpr int kLastKeyPicture = 1060;
inline constexpr int kReverseLamp = 1061;
inline constexpr int kForwardLamp = 1081;
inline constexpr int kLeftWheelHalf = 1126;
inline constexpr int kRightWheelHalf = 1127;
inline constexpr int kJogOverlay = 295;
inline constexpr int kShuttleOverlay = 296;

// The key, or shuttle lamp, whose picture is at `point`: its picture ID, or 0.
int PictureAt(QPointF point);

// The jog wheel inside, the shuttle ring round it.
enum class WheelPart { None, Jog, Ring };
WheelPart WheelPartAt(QPointF point);
QPointF WheelCentre();
// The pointer's angle round the wheel's centre, counter-clockwise, in degrees.
double AngleOnWheel(QPointF point);

// Keys that carry a lamp the program can switch: F keys, M keys, Shift, Bank
// keys, Assign, Page keys and the transport keys.
bool HasLamp(int control);

// The image a picture shows when pressed or lit: the second image of its pair.
std::string PressedImage(std::string_view image);

// The glass of the text display, inside the display module's bezel.
QRectF DisplayGlass();

}  // namespace quorbel::surfacewindow
