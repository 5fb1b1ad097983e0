#include "platform/win32/framework/rich_edit.h"

#include <cwchar>
#include <vector>

#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {
namespace {

constexpr LPARAM kLargestText = 2147482623;
constexpr UINT kUnicode = 1200;  // the code page of UTF-16 text

constexpr wchar_t kSelfProperty[] = L"MoxPlainRichEdit";

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The clipboard's text with its line ends as the control keeps them (CR).
std::u16string ClipboardText(HWND owner) {
  std::u16string text;
  if (!OpenClipboard(owner)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      const std::size_t limit = GlobalSize(data) / sizeof(char16_t);
      for (std::size_t i = 0; i < limit && chars[i] != u'\0'; ++i) {
        if (chars[i] == u'\n' && i > 0 && chars[i - 1] == u'\r') continue;
        text.push_back(chars[i] == u'\n' ? u'\r' : chars[i]);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

bool TPlainRichEdit::Create(HWND parent, int control_id) {
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  if (library == nullptr) return false;
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                          WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                              ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_DISABLENOSCROLL |
                              ES_WANTRETURN,
                          0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (edit_ == nullptr) return false;
  // Plain text: one format for the whole text, and a one-step undo (a
  // second undo takes the first back); set while the control is still
  // empty, as the control requires.
  SendMessageW(edit_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageW(edit_, EM_EXLIMITTEXT, 0, kLargestText);
  SendMessageW(edit_, EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
  SetWordWrap(false);
  SetPropW(edit_, kSelfProperty, this);
  control_procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPlainRichEdit::Subclass)));
  return true;
}

LRESULT CALLBACK TPlainRichEdit::Subclass(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  auto* self = static_cast<TPlainRichEdit*>(GetPropW(window, kSelfProperty));
  const WNDPROC procedure = self->control_procedure_;
  const bool control_v = message == WM_KEYDOWN && wparam == 'V' && KeyDown(VK_CONTROL) &&
                         !KeyDown(VK_MENU);
  const bool shift_insert = message == WM_KEYDOWN && wparam == VK_INSERT && KeyDown(VK_SHIFT) &&
                            !KeyDown(VK_CONTROL);
  if (message == WM_PASTE || control_v || shift_insert) {
    self->Paste();
    return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    RemovePropW(window, kSelfProperty);
    self->edit_ = nullptr;
  }
  return CallWindowProcW(procedure, window, message, wparam, lparam);
}

std::size_t TPlainRichEdit::TextLength() const {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, kUnicode};
  const LRESULT count = SendMessageW(edit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::u16string TPlainRichEdit::Text() const {
  const std::size_t length = TextLength();
  std::vector<wchar_t> buffer(length + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  get.flags = GT_DEFAULT;  // CR line ends, as the positions count them
  get.codepage = kUnicode;
  const LRESULT copied = SendMessageW(edit_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                      reinterpret_cast<LPARAM>(buffer.data()));
  const std::size_t size = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), size);
}

void TPlainRichEdit::SetText(const std::u16string& text) {
  SETTEXTEX set{ST_DEFAULT, kUnicode};
  SendMessageW(edit_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
               reinterpret_cast<LPARAM>(Wide(text)));
  SendMessageW(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
  SetSelection(0, 0);
}

std::u16string TPlainRichEdit::TextRange(std::size_t start, std::size_t end) const {
  if (end <= start) return {};
  std::vector<wchar_t> buffer(end - start + 1, L'\0');
  TEXTRANGEW range{};
  range.chrg.cpMin = static_cast<LONG>(start);
  range.chrg.cpMax = static_cast<LONG>(end);
  range.lpstrText = buffer.data();
  const LRESULT copied = SendMessageW(edit_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  const std::size_t size = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), size);
}

void TPlainRichEdit::GetSelection(std::size_t& start, std::size_t& end) const {
  CHARRANGE range{};
  SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  start = range.cpMin > 0 ? static_cast<std::size_t>(range.cpMin) : 0;
  end = range.cpMax > 0 ? static_cast<std::size_t>(range.cpMax) : 0;
}

void TPlainRichEdit::SetSelection(std::size_t start, std::size_t end) {
  CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(end)};
  SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void TPlainRichEdit::ReplaceSelection(std::u16string_view text) {
  const std::u16string copy(text);
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(copy)));
}

bool TPlainRichEdit::HasSelection() const {
  std::size_t start = 0;
  std::size_t end = 0;
  GetSelection(start, end);
  return end > start;
}

bool TPlainRichEdit::IsModified() const { return SendMessageW(edit_, EM_GETMODIFY, 0, 0) != 0; }

void TPlainRichEdit::SetModified(bool modified) {
  SendMessageW(edit_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

long TPlainRichEdit::LineFromPosition(std::size_t position) const {
  return static_cast<long>(SendMessageW(edit_, EM_EXLINEFROMCHAR, 0, static_cast<LPARAM>(position)));
}

std::size_t TPlainRichEdit::LineStart(long line) const {
  const LRESULT start = SendMessageW(edit_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  return start > 0 ? static_cast<std::size_t>(start) : 0;
}

void TPlainRichEdit::Undo() { SendMessageW(edit_, EM_UNDO, 0, 0); }
void TPlainRichEdit::Cut() { SendMessageW(edit_, WM_CUT, 0, 0); }
void TPlainRichEdit::Copy() { SendMessageW(edit_, WM_COPY, 0, 0); }
void TPlainRichEdit::Paste() {
  if ((GetWindowLongW(edit_, GWL_STYLE) & ES_READONLY) != 0) return;
  const std::u16string text = ClipboardText(edit_);
  if (!text.empty()) ReplaceSelection(text);
}
void TPlainRichEdit::DeleteSelection() { SendMessageW(edit_, WM_CLEAR, 0, 0); }
void TPlainRichEdit::SelectAll() {
  CHARRANGE all{0, -1};
  SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

void TPlainRichEdit::SetWordWrap(bool wrap) {
  word_wrap_ = wrap;
  // A target device of none with line width 0 wraps at the window; width
  // 1 does not wrap.
  SendMessageW(edit_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
  SendMessageW(edit_, EM_SHOWSCROLLBAR, SB_HORZ, wrap ? FALSE : TRUE);
}

CHARFORMAT2W TPlainRichEdit::SelectionFormat() const {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  SendMessageW(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

LOGFONTW TPlainRichEdit::SelectionFont() const {
  const CHARFORMAT2W format = SelectionFormat();
  LOGFONTW font{};
  const WindowDc screen(nullptr);
  // The control keeps the height in twips.
  font.lfHeight = -MulDiv(format.yHeight, GetDeviceCaps(screen.Get(), LOGPIXELSY), 1440);
  font.lfWeight = (format.dwEffects & CFE_BOLD) != 0 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (format.dwEffects & CFE_ITALIC) != 0;
  font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) != 0;
  font.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) != 0;
  font.lfCharSet = format.bCharSet;
  font.lfPitchAndFamily = format.bPitchAndFamily;
  std::wcsncpy(font.lfFaceName, format.szFaceName, LF_FACESIZE - 1);
  return font;
}

COLORREF TPlainRichEdit::SelectionColor() const { return SelectionFormat().crTextColor; }

void TPlainRichEdit::SetSelectionFont(const LOGFONTW& font, COLORREF color) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                  CFM_CHARSET | CFM_COLOR;
  const WindowDc screen(nullptr);
  const int pixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  format.yHeight = MulDiv(pixels, 1440, GetDeviceCaps(screen.Get(), LOGPIXELSY));
  format.dwEffects = (font.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (font.lfItalic ? CFE_ITALIC : 0) |
                     (font.lfUnderline ? CFE_UNDERLINE : 0) | (font.lfStrikeOut ? CFE_STRIKEOUT : 0);
  format.crTextColor = color;
  format.bCharSet = font.lfCharSet;
  format.bPitchAndFamily = font.lfPitchAndFamily;
  std::wcsncpy(format.szFaceName, font.lfFaceName, LF_FACESIZE - 1);
  SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void TPlainRichEdit::SetDefaultFont(const std::string& face, int tenths_of_points,
                                    BYTE charset) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET;
  format.yHeight = tenths_of_points * 2;  // twips
  format.bCharSet = charset;
  const std::wstring wide = platform::Widen(face);
  std::wcsncpy(format.szFaceName, wide.c_str(), LF_FACESIZE - 1);
  SendMessageW(edit_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(edit_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void TPlainRichEdit::SetAlignment(WORD alignment) {
  PARAFORMAT2 format{};
  format.cbSize = sizeof format;
  format.dwMask = PFM_ALIGNMENT;
  format.wAlignment = alignment;
  SendMessageW(edit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

WORD TPlainRichEdit::Alignment() const {
  PARAFORMAT2 format{};
  format.cbSize = sizeof format;
  SendMessageW(edit_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  return format.wAlignment;
}

}  // namespace mox::win
