#include "platform/win32/framework/coded_dialog.h"

#include <vector>

#include "platform/win32/framework/application.h"
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
    : owner_(owner), caption_(std::move(caption)), client_(client), face_(std::move(face)) {}

TCodedDialog::~TCodedDialog() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool TCodedDialog::Create() {
  if (hwnd_ != nullptr) return true;
  const std::vector<WORD> words = BlankTemplate();
  const HWND created = CreateDialogIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner_,
      &TCodedDialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
  if (created == nullptr) return false;
  AddModelessDialog(created);
  return true;
}

void TCodedDialog::Show() {
  if (hwnd_ == nullptr && !Create()) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void TCodedDialog::Hide() {
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

HFONT TCodedDialog::Font() const {
  return font_ ? font_.Get() : reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
}

HWND TCodedDialog::AddControl(const wchar_t* window_class, const std::string& text, DWORD style,
                              const RECT& box, int id, DWORD ex_style) {
  const HWND control = CreateWindowExW(
      ex_style, window_class, platform::Widen(text).c_str(), WS_CHILD | style, box.left, box.top,
      box.right, box.bottom, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);
  return control;
}

INT_PTR CALLBACK TCodedDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TCodedDialog*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    SetWindowTextW(hwnd, platform::Widen(self->caption_).c_str());
    {
      WindowDc screen(nullptr);
      const int height = -MulDiv(self->face_.Points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
      self->font_.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    self->face_.CharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                    self->face_.Name.c_str()));
    }
    // The client area in pixels, the whole centred on the work area.
    RECT frame{0, 0, self->client_.cx, self->client_.cy};
    AdjustWindowRectEx(&frame, kDialogStyle, FALSE, 0);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    self->CreateControls();
    return TRUE;
  }
  auto* self = reinterpret_cast<TCodedDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    return self->Command(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
  }
  if (message == WM_CLOSE) {
    self->Hide();  // closing only hides
    return TRUE;
  }
  if (message == WM_NCDESTROY) {
    RemoveModelessDialog(hwnd);
    self->hwnd_ = nullptr;
    return FALSE;
  }
  return self->HandleMessage(message, wparam, lparam);
}

}  // namespace mox::win
