#include "platform/win32/framework/coded_dialog.h"

#include <vector>

#include "platform/win32/framework/dpi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {
namespace {

constexpr DWORD kDialogStyle =
    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// A template with no controls: style, no menu, the dialog class, no
// caption (set in wide text afterwards) and the dialog font.
std::vector<WORD> BlankTemplate() {
  std::vector<WORD> words;
  words.push_back(LOWORD(kDialogStyle));
  words.push_back(HIWORD(kDialogStyle));
  words.insert(words.end(), {0, 0, 0, 0, 0, 10, 10, 0, 0, 0, 9});
  for (const wchar_t* face = L"MS Shell Dlg";; ++face) {
    words.push_back(static_cast<WORD>(*face));
    if (*face == L'\0') break;
  }
  return words;
}

}  // namespace

TCodedDialog::TCodedDialog(HWND owner, std::string caption, SIZE client, TypeFace face)
    : TModelessDialog(owner, BlankTemplate()),
      caption_(std::move(caption)),
      client_(client),
      face_(std::move(face)) {}

HFONT TCodedDialog::Font() const {
  // Without the face asked for, the dialog's own.
  return font_ ? font_.Get() : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
}

HWND TCodedDialog::AddControl(const wchar_t* window_class, const std::string& text, DWORD style,
                              const RECT& box, int id, DWORD ex_style) {
  const RECT place = Scaled(box);
  const HWND control = CreateWindowExW(
      ex_style, window_class, platform::Widen(text).c_str(), WS_CHILD | style, place.left,
      place.top, place.right, place.bottom, Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);
    Track(control, box);
  }
  return control;
}

RECT TCodedDialog::Scaled(const RECT& box) const {
  const int edges[4] = {box.left, box.top, box.right, box.bottom};
  const platform::ScaledBox scaled = platform::ScaleToDpi(edges, dpi_);
  return RECT{scaled.X, scaled.Y, scaled.Width, scaled.Height};
}

void TCodedDialog::Track(HWND control, const RECT& box) { placed_.push_back({control, box}); }

void TCodedDialog::MakeFont() {
  const int height = -MulDiv(face_.Points, dpi_, 72);
  font_.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, face_.CharSet,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face_.Name.c_str()));
}

void TCodedDialog::PlaceWindow(int left, int top) {
  RECT frame{0, 0, platform::ScaleToDpi(client_.cx, dpi_), platform::ScaleToDpi(client_.cy, dpi_)};
  AdjustWindowRectForDpi(frame, kDialogStyle, false, 0, dpi_);
  SetWindowPos(Handle(), nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCodedDialog::SetupWindow() {
  const HWND dialog = Handle();
  dpi_ = WindowDpi(dialog);
  SetWindowTextW(dialog, platform::Widen(caption_).c_str());
  MakeFont();
  // The client area in pixels, the whole centred on the work area.
  RECT frame{0, 0, platform::ScaleToDpi(client_.cx, dpi_), platform::ScaleToDpi(client_.cy, dpi_)};
  AdjustWindowRectForDpi(frame, kDialogStyle, false, 0, dpi_);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  PlaceWindow(work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
              work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2);
  CreateControls();
}

INT_PTR TCodedDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_DPICHANGED) return TModelessDialog::HandleMessage(message, wparam, lparam);
  // Laid out again here rather than stretched by the system: the font at
  // the new DPI, every control at its box, the client at its size.
  dpi_ = LOWORD(wparam);
  const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
  RECT now{};
  GetWindowRect(Handle(), &now);
  const ::mox::win::Font previous = std::move(font_);  // until the controls have the new one
  MakeFont();
  PlaceWindow(suggested != nullptr ? suggested->left : now.left,
              suggested != nullptr ? suggested->top : now.top);
  for (const Placed& placed : placed_) {
    const RECT box = Scaled(placed.Box);
    SendMessageW(placed.Control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    MoveWindow(placed.Control, box.left, box.top, box.right, box.bottom, TRUE);
  }
  DpiChanged();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace mox::win
