#include "previewer/render/page_image.h"

#include <algorithm>

namespace mox {

void PageImage::CopyBand(const BandImage& band, int rows, int x, int y) {
  if (rows <= 0) return;
  Band kept;
  kept.Image.Width = band.Width;
  kept.Image.Rows = rows;
  kept.Image.BitsPerPixel = band.BitsPerPixel;
  kept.Image.RowBytes = band.RowBytes;
  kept.Image.Palette = band.Palette;
  const std::size_t bytes =
      std::min(band.Bits.size(), static_cast<std::size_t>(rows) * static_cast<std::size_t>(band.RowBytes));
  kept.Image.Bits.assign(band.Bits.begin(), band.Bits.begin() + static_cast<std::ptrdiff_t>(bytes));
  kept.Rows = rows;
  kept.X = x;
  kept.Y = y;
  bytes_ += bytes;
  bands_.push_back(std::move(kept));
}

void PageImage::DrawFrame(int left, int top, int right, int bottom) {
  frames_.push_back({left, top, right, bottom});
}

void PageImage::Replay(RenderDevice& device, const PixelRect& area) const {
  for (const Band& band : bands_) {
    if (band.Y + band.Rows <= area.Top || band.Y >= area.Bottom) continue;
    device.CopyBand(band.Image, band.Rows, band.X, band.Y);
  }
  for (const std::array<int, 4>& frame : frames_) {
    device.DrawFrame(frame[0], frame[1], frame[2], frame[3]);
  }
}

}  // namespace mox
