// The renderer's device on Windows: bands go to a device context with
// SetDIBitsToDevice, and the page frame is a dotted blue pen combined by
// the mask-pen raster operation.
#pragma once

#include <windows.h>

#include "previewer/render/render_device.h"

namespace mox {

class GdiRenderDevice final : public RenderDevice {
 public:
  explicit GdiRenderDevice(HDC dc) : dc_(dc) {}

  int ColourCount() const override;
  void CopyBand(const BandImage& band, int rows, int x, int y) override;
  void DrawFrame(int left, int top, int right, int bottom) override;

 private:
  HDC dc_;
};

}  // namespace mox
