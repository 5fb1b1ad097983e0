// A device that puts what is drawn on it further along another: the
// continuous view draws each page as the single view would, at its own
// place in the stack of pages.
#pragma once

#include <cstdint>

#include "previewer/render/render_device.h"

namespace mox {

class OffsetDevice final : public RenderDevice {
 public:
  OffsetDevice(RenderDevice& device, int dx, int dy) : device_(device), dx_(dx), dy_(dy) {}
  int ColourCount() const override { return device_.ColourCount(); }
  bool TakesPalette() const override { return device_.TakesPalette(); }
  void CopyBand(const BandImage& band, int rows, int x, int y) override {
    device_.CopyBand(band, rows, x + dx_, y + dy_);
  }
  void DrawFrame(int left, int top, int right, int bottom) override {
    device_.DrawFrame(left + dx_, top + dy_, right + dx_, bottom + dy_);
  }

 private:
  RenderDevice& device_;
  int dx_;
  int dy_;
};

}  // namespace mox
