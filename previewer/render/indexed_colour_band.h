// Pages with colour for a device that takes palette pictures (moxrender's
// PNG files). At 1 bit a pixel every pixel of such a page is the paper or
// the colour of the last ink laid on it, so a page of a few colours needs
// no 24 bits: its band holds palette indices of 1, 2 or 4 bits, the paper
// index 0. That is a quarter or less of the bytes to draw, copy and
// compress, and the same picture.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "previewer/dvi/page_buffer.h"
#include "previewer/render/render_device.h"

namespace mox {

// At most this many colours (the paper's included) go into a palette band.
inline constexpr std::size_t kMaxIndexedColours = 16;

// The palette of a page with colour: the paper first, then black (the ink
// before any colour) and every colour the page's items set, each once,
// padded with the paper to 2, 4 or 16 entries. Nothing when the page has a
// figure (its pixels are any colour) or more colours than a palette band
// holds.
std::optional<std::vector<RgbColour>> IndexedColoursOf(const PageBuffer& page);

// The index of colour in a palette made by IndexedColoursOf (0 when it is
// not there, which cannot happen for the page's own colours).
unsigned IndexOfColour(const std::vector<RgbColour>& palette, RgbColour colour);

// Makes `colour` a band of palette indices (1, 2 or 4 bits a pixel as the
// palette has 2, 4 or 16 entries) of the ink band's width and rows, and
// fills its first `rows` rows with the paper.
void StartIndexedBand(BandImage& colour, const BandImage& ink, int rows,
                      const std::vector<RgbColour>& palette);

// Lays the ink of rows [first_row, end_row) of the 1-bit `ink` band over
// `colour` as palette entry `index`, leaving it unchanged where there is no
// ink.
void LayIndexedInk(BandImage& colour, const BandImage& ink, int first_row, int end_row,
                   unsigned index);

}  // namespace mox
