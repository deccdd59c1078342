#include "WindowFixture.h"

#include <QPixmap>

#include "tools/surfacewindow/SurfaceGeometry.h"
#include "surface/PanelLayout.h"

namespace quorbel::surfacewindow {

WindowFixture::WindowFixture()
    : window_(state_, controls_, [this](const surfacetool::Command& command) {
        commands_.push_back(command);
        controls_.Sent(surfacetool::BytesToSend(command));
        window_.StateChanged();
      }) {
  window_.show();
}

QRect WindowFixture::RectOf(int id) {
  return PictureRect(*panel_layout::PlaceOf(id)).translated(-SurfaceArea().topLeft());
}

QPoint WindowFixture::CentreOf(int id) { return RectOf(id).center(); }

QPoint WindowFixture::AtPanel(QPointF panel) {
  return (panel - QPointF(SurfaceArea().topLeft())).toPoint();
}

void WindowFixture::Receive(const std::vector<std::uint8_t>& bytes) {
  for (std::size_t at = 0; at + 3 <= bytes.size(); at += 3) {
    state_.Apply(std::span(bytes).subspan(at, 3));
  }
  window_.StateChanged();
}

void WindowFixture::WriteText(int position, const std::string& text) {
  std::vector<std::uint8_t> bytes{0xBF, 0x14, static_cast<std::uint8_t>(position)};
  for (char c : text) bytes.insert(bytes.end(), {0xBF, 0x15, static_cast<std::uint8_t>(c)});
  Receive(bytes);
}

QImage WindowFixture::Grab() { return window_.grab().toImage(); }

std::vector<std::uint8_t> WindowFixture::TakeSent() {
  std::vector<std::uint8_t> bytes;
  for (const auto& command : commands_) {
    const auto sent = surfacetool::BytesToSend(command);
    bytes.insert(bytes.end(), sent.begin(), sent.end());
  }
  commands_.clear();
  return bytes;
}

bool DiffersIn(const QImage& a, const QImage& b, const QRect& area) {
  const qreal scale = a.devicePixelRatio();
  const QRect pixels(area.topLeft() * scale, area.size() * scale);
  for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return true;
    }
  }
  return false;
}

}  // namespace quorbel::surfacewindow
