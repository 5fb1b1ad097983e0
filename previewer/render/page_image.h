// A page drawn once and kept: the bands the renderer gave for it and its
// frame, given again to a device when the page is shown. The page view
// draws the pages near the one shown into these in idle time, so that a
// page turn shows the next page at once.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "previewer/render/page_renderer.h"
#include "previewer/render/render_device.h"

namespace mox {

class PageImage final : public RenderDevice {
 public:
  // Recorded for a device of this colour count (as the window reports it).
  explicit PageImage(int colour_count) : colour_count_(colour_count) {}

  int ColourCount() const override { return colour_count_; }
  void CopyBand(const BandImage& band, int rows, int x, int y) override;
  void DrawFrame(int left, int top, int right, int bottom) override;

  // The kept bands that meet the rows of the area, then the frame, as the
  // renderer gave them (the device clips to what it paints).
  void Replay(RenderDevice& device, const PixelRect& area) const;
  // The bytes the kept bands hold.
  std::size_t Bytes() const { return bytes_; }

 private:
  struct Band {
    BandImage Image;  // only the rows given
    int Rows = 0;
    int X = 0;
    int Y = 0;
  };
  int colour_count_;
  std::vector<Band> bands_;
  std::vector<std::array<int, 4>> frames_;
  std::size_t bytes_ = 0;
};

}  // namespace mox
