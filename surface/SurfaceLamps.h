#pragma once

namespace quorbel {

// The panel's writers to the surface: its lamps and the layer line.
class SurfaceLamps {
 public:
  virtual ~SurfaceLamps() = default;

  // Lamp of control `control` on (BF 12 n) or off (BF 13 n).
  virtual void Lamp(bool on, int control) = 0;
  // "Current Keyset Layer n" on the display, then the Shift lamp for the layer.
  virtual void WriteLayerLine() = 0;
};

}  // namespace quorbel
