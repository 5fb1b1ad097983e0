// Printing an editor's text: the printer the print and printer-setup
// dialogs share, and the pages drawn line by line with the control's font
// (the rich-edit control's own printing is not used: it prints nothing on
// some systems).
#pragma once

#include <windows.h>

#include <string>

#include "frontend/core/print_layout.h"

namespace mox::varelo {

// The chosen printer and its settings, kept between the dialogs.
class TPrinterChoice {
 public:
  TPrinterChoice() = default;
  ~TPrinterChoice();
  TPrinterChoice(const TPrinterChoice&) = delete;
  TPrinterChoice& operator=(const TPrinterChoice&) = delete;

  // The print dialog; a printer context to print on (deleted by the
  // caller), or null when cancelled. `to_file` tells whether the user
  // asked to print to a file.
  HDC RunPrintDialog(HWND owner, bool& to_file);
  void RunSetupDialog(HWND owner);

 private:
  HGLOBAL dev_mode_ = nullptr;
  HGLOBAL dev_names_ = nullptr;
};

struct PrintJob {
  std::u16string Text;       // lines ended by CR
  std::string Title;         // GBK; the print job's name
  LOGFONTW Font{};           // the control's font, at screen resolution
  COLORREF Color = 0;
  Alignment Align = Alignment::Left;
  std::u16string OutputFile; // the file to print to; empty for the printer
};

// Prints every page; false with a reason (GBK) when the printer refused.
bool PrintText(HDC printer, const PrintJob& job, std::string& reason);

}  // namespace mox::varelo
