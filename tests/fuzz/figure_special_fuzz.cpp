// Any text as a figure special, a paper size special and the head of an EPS
// file. The first line is the special (the whole input when there is no
// line break); the whole input is the file's head, whose bounding box is
// the figure's when the special gives none. Every placement must be finite
// and within the stated bounds, every paper size within its own, and a DOS
// EPS section must lie past its header.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "previewer/dvi/figure_special.h"
#include "previewer/dvi/ppm_image.h"
#include "previewer/dvi/paper_size_special.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckPlacement(const std::optional<mox::FigurePlacement>& placement) {
  if (!placement) return;
  for (const double c : {placement->Xx, placement->Xy, placement->X0, placement->Yx,
                         placement->Yy, placement->Y0}) {
    Check(std::isfinite(c));
  }
  for (const double c : {placement->Xx, placement->Xy, placement->Yx, placement->Yy}) {
    Check(std::fabs(c) <= mox::kMaxFigureScale);
  }
  for (const double edge :
       {placement->Left, placement->Top, placement->Right, placement->Bottom}) {
    Check(std::fabs(edge) <= mox::kMaxFigureExtentBp);
  }
  Check(placement->Left <= placement->Right && placement->Top <= placement->Bottom);
  Check(placement->Right - placement->Left <= mox::kMaxFigureExtentBp);
  Check(placement->Bottom - placement->Top <= mox::kMaxFigureExtentBp);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view special = input.substr(0, input.find('\n'));

  const std::optional<mox::FigureBox> file_box = mox::ReadEpsBoundingBox(input);
  if (const auto section = mox::ReadDosEpsHeader(input)) {
    Check(section->Offset >= mox::kDosEpsHeaderSize && section->Length > 0);
  }
  if (const auto figure = mox::ParseFigureSpecial(special)) {
    Check(!figure->File.empty());
    CheckPlacement(mox::PlaceFigure(*figure));
    CheckPlacement(mox::PlaceFigure(*figure, file_box));
  }
  if (const auto paper = mox::ParsePaperSizeSpecial(special)) {
    Check(paper->WidthBp > 0.0 && paper->WidthBp <= mox::kMaxPaperSideBp);
    Check(paper->HeightBp > 0.0 && paper->HeightBp <= mox::kMaxPaperSideBp);
  }
  (void)mox::IsLandscapeSpecial(special);
  // What Ghostscript gives back for a figure, as any bytes.
  if (const auto picture = mox::ParsePpm(input, 4096)) {
    Check(picture->Width >= 1 && picture->Height >= 1 && picture->Width <= 4096 &&
          picture->Rgb.size() == static_cast<std::size_t>(picture->Width) * picture->Height * 3);
  }
  return 0;
}
