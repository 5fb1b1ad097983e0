// The printer of a program: the system print and printer setup dialogs,
// the settings they leave behind (kept for the next job), device contexts
// made from them, and the job that runs a printout page by page and band
// by band, with a box that lets the user cancel it.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/framework/printout.h"
#include "platform/win32/gdi.h"

namespace mox::win {

// A device context made with CreateDC, deleted with its owner.
class PrinterDc {
 public:
  PrinterDc() = default;
  explicit PrinterDc(HDC dc) : dc_(dc) {}
  ~PrinterDc() { if (dc_ != nullptr) DeleteDC(dc_); }
  PrinterDc(PrinterDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  PrinterDc& operator=(PrinterDc&& other) noexcept {
    if (this != &other) {
      if (dc_ != nullptr) DeleteDC(dc_);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  PrinterDc(const PrinterDc&) = delete;
  PrinterDc& operator=(const PrinterDc&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
};

class TPrinter {
 public:
  // Rows of a band when a printout wants its pages in strips.
  static constexpr int kBandRows = 512;

  enum class Outcome { Printed, Cancelled, NoPrinter, Failed };

  TPrinter() = default;
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Whether the system has a printer to print on.
  bool Available() const;
  // The printer setup dialog; its choices are kept.
  void Setup(HWND owner);
  // A device context for the chosen (or default) printer and its settings;
  // empty when there is none.
  PrinterDc MakeDc();
  // Runs a job: the system print dialog (with prompt), then every page the
  // printout has, each in bands of kBandRows rows when it wants banding.
  Outcome Print(HWND owner, TPrintout& printout, bool prompt);
  // The caption and button text of the box that lets a job be cancelled
  // (empty: the box's own, "Printing" and "Cancel").
  void SetCancelBoxTexts(std::wstring caption, std::wstring button) {
    cancel_caption_ = std::move(caption);
    cancel_button_ = std::move(button);
  }

 private:
  bool EnsureDefaults();
  // Print's steps before the pages: the print dialog's context (empty,
  // with the outcome in refused, when the user chose none) and the box
  // that cancels the job.
  PrinterDc AskForDc(HWND owner, TPrintout& printout, Outcome& refused);
  HWND OpenCancelBox(HWND owner, const TPrintout& printout) const;

  HGLOBAL device_mode_ = nullptr;   // DEVMODEW, as the dialogs keep it
  HGLOBAL device_names_ = nullptr;  // DEVNAMES
  std::wstring cancel_caption_;
  std::wstring cancel_button_;
};

}  // namespace mox::win
