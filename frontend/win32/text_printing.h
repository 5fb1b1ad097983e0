// Printing an editor's text: the pages laid out line by line with the
// control's font and drawn by the framework's printer job (the rich-edit
// control's own printing is not used: it prints nothing on some systems).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "frontend/core/print_layout.h"
#include "platform/win32/framework/printout.h"
#include "platform/win32/gdi.h"

namespace mox::varelo {

class TTextPrintout final : public win::TPrintout {
 public:
  // The text with lines ended by CR, the control's font at screen
  // resolution and its colour, and the paragraphs' alignment.
  TTextPrintout(std::u16string text, const LOGFONTW& font, COLORREF color, Alignment alignment);

  // Lays the text out for the job's printer: its resolution, its
  // printable area inside the margins.
  void BeginPrinting() override;
  bool HasPage(int page) override;
  void PrintPage(int page, const RECT& band) override;

 private:
  std::u16string text_;
  LOGFONTW screen_font_;
  COLORREF color_;
  Alignment alignment_;
  win::Font printer_font_;
  RECT area_{};
  int line_height_ = 1;
  std::vector<PrintedPage> pages_;
};

}  // namespace mox::varelo
