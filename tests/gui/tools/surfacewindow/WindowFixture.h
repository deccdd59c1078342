#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/surface/ScriptCommand.h"
#include "tools/surface/SurfaceState.h"
#include "tools/surfacewindow/SurfaceWindow.h"

namespace quorbel::surfacewindow {

// A surface window over a state the test feeds, recording the bytes that the
// window's commands send and showing them sent, as the running surface does.
class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture();

  // Where picture `id` lies in the window.
  static QRect RectOf(int id);
  static QPoint CentreOf(int id);
  // A point of the window on the main window's pixel `panel`.
  static QPoint AtPanel(QPointF panel);

  // The program sends `bytes` to the surface.
  void Receive(const std::vector<std::uint8_t>& bytes);
  void WriteText(int position, const std::string& text);
  QImage Grab();

  // Everything sent so far, and then forgotten.
  std::vector<std::uint8_t> TakeSent();

  surfacetool::SurfaceState state_;
  surfacetool::SentControls controls_;
  std::vector<surfacetool::Command> commands_;
  SurfaceWindow window_;
};

// True when the two images differ anywhere inside `area`.
bool DiffersIn(const QImage& a, const QImage& b, const QRect& area);

}  // namespace quorbel::surfacewindow
