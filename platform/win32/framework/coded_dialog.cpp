#include "platform/win32/framework/coded_dialog.h"

#include <vector>

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
  const HWND control = CreateWindowExW(
      ex_style, window_class, platform::Widen(text).c_str(), WS_CHILD | style, box.left, box.top,
      box.right, box.bottom, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);
  return control;
}

void TCodedDialog::SetupWindow() {
  const HWND dialog = Handle();
  SetWindowTextW(dialog, platform::Widen(caption_).c_str());
  {
    WindowDc screen(nullptr);
    const int height = -MulDiv(face_.Points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    font_.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, face_.CharSet,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, face_.Name.c_str()));
  }
  // The client area in pixels, the whole centred on the work area.
  RECT frame{0, 0, client_.cx, client_.cy};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, 0);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  CreateControls();
}

}  // namespace mox::win
