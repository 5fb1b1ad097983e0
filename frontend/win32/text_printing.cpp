#include "frontend/win32/text_printing.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace mox::varelo {
namespace {

// Margins from the paper's edges, in thousandths of an inch (2 cm), never
// less than the printer's unprintable border.
constexpr int kMarginMils = 787;

class PrinterMeasure final : public TextMeasure {
 public:
  explicit PrinterMeasure(HDC dc) : dc_(dc) {}
  std::size_t Fit(std::u16string_view text, int max_width, int& width) override {
    INT fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), max_width, &fit, nullptr, &size);
    width = static_cast<int>(size.cx);
    return fit > 0 ? static_cast<std::size_t>(fit) : 0;
  }
  int Width(std::u16string_view text) override {
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  }

 private:
  HDC dc_;
};

// The printable rectangle inside the margins, in device pixels.
RECT PageArea(HDC dc) {
  const int dpi_x = GetDeviceCaps(dc, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
  const int offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX);
  const int offset_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
  const int paper_width = GetDeviceCaps(dc, PHYSICALWIDTH);
  const int paper_height = GetDeviceCaps(dc, PHYSICALHEIGHT);
  const int printable_width = GetDeviceCaps(dc, HORZRES);
  const int printable_height = GetDeviceCaps(dc, VERTRES);
  const int margin_x = MulDiv(kMarginMils, dpi_x, 1000);
  const int margin_y = MulDiv(kMarginMils, dpi_y, 1000);
  RECT area;
  area.left = std::max(0, margin_x - offset_x);
  area.top = std::max(0, margin_y - offset_y);
  area.right = std::min(printable_width, paper_width - margin_x - offset_x);
  area.bottom = std::min(printable_height, paper_height - margin_y - offset_y);
  if (paper_width <= 0 || area.right <= area.left) {
    area.left = 0;
    area.right = printable_width;
  }
  if (paper_height <= 0 || area.bottom <= area.top) {
    area.top = 0;
    area.bottom = printable_height;
  }
  return area;
}

}  // namespace

TTextPrintout::TTextPrintout(std::u16string text, const LOGFONTW& font, COLORREF color,
                             Alignment alignment)
    : text_(std::move(text)), screen_font_(font), color_(color), alignment_(alignment) {}

void TTextPrintout::BeginPrinting() {
  // The screen font at the printer's resolution.
  LOGFONTW font = screen_font_;
  const win::WindowDc screen(nullptr);
  font.lfHeight = -MulDiv(std::abs(screen_font_.lfHeight), GetDeviceCaps(Dc, LOGPIXELSY),
                          GetDeviceCaps(screen.Get(), LOGPIXELSY));
  font.lfWidth = 0;
  printer_font_ = win::Font(CreateFontIndirectW(&font));
  const win::Selection selected(Dc, printer_font_.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(Dc, &metrics);
  line_height_ = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
  area_ = PageArea(Dc);
  const int lines_per_page = std::max<int>(1, (area_.bottom - area_.top) / line_height_);
  PrinterMeasure measure(Dc);
  pages_ = LayOutPages(text_, area_.right - area_.left, lines_per_page, measure, alignment_);
}

bool TTextPrintout::HasPage(int page) {
  return page >= 1 && static_cast<std::size_t>(page) <= pages_.size();
}

void TTextPrintout::PrintPage(int page, const RECT&) {
  // Selected at every page: some printers reset the context at each one.
  const win::Selection selected(Dc, printer_font_.Get());
  SetBkMode(Dc, TRANSPARENT);
  SetTextColor(Dc, color_);
  int y = area_.top;
  for (const PrintedLine& line : pages_[static_cast<std::size_t>(page) - 1]) {
    TextOutW(Dc, area_.left + line.X, y, reinterpret_cast<const wchar_t*>(line.Text.data()),
             static_cast<int>(line.Text.size()));
    y += line_height_;
  }
}

}  // namespace mox::varelo
