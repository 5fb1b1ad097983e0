// Window measures at the screen's scaling: layouts, bars and pictures are
// drawn for 96 dots per inch and each window multiplies them by its own
// DPI (144 at 150%, 192 at 200%). Edges are scaled, not sizes, so boxes
// that touch at 96 dpi still touch, and a picture drawn larger maps every
// screen pixel back to the picture pixel it shows.
#pragma once

#include <vector>

namespace mox::platform {

inline constexpr int kBaseDpi = 96;

// A box as x, y, width, height.
struct ScaledBox {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// value * dpi / 96, rounded to the nearest pixel (halves away from zero).
int ScaleToDpi(int value, int dpi);
ScaledBox ScaleToDpi(const int (&box)[4], int dpi);

// The picture pixel a screen pixel shows when a picture of 96 dpi is drawn
// at `dpi` pixel by pixel (no blur): floor(device * 96 / dpi), so every
// picture pixel covers one or two screen pixels at 150% and exactly two at
// 200%. The palette's hit test and its drawing both use it.
int PicturePixelAt(int device, int dpi);

// A picture of 32-bit pixels, rows top down, drawn at `dpi`: each screen
// pixel takes the pixel PicturePixelAt names. The size becomes
// ScaleToDpi(width), ScaleToDpi(height).
std::vector<unsigned> ScalePicture(const std::vector<unsigned>& pixels, int width, int height,
                                   int dpi, int& scaled_width, int& scaled_height);

}  // namespace mox::platform
