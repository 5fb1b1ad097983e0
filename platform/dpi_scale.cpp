#include "platform/dpi_scale.h"

#include <algorithm>

namespace mox::platform {

int ScaleToDpi(int value, int dpi) {
  const long long scaled = static_cast<long long>(value) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

ScaledBox ScaleToDpi(const int (&box)[4], int dpi) {
  const int left = ScaleToDpi(box[0], dpi);
  const int top = ScaleToDpi(box[1], dpi);
  return {left, top, ScaleToDpi(box[0] + box[2], dpi) - left,
          ScaleToDpi(box[1] + box[3], dpi) - top};
}

int PicturePixelAt(int device, int dpi) {
  if (dpi <= 0) return device;
  const long long scaled = static_cast<long long>(device) * kBaseDpi;
  // Floor, for pointers left of or above the picture as well.
  return static_cast<int>(scaled >= 0 ? scaled / dpi : -((-scaled + dpi - 1) / dpi));
}

std::vector<unsigned> ScalePicture(const std::vector<unsigned>& pixels, int width, int height,
                                   int dpi, int& scaled_width, int& scaled_height) {
  scaled_width = scaled_height = 0;
  if (width <= 0 || height <= 0 || dpi <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return {};
  }
  scaled_width = ScaleToDpi(width, dpi);
  scaled_height = ScaleToDpi(height, dpi);
  std::vector<unsigned> scaled(static_cast<std::size_t>(scaled_width) *
                               static_cast<std::size_t>(scaled_height));
  std::vector<int> columns(static_cast<std::size_t>(scaled_width));
  for (int x = 0; x < scaled_width; ++x) columns[x] = std::min(PicturePixelAt(x, dpi), width - 1);
  for (int y = 0; y < scaled_height; ++y) {
    const unsigned* row =
        &pixels[static_cast<std::size_t>(std::min(PicturePixelAt(y, dpi), height - 1)) * width];
    unsigned* out = &scaled[static_cast<std::size_t>(y) * scaled_width];
    for (int x = 0; x < scaled_width; ++x) out[x] = row[columns[x]];
  }
  return scaled;
}

}  // namespace mox::platform
