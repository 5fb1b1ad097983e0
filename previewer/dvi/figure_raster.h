// EPS figures drawn by Ghostscript: the figure, placed as dvips places it,
// is rasterised at the page's resolution into the pixels of the rectangle
// it covers, always with -dSAFER -dBATCH -dNOPAUSE and a time limit, since
// a figure is a program from outside. The pictures are kept by file, stamp,
// size and placement, so a reload of an unchanged figure reuses its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_stamp.h"
#include "previewer/dvi/figure_special.h"
#include "previewer/dvi/ppm_image.h"

namespace mox {

// Ghostscript gets this long for one figure.
inline constexpr int kFigureTimeLimitMs = 20000;
// A figure's picture may have this many pixels: more is refused, as a
// huge page is (a full page at 600 dpi is 34 million).
inline constexpr std::int64_t kMaxFigurePixels = 40'000'000;
// And the pictures kept take at most this many bytes together.
inline constexpr std::size_t kFigureCacheBytes = 256u << 20;

// One figure to draw: its file, where it goes and at what scale.
struct FigureRequest {
  std::string File;            // as found beside the DVI file
  FigurePlacement Placement;   // bp from the current point, y down
  double PixelsPerBpX = 1.0;   // the page's resolution and magnification
  double PixelsPerBpY = 1.0;
  // The picture: the placed rectangle in whole pixels of the page, its
  // top-left corner at (Left, Top).
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The picture's rectangle for a placement at a scale, the current point at
// page pixel (origin_x, origin_y) as it stands, before rounding; false when
// it would have more than kMaxFigurePixels pixels or lies beyond the
// 16-bit page.
bool FrameFigure(FigureRequest& request, double origin_x, double origin_y);

enum class FigureProblem {
  None,
  Missing,       // the file cannot be opened
  TooLarge,      // larger than a page can take, or than kMaxFigurePixels
  NoGhostscript, // Ghostscript could not be run, or did not end in time
  Rejected,      // it ran and gave no picture
  Command,       // a name dvips would run as a command, never run here
};

// The command line that draws the figure: Ghostscript's ppmraw device on
// standard output, its messages on standard error, the placement as a
// matrix, and the figure's own showpage made harmless.
std::string GhostscriptCommandLine(const std::string& ghostscript, const FigureRequest& request);

// The Ghostscript of this platform when none is named: "gs" natively,
// "gswin64c" or "gswin32c" (the console one of the program's own width).
std::string DefaultGhostscript();

struct FigurePicture {
  FigureProblem Problem = FigureProblem::None;
  RgbPicture Picture;  // empty unless Problem is None
};

// The pictures of the document's figures, kept from one scan (and one
// load) to the next.
class FigureCache {
 public:
  // The picture of a request, made by Ghostscript (`ghostscript`, empty for
  // DefaultGhostscript()) unless kept from before with the same file stamp.
  std::shared_ptr<const FigurePicture> Draw(const std::string& ghostscript,
                                            const FigureRequest& request);
  void Clear() { entries_.clear(); bytes_ = 0; }

 private:
  struct Entry {
    std::string Key;
    platform::FileStamp Stamp;
    std::shared_ptr<const FigurePicture> Picture;
  };
  std::vector<Entry> entries_;
  std::size_t bytes_ = 0;
};

}  // namespace mox
