#include "previewer/shell/mox_window.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "platform/process.h"
#include "platform/text_format.h"
#include "platform/text_encoding.h"
#include "platform/win32/framework/browser.h"
#include "platform/win32/framework/clipboard.h"
#include "platform/win32/framework/window_text.h"
#include "platform/win32/framework/source_link.h"
#include "platform/win32/framework/input_dialog.h"
#include "platform/win32/framework/print_preview.h"
#include "platform/win32/gdi_glyph_rasterizer.h"
#include "platform/win32/wide_text.h"
#include "previewer/fonts/face_table.h"
#include "previewer/render/grey_palette.h"
#include "previewer/shell/about_dialog.h"
#include "previewer/shell/busy_flag.h"
#include "previewer/shell/gdi_render_device.h"
#include "previewer/shell/commands.h"
#include "previewer/shell/open_dialog_data.h"
#include "previewer/shell/mox_printout.h"
#include "previewer/shell/print_dialog.h"
#include "previewer/shell/running_previewer.h"
#include "previewer/shell/settings_dialogs.h"
#include "previewer/shell/view_commands.h"
#include "previewer/startup/options.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

#ifndef WM_MOUSEHWHEEL
#define WM_MOUSEHWHEEL 0x020E
#endif

namespace mox {
namespace {

constexpr COLORREF kNoDocumentBackground = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kDocumentBackground = RGB(0xFF, 0xFF, 0xFF);

// The Change zoom and Enter page number boxes keep their text in buffers of
// this size.
constexpr std::size_t kZoomTextBuffer = 256;
constexpr std::size_t kPageTextBuffer = 256;
constexpr std::size_t kFindTextBuffer = 256;

// Ink levels of the page bitmap drawn in grey.
constexpr int kGreyLevels = 16;

// The timer that looks at the document's file while the window is shown.
constexpr UINT_PTR kFileCheckTimer = 1;
constexpr UINT kFileCheckMilliseconds = 1000;

}  // namespace

TMOXWindow::TMOXWindow(const std::vector<std::string>& arguments)
    : PageView(static_cast<PageViewHost&>(*this)) {
  std::vector<IgnoredOptionLine> ignored_lines;
  std::optional<std::string> error = ReadOptions(arguments, Settings(), &ignored_lines);
  SetLanguage(Settings().Lang);
  // No window exists yet: the boxes have no owner.
  const std::string program = arguments.empty() ? std::string() : arguments[0];
  if (error) {
    // Nothing is shown before the process ends.
    Report().Error(Format("%s:\n\n%s", program.c_str(), error->c_str()));
    std::exit(2);
  }
  // A line of the initialization file the program cannot read is named
  // once, and the program starts without it.
  if (!ignored_lines.empty()) {
    Report().Notice(IgnoredLinesText(ignored_lines, Settings().InitFilePath, Lang()),
                    Say(kWarningCaption), true);
  }
  SetBackgroundColor(kNoDocumentBackground);
  DviFileName = Settings().DocumentName;

  OpenDialogData.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  OpenDialogData.Filter = kOpenDialogFilter;
  OpenDialogData.DefaultExtension = kOpenDialogExtension;
  OpenDialogData.InitialDirectory = OpenDialogInitialDirectory(DviFileName);
  AttachScroller();

  // Chinese faces named in the face table beside the program serve their
  // ziti through TrueType.
  LoadFaceTable(Doc().Faces, FaceTableFileName(Settings().ProgramPath));
}

TMOXWindow::~TMOXWindow() { platform::SetGlyphReferenceWindow(nullptr); }

void TMOXWindow::SetFrame(HWND frame) {
  frame_ = frame;
  platform::SetGlyphReferenceWindow(Handle());
  SetTimer(Handle(), kFileCheckTimer, kFileCheckMilliseconds, nullptr);
}

bool TMOXWindow::CanClose() { return CloseView(); }

bool TMOXWindow::DrawAheadStep() {
  if (Handle() == nullptr || frame_ == nullptr || !IsWindowVisible(frame_) || IsIconic(frame_)) {
    return false;
  }
  const win::WindowDc dc(Handle());
  return DrawAhead(GetDeviceCaps(dc.Get(), NUMCOLORS));
}

bool TMOXWindow::Command(int id) {
  const int command = EnglishCommandId(id);
  // Document commands do nothing without a document, whatever sent them.
  if (!IsCommandEnabled(command, IsDocumentOpen())) return true;
  switch (command) {
    case CM_OPEN:
      OpenFile();
      return true;
    case CM_QUIT:
      // A second Quit while the first one's close is asked is dropped.
      if (frame_ != nullptr && !quitting_) {
        BusyFlag busy(quitting_);
        SendMessageW(frame_, WM_CLOSE, 0, 0);
      }
      return true;
    case CM_ABOUT:
      ShowAbout();
      return true;
    case CM_ZOOMCHANGE:
      ChangeZoom();
      return true;
    case CM_OPTIONS:
      if (const std::optional<OptionsChoice> choice =
              RunOptionsDialog(Owner(), Settings(), Lang())) {
        ApplyOptions(*choice);
      }
      return true;
    case CM_TRUETYPE:
      ChooseTrueTypeFonts();
      return true;
    case CM_SELECTPAGE:
      if (const std::optional<std::int32_t> position = RunPageDialog(Owner(), Doc(), CurrentPage)) {
        GotoListPosition(*position);
      }
      return true;
    case CM_ENTERPAGE:
      EnterPageNumber();
      return true;
    case CM_FIND:
      AskFindText();
      return true;
    case CM_FINDNEXT:
      // Without a text found before, the box asks for one.
      if (!FindNext()) AskFindText();
      return true;
    case CM_COPY:
      CopySelection();
      return true;
    case CM_PRINT:
      PrintPages();
      return true;
    case CM_HELP:
      ShowHelp();
      return true;
    default:
      return ViewCommand(command);
  }
}

void TMOXWindow::OpenFile() {
  const std::optional<std::string> path =
      win::RunOpenFileDialog(Owner(), OpenDialogData, Say(kOpenDviTitle));
  if (path) OpenChosenFile(*path);
}

void TMOXWindow::ChangeZoom() {
  std::string text = ZoomDialogText(Zoom());
  win::TInputDialog dialog(Owner(), Say(kZoomDialogTitle),
                           Say(kZoomDialogPrompt), &text, kZoomTextBuffer);
  if (dialog.Execute() == IDOK) ApplyZoomText(text);
}

void TMOXWindow::EnterPageNumber() {
  std::string text = CurrentPageNumberText();
  win::TInputDialog dialog(Owner(), Say(kPageDialogTitle),
                           Say(kPageDialogPrompt), &text, kPageTextBuffer);
  if (dialog.Execute() == IDOK) GotoPageNumberText(text);
}

void TMOXWindow::AskFindText() {
  std::string text = FindQuery();
  win::TInputDialog dialog(Owner(), Say(kFindDialogTitle), Say(kFindDialogPrompt), &text,
                           kFindTextBuffer);
  if (dialog.Execute() == IDOK) FindInDocument(text);
}

void TMOXWindow::ChooseTrueTypeFonts() {
  const std::string path = FaceTableFileName(Settings().ProgramPath);
  TTFontDialog dialog(Owner(), Doc().Faces, Lang());
  if (dialog.Execute() != IDOK) {
    // The choices made in the dialog are undone.
    LoadFaceTable(Doc().Faces, path);
    return;
  }
  if (SaveFaceTable(Doc().Faces, path) != 0) {
    Report().Error(Format(Say(kFacesNotSaved), path.c_str()));
  }
  FacesChanged();
}

void TMOXWindow::PrintPages() {
  const PrintList list = PrintListData(Doc(), StoredPrintPages);
  win::ListBoxData pages{list.Lines, list.Selected};
  // The dialog comes back after Setup, Preview and Print, with the lines
  // selected as the user left them.
  while (IsDocumentOpen()) {
    TMOXPrintDialog dialog(Owner(), pages, Lang());
    const INT_PTR result = dialog.Execute();
    if (result == IDCANCEL || result < 0) break;
    StoredPrintPages = PrintSelectionPages(Doc(), pages.Selected);
    if (result == IDC_PRINT_SETUP) {
      printer_.Setup(Owner());
    } else if (result == IDC_PRINT_PREVIEW) {
      RunPreview();
    } else if (result == IDC_PRINT_NOW) {
      RunPrint();
    } else {
      break;
    }
  }
}

namespace {

void NoPrinter(Reporter& report) { report.Error(report.Say(kNoPrinter)); }

POINT DotsOf(HDC dc) { return {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)}; }

}  // namespace

void TMOXWindow::RunPrint() {
  // The printer's dots are known once the print dialog made its context:
  // the printout reads them from there.
  win::PrinterDc probe = printer_.MakeDc();
  if (!probe) {
    NoPrinter(Report());
    return;
  }
  TMOXWindowPrintout printout(*this, DotsOf(probe.Get()));
  probe = win::PrinterDc();
  printout.Title = platform::Widen(PrintTitle(DviFileName));
  printout.Banding = true;
  BeginPrintRun(1);
  const win::TPrinter::Outcome outcome = printer_.Print(Owner(), printout, true);
  EndPrintRun();
  if (outcome == win::TPrinter::Outcome::NoPrinter) NoPrinter(Report());
  if (outcome == win::TPrinter::Outcome::Failed) Report().Error(Say(kPrintingFailed));
}

void TMOXWindow::RunPreview() {
  win::PrinterDc printer = printer_.MakeDc();
  if (!printer) {
    NoPrinter(Report());
    return;
  }
  const SIZE extent{GetDeviceCaps(printer.Get(), HORZRES), GetDeviceCaps(printer.Get(), VERTRES)};
  TMOXWindowPrintout printout(*this, DotsOf(printer.Get()));
  printout.PageSize = extent;
  win::TPreviewPage page(printout);
  win::TLayoutWindow layout(page, [extent](int width, int height) {
    const PreviewRect r = PreviewPageRect(width, height, extent.cx, extent.cy);
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
  });
  win::FrameDecoration decoration;
  decoration.Title = Say(kPreviewTitle);
  decoration.IconId = IDI_MOX;
  decoration.StatusField = Say(kPreviewCloseHint);
  win::TModalFrame preview(layout, decoration);
  printout.SetPreviewPage(&page);
  BeginPrintRun(2);
  // The preview shows before its page is scanned, and draws it while it
  // shows; a page that cannot be scanned closes it again.
  preview.Execute(frame_, [&] {
    if (!printout.HasPage(1)) return false;
    page.Start();
    return true;
  });
  EndPrintRun();
}

void TMOXWindow::ShowAbout() {
  if (about_open_) return;
  BusyFlag busy(about_open_);
  TAboutDialog about(Owner());
  about.Execute();
}

void TMOXWindow::BuildPalette(HDC dc) {
  const std::vector<RgbColour> ramp = GreyPalette(kGreyLevels, Settings().Gamma);
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + kGreyLevels * sizeof(PALETTEENTRY), 0);
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = kGreyLevels;
  // LOGPALETTE declares room for one entry; the storage holds all of them.
  auto* entries = reinterpret_cast<PALETTEENTRY*>(storage.data() + offsetof(LOGPALETTE, palPalEntry));
  for (int i = 0; i < kGreyLevels; ++i) {
    entries[i] = {ramp[static_cast<std::size_t>(i)].Red, ramp[static_cast<std::size_t>(i)].Green,
                  ramp[static_cast<std::size_t>(i)].Blue, 0};
  }
  if (palette_) {
    SetPaletteEntries(palette_.Get(), 0, kGreyLevels, entries);
    return;
  }
  palette_.Reset(CreatePalette(logical));
  if (palette_) RealizePagePalette(dc, false);
}

int TMOXWindow::RealizePagePalette(HDC dc, bool repaint) {
  if (realizing_ || !palette_ || dc == nullptr) return 0;
  BusyFlag busy(realizing_);
  const HPALETTE old = SelectPalette(dc, palette_.Get(), FALSE);
  const UINT changed = ::RealizePalette(dc);
  if (changed != 0 && changed != GDI_ERROR) {
    if (repaint) {
      InvalidateRect(Handle(), nullptr, FALSE);
    } else {
      UpdateColors(dc);
    }
  }
  if (old != nullptr) SelectPalette(dc, old, FALSE);
  return 1;
}

void TMOXWindow::Paint(HDC dc, const RECT& damaged, bool) {
  GdiRenderDevice device(dc);
  // Grey pages want their levels in the display's palette, where it has one.
  if (!palette_ && BitsPerPixelFor(Zoom(), device.ColourCount()) > 1) BuildPalette(dc);
  if (palette_) {
    SelectPalette(dc, palette_.Get(), FALSE);
    ::RealizePalette(dc);
  }
  PaintView(device, {damaged.left, damaged.top, damaged.right, damaged.bottom});
  DrawHighlights(dc);
  DrawPendingMark(dc);
}

void TMOXWindow::DrawHighlights(HDC dc) {
  if (PaintEnabled == 0) return;
  // The paint context is in scrolled-view pixels, the rectangles in
  // client pixels; the clip keeps the inversion to what was just painted.
  const platform::TScroller& scroller = ViewScroller();
  const int dx = static_cast<int>(scroller.XPos * UnitX);
  const int dy = static_cast<int>(scroller.YPos * UnitY);
  for (const PixelRect& r : HighlightRects()) {
    PatBlt(dc, r.Left + dx, r.Top + dy, r.Right - r.Left, r.Bottom - r.Top, DSTINVERT);
  }
}

void TMOXWindow::InvalidateClientRect(const PixelRect& rect) {
  if (Handle() == nullptr) return;
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  InvalidateRect(Handle(), &r, FALSE);
}

void TMOXWindow::CaptureMouse(bool captured) {
  if (Handle() == nullptr) return;
  if (captured) {
    SetCapture(Handle());
  } else if (GetCapture() == Handle()) {
    ReleaseCapture();
  }
}

void TMOXWindow::PutOnClipboard(const std::string& utf8) {
  win::SetClipboardText(Handle(), platform::DecodeUtf8(utf8));
}

bool TMOXWindow::OpenAddress(const std::string& address) {
  return win::OpenInBrowser(Owner(), platform::Widen(address));
}

bool TMOXWindow::SetLinkCursor(LPARAM hit) {
  if (LOWORD(hit) != HTCLIENT || busy_depth_ > 0) return false;
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  if (!IsOverLink(point.x, point.y)) return false;
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
  return true;
}

void TMOXWindow::MarkPlace(std::int32_t x, std::int32_t y, std::int32_t height) {
  if (Handle() == nullptr) return;
  // From a little left of the special to the window's right edge, the line
  // above the baseline and a little below it: inverted, so it shows on
  // white and on ink alike.
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT mark{std::max<LONG>(x - 6, 0), y - height, client.right, y + height / 4 + 2};
  const platform::TScroller& scroller = ViewScroller();
  const LONG dx = static_cast<LONG>(scroller.XPos * UnitX);
  const LONG dy = static_cast<LONG>(scroller.YPos * UnitY);
  InvalidateRect(Handle(), &mark, FALSE);
  OffsetRect(&mark, dx, dy);
  pending_mark_ = mark;
}

void TMOXWindow::DrawPendingMark(HDC dc) {
  if (!pending_mark_ || PaintEnabled == 0) return;
  const RECT& mark = *pending_mark_;
  PatBlt(dc, mark.left, mark.top, mark.right - mark.left, mark.bottom - mark.top, DSTINVERT);
  pending_mark_.reset();
}

void TMOXWindow::ShowSourceLine(const std::string& file, std::int32_t line) {
  // A running editor is asked; otherwise the editor beside the previewer
  // is started on the file and line.
  if (win::SendSourcePosition(win::kEditorFrameClass, {line, file, std::string()})) return;
  const std::string editor = Settings().ProgramDirectory + "Varelo.exe";
  const std::string command = "\"" + editor + "\" \"" + file + "\" " + std::to_string(line);
  if (!platform::StartProgram(command, SW_SHOWNORMAL)) {
    Report().Error(Format(Say(kCannotStartEditor),
                     editor.c_str()));
  }
}

void TMOXWindow::MeasureClient(std::uint32_t& width, std::uint32_t& height) {
  RECT client{};
  if (Handle() != nullptr) GetClientRect(Handle(), &client);
  width = static_cast<std::uint32_t>(client.right > 0 ? client.right : 0);
  height = static_cast<std::uint32_t>(client.bottom > 0 ? client.bottom : 0);
}

void TMOXWindow::InvalidateView(bool erase) {
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, erase ? TRUE : FALSE);
}

bool TMOXWindow::HasPendingPaint() {
  return Handle() != nullptr && GetUpdateRect(Handle(), nullptr, FALSE) != 0;
}

void TMOXWindow::SetDocumentBackground(bool document_shown) {
  SetBackgroundColor(document_shown ? kDocumentBackground : kNoDocumentBackground);
}

void TMOXWindow::ShowBusy(bool busy) {
  if (busy) {
    if (busy_depth_++ == 0) {
      saved_cursor_ = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    }
  } else if (busy_depth_ > 0 && --busy_depth_ == 0) {
    SetCursor(saved_cursor_);
  }
}

platform::TScroller& TMOXWindow::ViewScroller() { return *Scroller(); }

void TMOXWindow::RebuildPalette() {
  win::WindowDc dc(Handle());
  BuildPalette(dc.Get());
}

void TMOXWindow::BeginRulerDrawing() {
  ruler_dc_.emplace(Handle());
  SetROP2(ruler_dc_->Get(), R2_XORPEN);
  // Ticks under 10 mm in green, the others and the axes in yellow.
  const COLORREF colours[5] = {RGB(0, 255, 0), RGB(0, 255, 0), RGB(255, 255, 0),
                               RGB(255, 255, 0), RGB(255, 255, 0)};
  for (std::size_t i = 0; i < ruler_pens_.size(); ++i) {
    if (!ruler_pens_[i]) ruler_pens_[i].Reset(CreatePen(PS_SOLID, 1, colours[i]));
  }
  SetCapture(Handle());
}

void TMOXWindow::DrawRulerLines(const std::vector<RulerLine>& lines) {
  if (!ruler_dc_) return;
  const HDC dc = ruler_dc_->Get();
  const HGDIOBJ old = SelectObject(dc, ruler_pens_[0].Get());
  for (const RulerLine& line : lines) {
    SelectObject(dc, ruler_pens_[static_cast<std::size_t>(line.Pen)].Get());
    MoveToEx(dc, line.X0, line.Y0, nullptr);
    LineTo(dc, line.X1, line.Y1);
  }
  SelectObject(dc, old);
}

void TMOXWindow::EndRulerDrawing() {
  ruler_dc_.reset();
  if (GetCapture() == Handle()) ReleaseCapture();
}

std::string TMOXWindow::FrameCaption() {
  // Whole, however long the file's name: the ruler gives it back as it was.
  return frame_ == nullptr ? std::string() : win::WindowText(frame_);
}

void TMOXWindow::SetFrameCaption(const std::string& text) {
  if (frame_ != nullptr) SetWindowTextW(frame_, platform::Widen(text).c_str());
}

void TMOXWindow::ShowMainFrame(bool shown) {
  if (frame_ != nullptr) ShowWindow(frame_, shown ? SW_SHOW : SW_HIDE);
}

void TMOXWindow::RealizePalette() {
  win::WindowDc dc(Handle());
  RealizePagePalette(dc.Get(), true);
}

LRESULT TMOXWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = TWindow::HandleMessage(message, wparam, lparam);
      if (IsDocumentOpen() && wparam != SIZE_MINIMIZED) UpdateScroller();
      return result;
    }
    case WM_SETFOCUS:
      FocusGained();
      return 0;
    case WM_TIMER:
      // Only while the user can see the page: not minimized, not hidden
      // for printing, and no modal dialog or box running over it.
      if (wparam == kFileCheckTimer && frame_ != nullptr && IsWindowVisible(frame_) &&
          !IsIconic(frame_) && IsWindowEnabled(frame_)) {
        CheckDocumentFile();
      }
      return 0;
    case WM_MOUSEWHEEL: {
      const WORD keys = GET_KEYSTATE_WPARAM(wparam);
      WheelTurned(GET_WHEEL_DELTA_WPARAM(wparam), (keys & MK_SHIFT) != 0,
                  (keys & MK_CONTROL) != 0);
      return 0;
    }
    case WM_MOUSEHWHEEL:
      // Tilted to the right: the page moves left, as scrolling right does.
      WheelTurned(-GET_WHEEL_DELTA_WPARAM(wparam), true, false);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == Handle() && SetLinkCursor(lparam)) return TRUE;
      return TWindow::HandleMessage(message, wparam, lparam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      MouseMessage(message, wparam, lparam);
      return 0;
    case WM_COPYDATA:
      return CopyDataReceived(lparam);
    case WM_PALETTECHANGED:
    case WM_QUERYNEWPALETTE:
      return PaletteMessage(message, wparam);
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize = {Scaled(300), Scaled(300)};
      return 0;
    }
    default:
      return TWindow::HandleMessage(message, wparam, lparam);
  }
}

// The left button: the ruler, the text selection, links and the inverse
// search's Ctrl+double-click.
void TMOXWindow::MouseMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      // Ctrl+click belongs to the inverse search's double-click; Shift
      // selects text; a click on a link follows it; else the ruler.
      const int x = GET_X_LPARAM(lparam);
      const int y = GET_Y_LPARAM(lparam);
      if ((wparam & MK_CONTROL) != 0) return;
      if ((wparam & MK_SHIFT) != 0) {
        SelectionPress(x, y);
      } else if (IgnoreNextClick != 0 || !FollowLinkAt(x, y)) {
        RulerPress(x, y);
      }
      return;
    }
    case WM_LBUTTONDBLCLK:
      if ((wparam & MK_CONTROL) != 0) InverseSearch(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return;
    case WM_MOUSEMOVE:
      RulerMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      SelectionMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return;
    case WM_LBUTTONUP:
      EndRulerDrag();
      SelectionRelease(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a message box, a click elsewhere):
      // no button-up will come, so the drag ends here; a selection keeps
      // what it had.
      EndRulerDrag();
      if (SelectionActive() && reinterpret_cast<HWND>(lparam) != Handle()) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(Handle(), &point);
        SelectionRelease(point.x, point.y);
      }
      return;
    default:
      return;
  }
}

// Another program's WM_COPYDATA: an editor's forward search to a source
// line, else a request to show a document.
LRESULT TMOXWindow::CopyDataReceived(LPARAM data) {
  if (const std::optional<platform::SourcePosition> position =
          win::ReceivedSourcePosition(data)) {
    win::BringToFront(Owner());
    ForwardSearch(position->File, position->Line, position->DviFile);
    return TRUE;
  }
  return AnswerShowRequest(data, IsDocumentOpen() ? DviFileName : std::string(), Owner())
             ? TRUE
             : FALSE;
}

// The page's palette again when another window changed the system's, or
// when the window is about to be activated.
LRESULT TMOXWindow::PaletteMessage(UINT message, WPARAM wparam) {
  if (message == WM_PALETTECHANGED) {
    if (reinterpret_cast<HWND>(wparam) != Handle() && !palette_changing_) {
      BusyFlag busy(palette_changing_);
      RealizePalette();
    }
    return 0;
  }
  win::WindowDc dc(Handle());
  return RealizePagePalette(dc.Get(), true);
}

}  // namespace mox
