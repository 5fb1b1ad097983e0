// Pages with colour: the renderer draws the items of each stretch of one
// colour as ink into its black-and-white or grey band, as it draws every
// page, and lays that ink in the stretch's colour over a band of 24-bit
// pixels that starts as the page's paper colour. Grey ink covers in
// proportion to its grey level, so a coloured glyph's edge blends with the
// paper as a black one's does.
#pragma once

#include <cstdint>
#include <vector>

#include "previewer/render/render_device.h"

namespace mox {

// The colour of a colour item's reference (0xRRGGBB).
inline RgbColour ColourOfRef(std::uint32_t ref) {
  return {static_cast<std::uint8_t>(ref >> 16), static_cast<std::uint8_t>(ref >> 8),
          static_cast<std::uint8_t>(ref)};
}

// Makes `colour` a 24-bit band (blue, green, red a pixel, rows padded to 4
// bytes, as Windows' device-independent bitmaps have them) of the ink
// band's width and rows, and fills its first `rows` rows with the paper.
void StartColourBand(BandImage& colour, const BandImage& ink, int rows, RgbColour paper);

// Lays the ink of rows [first_row, end_row) of `ink` (1 or 4 bits a pixel
// with its palette of greys: entry 0 the paper, the last one full ink) over
// `colour` in `ink_colour`, leaving it unchanged where there is no ink.
void LayInk(BandImage& colour, const BandImage& ink, int first_row, int end_row,
            RgbColour ink_colour);

// A figure's picture (red, green, blue a pixel) scaled into the rectangle
// of `width` by `height` band pixels whose top-left corner is at band pixel
// (left, top), each pixel the mean of the picture's pixels under it. White
// is the paper the figure did not paint: it is left as it is.
void LayPicture(BandImage& colour, int rows, const std::uint8_t* rgb, int picture_width,
                int picture_height, int left, int top, int width, int height);

// The outline of a rectangle (band pixels, right and bottom inclusive), one
// pixel wide: a figure's place when it could not be drawn.
void FrameRectangle(BandImage& colour, int rows, int left, int top, int right, int bottom,
                    RgbColour ink);

}  // namespace mox
