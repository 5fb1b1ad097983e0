#include "previewer/shell/print_choice.h"

#include <algorithm>

#include "previewer/base/nearest_int.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/shell/page_choice.h"
#include "previewer/startup/options.h"
#include "platform/text_format.h"

namespace mox {
namespace {

constexpr std::int32_t kPreviewMargin = 15;

}  // namespace

PrintList PrintListData(const ScanDocument& doc,
                        const std::optional<std::vector<std::int32_t>>& stored) {
  PrintList list;
  list.Lines = PageListLines(doc);
  for (int position = 0; position < static_cast<int>(list.Lines.size()); ++position) {
    const std::int32_t page = PageOfListPosition(doc, position);
    if (!stored || std::find(stored->begin(), stored->end(), page) != stored->end()) {
      list.Selected.push_back(position);
    }
  }
  return list;
}

std::vector<std::int32_t> PrintSelectionPages(const ScanDocument& doc,
                                              const std::vector<int>& positions) {
  std::vector<std::int32_t> pages;
  for (int position : positions) {
    const std::int32_t page = PageOfListPosition(doc, position);
    if (page != -1) pages.push_back(page);
  }
  return pages;
}

long NumberInLine(const std::string& line) {
  const std::size_t first = line.find_first_of("0123456789");
  if (first == std::string::npos) return 0;
  long number = 0;
  for (std::size_t i = first; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    number = std::min(number * 10 + (line[i] - '0'), 1000000000L);
  }
  return number;
}

std::vector<int> KeepParity(const std::vector<std::string>& lines, const std::vector<int>& selected,
                            bool odd) {
  std::vector<int> kept;
  for (int position : selected) {
    if (position < 0 || position >= static_cast<int>(lines.size())) continue;
    const bool is_odd = NumberInLine(lines[static_cast<std::size_t>(position)]) % 2 != 0;
    if (is_odd == odd) kept.push_back(position);
  }
  return kept;
}

std::string PrintTitle(const std::string& document) {
  const std::size_t cut = FindLastOfGbk(document, "\\/:");
  return cut == std::string::npos ? document : document.substr(cut + 1);
}

double PrinterScale(const Options& options, int logpixels_x, int logpixels_y) {
  return std::min(logpixels_x / options.ResolutionX, logpixels_y / options.ResolutionY);
}

PrintBox PageBoxOnPaper(const DviDocument& document, double scale, std::int32_t printable_width,
                        std::int32_t printable_height) {
  PrintBox box{};
  box.Width = NearestInt(document.MaxWidth * scale * document.ConversionX);
  box.Height = NearestInt(document.MaxHeightDepth * scale * document.ConversionY);
  const auto centred = [](std::int64_t extent, std::int64_t size) {
    const std::int64_t offset = (extent - size + 1) / 2;
    return static_cast<std::int32_t>(offset > 0 ? offset : 0);
  };
  box.X0 = centred(printable_width, box.Width);
  box.Y0 = centred(printable_height, box.Height);
  return box;
}

PreviewRect PreviewPageRect(std::int32_t client_width, std::int32_t client_height,
                            std::int32_t extent_width, std::int32_t extent_height) {
  PreviewRect page{kPreviewMargin, kPreviewMargin, 0, 0};
  if (extent_width <= 0 || extent_height <= 0) return {kPreviewMargin, kPreviewMargin, kPreviewMargin, kPreviewMargin};
  if (extent_width > extent_height) {
    page.Right = client_width - kPreviewMargin;
    const std::int64_t percent = std::int64_t{extent_height} * 100 / extent_width;
    page.Bottom = page.Top + static_cast<std::int32_t>((page.Right - page.Left) * percent / 100);
  } else {
    page.Bottom = client_height - kPreviewMargin;
    const std::int64_t percent = std::int64_t{extent_width} * 100 / extent_height;
    page.Right = page.Left + static_cast<std::int32_t>((page.Bottom - page.Top) * percent / 100);
  }
  return page;
}

}  // namespace mox
