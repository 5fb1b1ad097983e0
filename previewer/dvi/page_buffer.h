// The page buffer and its side areas, sized once per document by the
// pre-scan for its largest page, so that scanning a page never allocates.
#pragma once

#include <cstdint>
#include <vector>

#include "previewer/base/page_item.h"
#include "previewer/dvi/dvips_color.h"
#include "previewer/dvi/figure_raster.h"

namespace mox {

// One level of the DVI stack.
struct DviRegisters {
  std::int32_t H = 0;
  std::int32_t V = 0;
  std::int32_t W = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Z = 0;
};

struct PageBuffer {
  // Items of the page last scanned, ended by one ItemEnd; the capacity is
  // the largest item count of any measured page.
  std::vector<PageItem> Items;
  std::size_t Capacity = 0;
  // Image names, stored from the top end downwards, each with its zero byte;
  // an image item refers to its name by offset into this area.
  std::vector<char> ImageNames;
  std::size_t ImageNameTop = 0;
  std::vector<DviRegisters> Stack;   // StackSize levels
  // The page's paper colour ("background"), and whether anything on the
  // page is drawn in a colour other than black on white: a page without is
  // drawn in black and white or grey as it always was.
  RgbColor Background{255, 255, 255};
  bool Coloured = false;
  // The pictures of the page's figures (one with a problem is drawn as a
  // frame of its size).
  std::vector<std::shared_ptr<const FigurePicture>> Figures;
};

// The image name an image item of the buffer refers to.
const char* ImageNameOf(const PageBuffer& buffer, const PageItem& item);

}  // namespace mox
