// The specials that include an EPS figure: "PSfile=" as LaTeX's graphics
// packages and epsf write it for dvips, and the older "psfile=", and where
// dvips puts the figure on the page.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "previewer/dvi/eps_header.h"

namespace mox {

// The keys of the special as given (nothing for a key not given; dvips'
// default is used then).
struct FigureSpecial {
  // The file as written, GBK bytes. dvips reads a name beginning with "`"
  // as a command whose output is the figure: never run it.
  std::string File;
  std::optional<double> HOffset;  // bp, to the right
  std::optional<double> VOffset;  // bp, up
  std::optional<double> HSize;    // bp; 612 when not given
  std::optional<double> VSize;    // bp; 792 when not given
  std::optional<double> HScale;   // percent; 100 when not given
  std::optional<double> VScale;   // percent; 100 when not given
  std::optional<double> Angle;    // degrees, counterclockwise
  std::optional<double> Llx, Lly, Urx, Ury;  // bp, the figure's bounding box
  std::optional<double> Rwi;      // tenths of a bp, the width wanted
  std::optional<double> Rhi;      // tenths of a bp, the height wanted
  bool Clip = false;              // "clip": clipped to the bounding box

  // The bounding box when all four of llx, lly, urx and ury are given.
  std::optional<FigureBox> Box() const;
};

// The text of a special: optional blanks, "psfile=" in any case, the file
// name (in double quotes, or up to the next blank), then blank-separated
// keys: "key=number" or "clip", the keys in any case. Keys dvips does not
// know are skipped; nothing when the name is missing, a known key's value
// is not a number, "clip" has a value, or the text is no figure special.
std::optional<FigureSpecial> ParseFigureSpecial(std::string_view special);

// A placed figure goes no further than this from the current point, in any
// direction (1000 in), and no side of it is longer.
inline constexpr double kMaxFigureExtentBp = 72000.0;
// Nor does the placement scale the figure by more than this: drawing it
// must not run out of the range of numbers.
inline constexpr double kMaxFigureScale = 1.0e6;

// Where dvips puts a figure, as offsets in big points from the current DVI
// point with y down the page (at magnification 1000: the caller applies the
// document's magnification, as dvips does).
struct FigurePlacement {
  // The figure's point (x, y) (bp, y up) goes to
  // (Xx x + Xy y + X0, Yx x + Yy y + Y0).
  double Xx = 1.0, Xy = 0.0, X0 = 0.0;
  double Yx = 0.0, Yy = -1.0, Y0 = 0.0;
  // The rectangle the placed box covers (the smallest that holds all of a
  // rotated one).
  double Left = 0.0, Top = 0.0, Right = 0.0, Bottom = 0.0;
  // The figure's box in its own coordinates: what it is clipped to when
  // Clip is set, what the rectangle is made from.
  FigureBox Box{};
  bool Clip = false;
};

// dvips' placement: the figure is turned by the angle about its origin,
// scaled by hscale and vscale, and moved by hoffset and voffset, its origin
// at the current point. With rwi or rhi (a zero one counts as not given) it
// is first moved so that its box's lower-left corner is its origin and
// scaled to that width or height; with one of them only, uniformly. The
// box is the special's own, else `file_box` (the file's bounding box
// comment), else 0 0 hsize vsize. Nothing when rwi or rhi has no box of the
// special's or the file's to scale (or one with no width or height), or the
// placement is larger than the bounds above or not finite.
std::optional<FigurePlacement> PlaceFigure(const FigureSpecial& figure,
                                           const std::optional<FigureBox>& file_box = std::nullopt);

}  // namespace mox
