#include "platform/win32/framework/printer.h"

#include <commdlg.h>
#include <cderr.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

#include "platform/win32/framework/framework_ids.h"

namespace mox::win {
namespace {

// The job's cancel box: a modeless dialog whose Cancel sets the flag the
// job looks at between bands.
bool& JobCancelled() {
  static bool cancelled = false;
  return cancelled;
}

INT_PTR CALLBACK CancelBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetDlgItemTextW(box, MOX_PRINT_TITLE, reinterpret_cast<const wchar_t*>(lparam));
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) {
    JobCancelled() = true;
    EnableWindow(GetDlgItem(box, IDCANCEL), FALSE);
    return TRUE;
  }
  return FALSE;
}

// Lets the cancel box (and the rest of the program) have its messages
// while the job runs.
void Pump(HWND cancel_box) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (cancel_box != nullptr && IsDialogMessageW(cancel_box, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

BOOL CALLBACK AbortProcedure(HDC, int) {
  Pump(nullptr);
  return JobCancelled() ? FALSE : TRUE;
}

// Keeps the settings a dialog hands back, freeing those they replace.
void Keep(HGLOBAL& kept, HGLOBAL returned) {
  if (returned != kept && kept != nullptr) GlobalFree(kept);
  kept = returned;
}

// One page of a job, whole or in bands of kBandRows rows, the cancel box
// having its messages after each; false when the printer failed.
bool PrintPage(HDC dc, TPrintout& printout, int page, SIZE size, HWND cancel_box) {
  if (StartPage(dc) <= 0) return false;
  const LONG rows = printout.Banding ? TPrinter::kBandRows : size.cy;
  for (LONG top = 0; top < size.cy && !JobCancelled(); top += rows) {
    printout.PrintPage(page, RECT{0, top, size.cx, std::min(top + rows, size.cy)});
    Pump(cancel_box);
  }
  return EndPage(dc) > 0;
}

// The document of a job: its pages until the printout has no more or the
// user cancels, the document then ended (or, cancelled or failed,
// abandoned). False when the printer failed.
bool PrintDocument(HDC dc, TPrintout& printout, HWND cancel_box) {
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = printout.Title.c_str();
  if (StartDocW(dc, &document) <= 0) return false;
  printout.BeginDocument();
  const SIZE size = printout.PageSize;
  bool failed = false;
  for (int page = 1; !failed && !JobCancelled() && printout.HasPage(page); ++page) {
    failed = !PrintPage(dc, printout, page, size, cancel_box);
  }
  printout.EndDocument();
  if (failed || JobCancelled()) {
    AbortDoc(dc);
    return !failed;
  }
  return EndDoc(dc) > 0;
}

}  // namespace

TPrinter::~TPrinter() {
  if (device_mode_ != nullptr) GlobalFree(device_mode_);
  if (device_names_ != nullptr) GlobalFree(device_names_);
}

bool TPrinter::Available() const {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &count);
  if (needed == 0) return false;
  std::vector<BYTE> buffer(needed);
  return EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer.data(),
                       needed, &needed, &count) && count > 0;
}

bool TPrinter::EnsureDefaults() {
  if (device_names_ != nullptr) return true;
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT;
  if (!PrintDlgW(&dialog)) return false;
  Keep(device_mode_, dialog.hDevMode);
  Keep(device_names_, dialog.hDevNames);
  return device_names_ != nullptr;
}

void TPrinter::Setup(HWND owner) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = device_mode_;
  dialog.hDevNames = device_names_;
  dialog.Flags = PD_PRINTSETUP;
  if (PrintDlgW(&dialog)) {
    Keep(device_mode_, dialog.hDevMode);
    Keep(device_names_, dialog.hDevNames);
  }
}

PrinterDc TPrinter::MakeDc() {
  if (!Available() || !EnsureDefaults()) return PrinterDc();
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(device_names_));
  if (names == nullptr) return PrinterDc();
  const auto* base = reinterpret_cast<const wchar_t*>(names);
  const auto* mode =
      device_mode_ != nullptr ? static_cast<const DEVMODEW*>(GlobalLock(device_mode_)) : nullptr;
  PrinterDc dc(CreateDCW(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode));
  if (mode != nullptr) GlobalUnlock(device_mode_);
  GlobalUnlock(device_names_);
  return dc;
}

TPrinter::Outcome TPrinter::Print(HWND owner, TPrintout& printout, bool prompt) {
  if (!Available()) return Outcome::NoPrinter;
  PrinterDc dc;
  if (prompt) {
    Outcome refused = Outcome::Failed;  // also when the dialog made no context
    dc = AskForDc(owner, printout, refused);
    if (!dc) return refused;
  } else {
    dc = MakeDc();
  }
  if (!dc) return Outcome::Failed;

  printout.Dc = dc.Get();
  printout.PageSize = {GetDeviceCaps(dc.Get(), HORZRES), GetDeviceCaps(dc.Get(), VERTRES)};
  printout.BeginPrinting();
  JobCancelled() = false;
  const HWND cancel_box = OpenCancelBox(owner, printout);
  SetAbortProc(dc.Get(), AbortProcedure);
  const bool failed = !PrintDocument(dc.Get(), printout, cancel_box);
  printout.EndPrinting();
  printout.Dc = nullptr;
  if (cancel_box != nullptr) DestroyWindow(cancel_box);
  if (failed) return Outcome::Failed;
  return JobCancelled() ? Outcome::Cancelled : Outcome::Printed;
}

// The system print dialog, offered the printout's pages; the settings it
// leaves are kept whatever the user chose. The context it made, or an
// empty one with the reason in refused when the user chose no printer.
PrinterDc TPrinter::AskForDc(HWND owner, TPrintout& printout, Outcome& refused) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = device_mode_;
  dialog.hDevNames = device_names_;
  int min_page = 0;
  int max_page = 0;
  int from_page = 0;
  int to_page = 0;
  printout.GetDialogInfo(min_page, max_page, from_page, to_page);
  dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION |
                 (max_page > 0 ? 0 : PD_NOPAGENUMS);
  dialog.nMinPage = static_cast<WORD>(min_page);
  dialog.nMaxPage = static_cast<WORD>(max_page);
  dialog.nFromPage = static_cast<WORD>(from_page);
  dialog.nToPage = static_cast<WORD>(to_page);
  const BOOL chosen = PrintDlgW(&dialog);
  Keep(device_mode_, dialog.hDevMode);
  Keep(device_names_, dialog.hDevNames);
  if (!chosen) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) {
      refused = Outcome::Cancelled;
    } else {
      refused = error == PDERR_NODEFAULTPRN ? Outcome::NoPrinter : Outcome::Failed;
    }
    return PrinterDc();
  }
  return PrinterDc(dialog.hDC);
}

// The box that lets the user cancel the job, with the program's texts.
HWND TPrinter::OpenCancelBox(HWND owner, const TPrintout& printout) const {
  const HWND cancel_box = CreateDialogParamW(GetModuleHandleW(nullptr),
                                             MAKEINTRESOURCEW(MOX_PRINT_CANCEL_DIALOG), owner,
                                             CancelBoxProcedure,
                                             reinterpret_cast<LPARAM>(printout.Title.c_str()));
  if (cancel_box != nullptr && !cancel_caption_.empty()) {
    SetWindowTextW(cancel_box, cancel_caption_.c_str());
  }
  if (cancel_box != nullptr && !cancel_button_.empty()) {
    SetDlgItemTextW(cancel_box, IDCANCEL, cancel_button_.c_str());
  }
  return cancel_box;
}

}  // namespace mox::win
