// The rows of a page picture as a PNG file takes them, made from the bands
// the renderer draws, with the dotted page frame put into them on the way:
// the frame is drawn in the banded path, exactly as the window draws it
// (dots of three, gaps of three, each side starting at its corner with a
// dot, combined by the mask pen), so a page is never held whole.
//
// Without the frame the rows are the band's own 1, 2 or 4 bits a pixel.
// With it each colour under a frame dot becomes its frame twin (the colour
// masked with blue). When the band's palette has room for the twins it
// does not already hold (a palette band of a page with colour, padded with
// the paper: a twin is often black or blue, which it has), they take its
// unused entries and the rows keep the band's depth; otherwise every entry
// gets a twin and the pixels take twice the bits: the twin of entry v is
// v + 2, v + 4 or v + 16.
// A band of a page with colour (24 bits) gives rows of red, green and blue,
// the frame's pixels masked with blue.
#pragma once

#include <cstdint>
#include <vector>

#include "previewer/render/render_device.h"

namespace mox {

class FramedRows {
 public:
  // A picture of width by height pixels drawn with `band_depth` bits a
  // pixel in the colours of band_palette (none at 24 bits); the frame runs
  // round its edge (0, 0, width - 1, height - 1).
  FramedRows(int width, int height, int band_depth, const std::vector<RgbColour>& band_palette,
             bool frame);

  int Depth() const { return depth_; }
  std::size_t RowBytes() const { return row_.size(); }
  // The palette of the picture (empty at 24 bits).
  const std::vector<RgbColour>& Palette() const { return palette_; }
  // Row y of the picture from the band row that holds it.
  const std::uint8_t* Row(const std::uint8_t* band_row, int y);

 private:
  void PlaceTwins();
  void Mark(int x);
  const std::uint8_t* ColourRow(const std::uint8_t* band_row, int y);
  bool OnSide(int position, int start, int end) const;

  int width_;
  int height_;
  int band_depth_;
  bool frame_;
  int depth_;
  std::vector<RgbColour> palette_;
  // The entry of each entry's twin when the twins fit the band's depth
  // (empty when the pixels are widened instead).
  std::vector<std::uint8_t> twin_;
  std::vector<std::uint8_t> row_;
  // The side dots of the last row made from paper alone (-1: it was not).
  int blank_side_dots_ = -1;
};

// The picture's colour of a palette colour under a frame dot.
RgbColour UnderFrame(RgbColour colour);

}  // namespace mox
