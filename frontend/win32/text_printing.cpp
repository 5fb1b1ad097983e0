#include "frontend/win32/text_printing.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

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

void FreeGlobal(HGLOBAL& memory) {
  if (memory != nullptr) GlobalFree(memory);
  memory = nullptr;
}

}  // namespace

TPrinterChoice::~TPrinterChoice() {
  FreeGlobal(dev_mode_);
  FreeGlobal(dev_names_);
}

HDC TPrinterChoice::RunPrintDialog(HWND owner, bool& to_file) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = dev_mode_;
  dialog.hDevNames = dev_names_;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  dialog.nCopies = 1;
  const BOOL chosen = PrintDlgW(&dialog);
  // The dialog may hand back new settings blocks and free the old ones.
  dev_mode_ = dialog.hDevMode;
  dev_names_ = dialog.hDevNames;
  if (!chosen) return nullptr;
  to_file = (dialog.Flags & PD_PRINTTOFILE) != 0;
  return dialog.hDC;
}

void TPrinterChoice::RunSetupDialog(HWND owner) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = dev_mode_;
  dialog.hDevNames = dev_names_;
  dialog.Flags = PD_PRINTSETUP;
  PrintDlgW(&dialog);
  dev_mode_ = dialog.hDevMode;
  dev_names_ = dialog.hDevNames;
}

bool PrintText(HDC printer, const PrintJob& job, std::string& reason) {
  // The screen font at the printer's resolution.
  LOGFONTW font = job.Font;
  const win::WindowDc screen(nullptr);
  font.lfHeight = -MulDiv(std::abs(job.Font.lfHeight), GetDeviceCaps(printer, LOGPIXELSY),
                          GetDeviceCaps(screen.Get(), LOGPIXELSY));
  font.lfWidth = 0;
  const win::Font printer_font(CreateFontIndirectW(&font));
  const win::Selection selected(printer, printer_font.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(printer, &metrics);
  const int line_height = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
  const RECT area = PageArea(printer);
  const int lines_per_page = std::max<int>(1, (area.bottom - area.top) / line_height);

  PrinterMeasure measure(printer);
  const std::vector<PrintedPage> pages =
      LayOutPages(job.Text, area.right - area.left, lines_per_page, measure, job.Align);

  const std::wstring title = platform::Widen(job.Title);
  const std::wstring output(job.OutputFile.begin(), job.OutputFile.end());
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = title.c_str();
  document.lpszOutput = output.empty() ? nullptr : output.c_str();
  if (StartDocW(printer, &document) <= 0) {
    reason = "打印机没有接受打印任务";
    return false;
  }
  SetBkMode(printer, TRANSPARENT);
  SetTextColor(printer, job.Color);
  for (const PrintedPage& page : pages) {
    if (StartPage(printer) <= 0) {
      AbortDoc(printer);
      reason = "打印机没有接受新的一页";
      return false;
    }
    // Some printers reset the context at every page.
    SelectObject(printer, printer_font.Get());
    SetBkMode(printer, TRANSPARENT);
    SetTextColor(printer, job.Color);
    int y = area.top;
    for (const PrintedLine& line : page) {
      TextOutW(printer, area.left + line.X, y, reinterpret_cast<const wchar_t*>(line.Text.data()),
               static_cast<int>(line.Text.size()));
      y += line_height;
    }
    if (EndPage(printer) <= 0) {
      AbortDoc(printer);
      reason = "打印机没有接受打印的一页";
      return false;
    }
  }
  EndDoc(printer);
  return true;
}

}  // namespace mox::varelo
