// What a printer job prints: the printer asks the printout whether each
// page exists and has it draw the page, band by band, into the printer's
// device context.
#pragma once

#include <windows.h>

#include <string>

namespace mox::win {

class TPrintout {
 public:
  virtual ~TPrintout() = default;

  // The page range the system print dialog offers (all 0: none).
  virtual void GetDialogInfo(int& min_page, int& max_page, int& from_page, int& to_page) {
    min_page = max_page = from_page = to_page = 0;
  }
  virtual void BeginPrinting() {}
  virtual void BeginDocument() {}
  // Whether page n (from 1) exists; asked before the page is drawn.
  virtual bool HasPage(int page) = 0;
  // Draws the band (device coordinates of the context) of page n.
  virtual void PrintPage(int page, const RECT& band) = 0;
  virtual void EndDocument() {}
  virtual void EndPrinting() {}

  std::wstring Title;   // the job's name in the spooler
  bool Banding = false; // draw each page in strips
  HDC Dc = nullptr;     // the context drawn into, while a job or preview runs
  SIZE PageSize{};      // the printable area (HORZRES, VERTRES)
};

}  // namespace mox::win
