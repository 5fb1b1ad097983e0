#include "previewer/dvi/figure_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/text_format.h"

namespace mox {
namespace {

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// The request as a text, for telling requests apart.
std::string KeyOf(const std::string& ghostscript, const FigureRequest& r) {
  const FigurePlacement& p = r.Placement;
  std::string key = ghostscript + '\n' + r.File + '\n';
  for (const double value : {p.Xx, p.Xy, p.X0, p.Yx, p.Yy, p.Y0, p.Box[0], p.Box[1], p.Box[2],
                             p.Box[3], r.PixelsPerBpX, r.PixelsPerBpY}) {
    key += Number(value) + ' ';
  }
  key += std::to_string(r.Left) + ' ' + std::to_string(r.Top) + ' ' + std::to_string(r.Width) +
         ' ' + std::to_string(r.Height) + (p.Clip ? " clip" : "");
  return key;
}

FigurePicture Run(const std::string& ghostscript, const FigureRequest& request) {
  FigurePicture result;
  if (!request.File.empty() && request.File.front() == '`') {
    result.Problem = FigureProblem::Command;
    return result;
  }
  if (request.File.find('"') != std::string::npos || !platform::OpenFile(request.File, "rb")) {
    result.Problem = FigureProblem::Missing;
    return result;
  }
  const std::size_t size = static_cast<std::size_t>(request.Width) *
                           static_cast<std::size_t>(request.Height) * 3;
  const std::optional<platform::ProgramOutput> output = platform::RunProgramForOutput(
      GhostscriptCommandLine(ghostscript, request), kFigureTimeLimitMs, size + 4096);
  if (!output) {
    result.Problem = FigureProblem::NoGhostscript;
    return result;
  }
  std::optional<RgbPicture> picture =
      output->ExitCode == 0 ? ParsePpm(output->Output, std::max(request.Width, request.Height))
                            : std::nullopt;
  if (!picture || picture->Width != request.Width || picture->Height != request.Height) {
    result.Problem = FigureProblem::Rejected;
    return result;
  }
  result.Picture = std::move(*picture);
  return result;
}

}  // namespace

bool FrameFigure(FigureRequest& request, double origin_x, double origin_y) {
  // The rectangle in whole pixels, its corner on the pixel the figure's
  // box begins in, and the figure moved by the part of a pixel that takes
  // (GhostscriptCommandLine), so that the box starts on a pixel's edge as
  // other DVI drivers put it.
  const FigurePlacement& p = request.Placement;
  const double left = std::floor(origin_x + p.Left * request.PixelsPerBpX);
  const double top = std::floor(origin_y + p.Top * request.PixelsPerBpY);
  const double width = std::max(std::ceil((p.Right - p.Left) * request.PixelsPerBpX), 1.0);
  const double height = std::max(std::ceil((p.Bottom - p.Top) * request.PixelsPerBpY), 1.0);
  if (!(width * height <= static_cast<double>(kMaxFigurePixels)) || !(std::fabs(left) < 32768.0) ||
      !(std::fabs(top) < 32768.0) || width > 32767.0 || height > 32767.0) {
    return false;
  }
  request.Left = static_cast<int>(left);
  request.Top = static_cast<int>(top);
  request.Width = static_cast<int>(width);
  request.Height = static_cast<int>(height);
  return true;
}

std::string GhostscriptCommandLine(const std::string& ghostscript, const FigureRequest& r) {
  const FigurePlacement& p = r.Placement;
  // Default space is the picture in points of 1/72 inch at the resolution
  // given (one point, one bp), its origin at the picture's bottom left. A
  // figure point goes to page offsets (X, Y down) from the current point,
  // and from there into the picture.
  const double left_bp = p.Left;
  const double top_bp = p.Top;
  const double height_bp = r.Height / r.PixelsPerBpY;
  std::string setup = "/showpage {} def [" + Number(p.Xx) + ' ' + Number(-p.Yx) + ' ' +
                      Number(p.Xy) + ' ' + Number(-p.Yy) + ' ' + Number(p.X0 - left_bp) + ' ' +
                      Number(height_bp + top_bp - p.Y0) + "] concat";
  if (p.Clip) {
    setup += ' ' + Number(p.Box[0]) + ' ' + Number(p.Box[1]) + ' ' + Number(p.Box[2] - p.Box[0]) +
             ' ' + Number(p.Box[3] - p.Box[1]) + " rectclip";
  }
  const std::string program = ghostscript.empty() ? DefaultGhostscript() : ghostscript;
  return "\"" + program + "\" -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw" +
         " -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -r" + Number(72.0 * r.PixelsPerBpX) + "x" +
         Number(72.0 * r.PixelsPerBpY) + " -g" + std::to_string(r.Width) + "x" +
         std::to_string(r.Height) + " -sOutputFile=- -sstdout=%stderr -c \"" + setup +
         "\" -f \"" + r.File + "\" -c \"systemdict /showpage get exec\"";
}

std::string DefaultGhostscript() {
#ifdef _WIN32
  return sizeof(void*) == 8 ? "gswin64c" : "gswin32c";
#else
  return "gs";
#endif
}

std::shared_ptr<const FigurePicture> FigureCache::Draw(const std::string& ghostscript,
                                                       const FigureRequest& request) {
  const std::string key = KeyOf(ghostscript, request);
  const platform::FileStamp stamp = platform::RecordFileStamp(request.File);
  for (const Entry& entry : entries_) {
    if (entry.Key == key && platform::SameStamp(entry.Stamp, stamp)) return entry.Picture;
  }
  auto picture = std::make_shared<const FigurePicture>(Run(ghostscript, request));
  const std::size_t bytes = picture->Picture.Rgb.size();
  // The oldest pictures go first when the new one would not fit.
  while (!entries_.empty() && bytes_ + bytes > kFigureCacheBytes) {
    bytes_ -= entries_.front().Picture->Picture.Rgb.size();
    entries_.erase(entries_.begin());
  }
  std::erase_if(entries_, [&](const Entry& entry) {
    if (entry.Key != key) return false;
    bytes_ -= entry.Picture->Picture.Rgb.size();
    return true;
  });
  entries_.push_back({key, stamp, picture});
  bytes_ += bytes;
  return picture;
}

}  // namespace mox
