#include "platform/win32/win32_user_interface.h"

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

constexpr int kWaitTextId = 100;
constexpr UINT_PTR kWaitTimer = 1;
constexpr UINT kWaitEvery = 100;  // milliseconds

struct WaitRequest {
  std::wstring Text;
  std::wstring Caption;
  std::wstring Cancel;
  const std::function<bool()>* Ended;
};

void AppendWords(std::vector<WORD>& words, const wchar_t* text) {
  do {
    words.push_back(static_cast<WORD>(*text));
  } while (*text++ != L'\0');
}

void AppendDword(std::vector<WORD>& words, DWORD value) {
  words.push_back(LOWORD(value));
  words.push_back(HIWORD(value));
}

// One control of the in-memory template: style, place in dialog units, id
// and its predefined class atom (0x0080 button, 0x0082 static).
void AppendItem(std::vector<WORD>& words, DWORD style, short x, short y, short cx, short cy,
                WORD id, WORD class_atom) {
  if (words.size() % 2 != 0) words.push_back(0);  // items start on a DWORD
  AppendDword(words, style | WS_CHILD | WS_VISIBLE);
  AppendDword(words, 0);
  for (short value : {x, y, cx, cy}) words.push_back(static_cast<WORD>(value));
  words.push_back(id);
  words.push_back(0xFFFF);
  words.push_back(class_atom);
  AppendWords(words, L"");
  words.push_back(0);  // no creation data
}

// A small modal box: the text, and Cancel, which also answers Escape.
std::vector<WORD> WaitBoxTemplate() {
  std::vector<WORD> words;
  AppendDword(words, DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE);
  AppendDword(words, 0);
  words.push_back(2);  // controls
  for (short value : {0, 0, 230, 84}) words.push_back(static_cast<WORD>(value));
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  AppendWords(words, L"");
  words.push_back(8);
  AppendWords(words, L"MS Shell Dlg");
  AppendItem(words, SS_LEFT, 10, 8, 210, 48, kWaitTextId, 0x0082);
  AppendItem(words, BS_PUSHBUTTON | WS_TABSTOP, 90, 62, 50, 14, IDCANCEL, 0x0080);
  return words;
}

INT_PTR CALLBACK WaitBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* request = reinterpret_cast<WaitRequest*>(lparam);
      SetWindowLongPtrW(box, DWLP_USER, lparam);
      SetWindowTextW(box, request->Caption.c_str());
      SetDlgItemTextW(box, kWaitTextId, request->Text.c_str());
      SetDlgItemTextW(box, IDCANCEL, request->Cancel.c_str());
      if ((*request->Ended)()) {
        EndDialog(box, 1);
      } else {
        SetTimer(box, kWaitTimer, kWaitEvery, nullptr);
      }
      return TRUE;
    }
    case WM_TIMER: {
      const auto* request = reinterpret_cast<const WaitRequest*>(GetWindowLongPtrW(box, DWLP_USER));
      if (wparam == kWaitTimer && request != nullptr && (*request->Ended)()) {
        KillTimer(box, kWaitTimer);
        EndDialog(box, 1);
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) {
        KillTimer(box, kWaitTimer);
        EndDialog(box, 0);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

int Win32UserInterface::ShowBox(std::string_view text, std::string_view caption,
                                unsigned style) {
  // The box belongs to the window the user works in (a modeless dialog
  // that asked, say), which gets the keys back when it closes. An empty
  // caption stays empty: a null one would read "Error".
  HWND owner = GetActiveWindow();
  if (owner == nullptr) owner = main_window_;
  return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), style);
}

void Win32UserInterface::SetCaption(std::string_view text) {
  if (main_window_ != nullptr) SetWindowTextW(main_window_, Widen(text).c_str());
}

bool Win32UserInterface::WaitFor(std::string_view text, std::string_view caption,
                                 std::string_view cancel,
                                 const std::function<bool()>& ended) {
  WaitRequest request{Widen(text), Widen(caption), Widen(cancel), &ended};
  const std::vector<WORD> words = WaitBoxTemplate();
  const INT_PTR answer = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
      main_window_, WaitBoxProcedure, reinterpret_cast<LPARAM>(&request));
  if (answer == -1) return UserInterface::WaitFor(text, caption, cancel, ended);  // no box: just wait
  return answer == 1;
}

}  // namespace mox::platform
