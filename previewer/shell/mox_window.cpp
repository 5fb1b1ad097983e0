#include "previewer/shell/mox_window.h"

#include <commdlg.h>

#include <cstdlib>

#include "platform/text_format.h"
#include "previewer/shell/about_dialog.h"
#include "previewer/shell/commands.h"
#include "previewer/shell/open_dialog_data.h"
#include "previewer/startup/language.h"
#include "previewer/startup/messages.h"
#include "previewer/startup/options.h"

namespace mox {
namespace {

constexpr COLORREF kNoDocumentBackground = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kDocumentBackground = RGB(0xFF, 0xFF, 0xFF);

}  // namespace

TMOXWindow::TMOXWindow(const std::vector<std::string>& arguments) {
  if (std::optional<std::string> error = ReadOptions(arguments)) {
    // No window exists yet: the box has no owner, and nothing is shown
    // before the process ends.
    const std::string program = arguments.empty() ? std::string() : arguments[0];
    ShowError(Format("%s:\n\n%s", program.c_str(), error->c_str()));
    std::exit(2);
  }
  SetBackgroundColor(kNoDocumentBackground);
  DviFileName = CurrentOptions().DocumentName;

  DialogData.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  DialogData.Filter = kOpenDialogFilter;
  DialogData.DefaultExtension = kOpenDialogExtension;
  DialogData.InitialDirectory = OpenDialogInitialDirectory(DviFileName);
  AttachScroller();
}

TMOXWindow::~TMOXWindow() = default;

bool TMOXWindow::CanClose() {
  if (closing_) return false;
  closing_ = true;
  UnloadDocument();
  closing_ = false;
  return true;
}

bool TMOXWindow::Command(int id) {
  const int command = EnglishCommandId(id);
  // Document commands do nothing without a document, whatever sent them.
  if (!IsCommandEnabled(command, IsDocumentOpen())) return true;
  switch (command) {
    case CM_QUIT:
      if (frame_ != nullptr) SendMessageW(frame_, WM_CLOSE, 0, 0);
      return true;
    case CM_ABOUT:
      ShowAbout();
      return true;
    default:
      return false;
  }
}

void TMOXWindow::ShowAbout() {
  if (about_open_) return;
  about_open_ = true;
  TAboutDialog about(frame_ != nullptr ? frame_ : Handle());
  about.Execute();
  about_open_ = false;
}

void TMOXWindow::UpdateScroller() {
  if (updating_scroller_ || Scroller() == nullptr) return;
  updating_scroller_ = true;
  RECT client;
  GetClientRect(Handle(), &client);
  ClientWidth = static_cast<std::uint32_t>(client.right);
  ClientHeight = static_cast<std::uint32_t>(client.bottom);
  const std::int32_t paint_enabled = PaintEnabled;
  PaintEnabled = 0;
  if (!IsDocumentOpen()) {
    OffsetX = OffsetY = 0;
    UnitX = UnitY = 1;
    Scroller()->SetRange(0, 0);
    Scroller()->SetUnits(1, 1);
    Scroller()->ScrollTo(0, 0);
  }
  RECT pending;
  if (!GetUpdateRect(Handle(), &pending, FALSE)) InvalidateRect(Handle(), nullptr, FALSE);
  PaintEnabled = paint_enabled;
  updating_scroller_ = false;
}

void TMOXWindow::UnloadDocument() {
  FileOpen = 0;
  DviFileName.clear();
  CurrentPage = -1;
  UpdateScroller();
  SetBackgroundColor(kNoDocumentBackground);
  InvalidateRect(Handle(), nullptr, TRUE);
  UpdateTitle();
}

void TMOXWindow::UpdateTitle() {
  ShowStatus(ProgramTitle());
}

void TMOXWindow::Paint(HDC, const RECT&, bool) {
  if (PrintMode != 0 || painting_) return;
  painting_ = true;
  if (!first_paint_done_) {
    // The frame is shown and sized by now, so layout can measure it.
    first_paint_done_ = true;
    UpdateScroller();
  }
  painting_ = false;
}

LRESULT TMOXWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = TWindow::HandleMessage(message, wparam, lparam);
      if (IsDocumentOpen() && wparam != SIZE_MINIMIZED) UpdateScroller();
      return result;
    }
    default:
      return TWindow::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace mox
