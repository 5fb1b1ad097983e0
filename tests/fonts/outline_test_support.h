// Helpers of the outline driver's tests: a rendered glyph as a bitmap with a
// readable picture, polygons as contours, and checks of a rendering against
// the polygon it was made from.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "previewer/fonts/outline_font.h"
#include "tools/mkhzfont/outline_font_writer.h"

namespace mox::test {

struct Bitmap {
  int Result = 0;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Bits;

  int Stride() const { return (Width + 7) / 8; }
  bool At(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return false;
    return (Bits[static_cast<std::size_t>(y * Stride() + x / 8)] >> (7 - x % 8) & 1) != 0;
  }
  int Ink() const {
    int count = 0;
    for (int y = 0; y < Height; ++y) {
      for (int x = 0; x < Width; ++x) count += At(x, y) ? 1 : 0;
    }
    return count;
  }
  std::string Picture() const {
    std::string out;
    for (int y = 0; y < Height; ++y) {
      for (int x = 0; x < Width; ++x) out += At(x, y) ? '#' : '.';
      out += '\n';
    }
    return out;
  }
};

// Renders glyph k of an open font with a generous crossing buffer.
inline Bitmap RenderGlyph(OutlineFontFile& font, int k, int width, int height) {
  Bitmap b;
  b.Width = width;
  b.Height = height;
  b.Bits.assign(static_cast<std::size_t>((width + 7) / 8 * height), 0);
  std::vector<std::uint8_t> crossings(65520);
  b.Result = font.Render(b.Bits.data(), k, width, height, crossings.data(), crossings.size());
  return b;
}

inline hzfont::Contour Polygon(const std::vector<hzfont::GridPoint>& points) {
  hzfont::Contour contour{points.front(), {}};
  for (std::size_t i = 1; i < points.size(); ++i) {
    contour.Segments.push_back(hzfont::Segment::Line(points[i]));
  }
  return contour;
}

// The polygon as the driver places it on a cell of the bitmap's size (a
// 256-unit design): each corner in its pixel, taken at the pixel's centre.
struct DevicePolygon {
  std::vector<double> X;
  std::vector<double> Y;

  DevicePolygon(const std::vector<hzfont::GridPoint>& points, int width, int height) {
    for (const auto& p : points) {
      X.push_back(p.X * width / 256 + 0.5);
      Y.push_back(p.Y * height / 256 + 0.5);
    }
  }
  bool Inside(double x, double y) const {
    bool inside = false;
    for (std::size_t i = 0, j = X.size() - 1; i < X.size(); j = i++) {
      if ((Y[i] > y) != (Y[j] > y) && x < (X[j] - X[i]) * (y - Y[i]) / (Y[j] - Y[i]) + X[i]) {
        inside = !inside;
      }
    }
    return inside;
  }
  double Distance(double x, double y) const {
    double best = 1e9;
    for (std::size_t i = 0, j = X.size() - 1; i < X.size(); j = i++) {
      const double dx = X[i] - X[j], dy = Y[i] - Y[j];
      const double length = dx * dx + dy * dy;
      double t = length == 0 ? 0 : ((x - X[j]) * dx + (y - Y[j]) * dy) / length;
      t = std::clamp(t, 0.0, 1.0);
      best = std::min(best, std::hypot(x - X[j] - t * dx, y - Y[j] - t * dy));
    }
    return best;
  }
};

// Every pixel whose centre lies inside the polygon, half a pixel or more
// from its outline, is inked.
inline void ExpectCoversPolygon(const Bitmap& b, const std::vector<hzfont::GridPoint>& points) {
  const DevicePolygon polygon(points, b.Width, b.Height);
  for (int y = 0; y < b.Height; ++y) {
    for (int x = 0; x < b.Width; ++x) {
      if (polygon.Inside(x + 0.5, y + 0.5) && polygon.Distance(x + 0.5, y + 0.5) >= 0.5) {
        EXPECT_TRUE(b.At(x, y)) << "pixel " << x << "," << y << " of\n" << b.Picture();
      }
    }
  }
}

// Every inked pixel's centre lies inside the polygon or within `margin`
// pixels of its outline.
inline void ExpectInsideDilatedPolygon(const Bitmap& b, const std::vector<hzfont::GridPoint>& points,
                                       double margin) {
  const DevicePolygon polygon(points, b.Width, b.Height);
  for (int y = 0; y < b.Height; ++y) {
    for (int x = 0; x < b.Width; ++x) {
      if (b.At(x, y) && !polygon.Inside(x + 0.5, y + 0.5)) {
        EXPECT_LE(polygon.Distance(x + 0.5, y + 0.5), margin)
            << "pixel " << x << "," << y << " of\n" << b.Picture();
      }
    }
  }
}

}  // namespace mox::test
