// edit_timing: how fast Varelo edits a large file, measured from outside
// as a user would see it: each operation is sent to Varelo's windows as
// the keys and buttons would send it, and timed until the editor has
// repainted (UpdateWindow of the text window returns after its paint).
//
//   edit_timing VARELO.EXE FILE WORD
//       opens FILE in a Varelo started for it and prints one line a step:
//       "open", "find" (from the top to the last line, which must hold
//       the text "FINDME"), "replace all" (of WORD by its upper case, with
//       the count Varelo reports), "undo replace all", "select all and
//       type", "undo", "type one character" (the median of 50 at the
//       middle of the text), each "NAME: T ms".
//   edit_timing --bare OPERATION FILE [WORD]
//       does one operation in a bare rich-edit control in plain-text mode
//       (the control Varelo used before its own): "open", "find",
//       "select-type", "replace-all"; prints "bare OPERATION: T ms".
//       Some take minutes: the caller gives them a time limit.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr int kReplaceAllButton = 109;  // the replace dialog's buttons
constexpr int kFindBox = 101;
constexpr int kReplaceBox = 102;
constexpr WPARAM kFindCommand = 317;
constexpr WPARAM kReplaceCommand = 319;

double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, double milliseconds) {
  std::printf("%s: %.1f ms\n", name, milliseconds);
  std::fflush(stdout);
}

template <typename Predicate>
bool WaitFor(Predicate predicate, int milliseconds = 60000) {
  const double end = Now() + milliseconds;
  while (!predicate()) {
    if (Now() > end) return false;
    Sleep(1);
  }
  return true;
}

std::wstring FileText(const wchar_t* path) {
  std::wstring text;
  FILE* file = _wfopen(path, L"rb");
  if (file == nullptr) return text;
  std::string bytes;
  char buffer[65536];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
  std::fclose(file);
  const int length = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()),
                                         nullptr, 0);
  text.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

struct Search {
  DWORD Process;
  const wchar_t* Class;
  const wchar_t* Caption;
  HWND Found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  wchar_t caption[64] = L"";
  GetWindowTextW(window, caption, 64);
  if (process == search->Process && IsWindowVisible(window) &&
      std::wcscmp(name, search->Class) == 0 &&
      (search->Caption == nullptr || std::wcscmp(caption, search->Caption) == 0)) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

HWND TopWindow(DWORD process, const wchar_t* window_class, const wchar_t* caption) {
  Search search{process, window_class, caption, nullptr};
  EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  if (std::wcscmp(name, L"MoxTextEditor") == 0) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

// Copies the text of a box's non-empty static control (its message) into a
// 128-character buffer.
BOOL CALLBACK CopyStaticText(HWND child, LPARAM out) {
  wchar_t name[16] = L"";
  GetClassNameW(child, name, 16);
  if (std::wcscmp(name, L"Static") == 0 && GetWindowTextLengthW(child) > 0) {
    GetWindowTextW(child, reinterpret_cast<wchar_t*>(out), 128);
  }
  return TRUE;
}

HWND TextWindow(HWND frame) {
  HWND found = nullptr;
  EnumChildWindows(frame, FindChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 600000, &result);
  return static_cast<LRESULT>(result);
}

// Opens a dialog by its command and waits for it to show.
HWND OpenDialog(DWORD process, HWND frame, WPARAM command, const wchar_t* caption) {
  PostMessageW(frame, WM_COMMAND, command, 0);
  HWND dialog = nullptr;
  WaitFor([&] { return (dialog = TopWindow(process, L"#32770", caption)) != nullptr; });
  return dialog;
}

// Starts Varelo and waits for its frame; false (after saying why) when it
// did not start or showed no frame.
bool StartVarelo(const wchar_t* varelo, PROCESS_INFORMATION& info, HWND& frame) {
  std::wstring command = L"\"" + std::wstring(varelo) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    std::fprintf(stderr, "edit_timing: cannot start Varelo\n");
    return false;
  }
  const DWORD process = info.dwProcessId;
  WaitFor([&] { return (frame = TopWindow(process, L"VareloFrame", nullptr)) != nullptr; });
  if (frame == nullptr) {
    std::fprintf(stderr, "edit_timing: Varelo showed no frame\n");
    TerminateProcess(info.hProcess, 1);
    return false;
  }
  Sleep(500);  // the frame's first paint and its idle work
  return true;
}

// Open: the source-link message, which opens the file in a new window,
// timed until that window shows the text. The text window.
HWND TimeOpen(HWND frame, const wchar_t* file) {
  std::string path(static_cast<std::size_t>(
                       WideCharToMultiByte(CP_UTF8, 0, file, -1, nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, file, -1, path.data(), static_cast<int>(path.size()), nullptr,
                      nullptr);
  path.pop_back();  // the terminator
  const std::string position = "1\n" + path;
  COPYDATASTRUCT data{};
  data.dwData = 0x53524350;
  data.cbData = static_cast<DWORD>(position.size());
  data.lpData = const_cast<char*>(position.data());
  const double start = Now();
  Send(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  HWND text = nullptr;
  WaitFor([&] { return (text = TextWindow(frame)) != nullptr && Send(text, WM_GETTEXTLENGTH) > 0; });
  UpdateWindow(text);
  Report("open", Now() - start);
  return text;
}

// Find: from the top to the last line.
void TimeFind(DWORD process, HWND frame, HWND text) {
  HWND find = OpenDialog(process, frame, kFindCommand, L"\x67E5\x627E");  // 查找
  SetDlgItemTextW(find, kFindBox, L"FINDME");
  Send(text, EM_SETSEL, 0, 0);
  const double start = Now();
  Send(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  UpdateWindow(text);
  Report("find", Now() - start);
  DWORD found_at = 0;
  Send(text, EM_GETSEL, 0, 0);
  found_at = static_cast<DWORD>(Send(text, EM_LINEFROMCHAR, static_cast<WPARAM>(-1)));
  std::printf("found on line %lu\n", static_cast<unsigned long>(found_at + 1));
  Send(find, WM_COMMAND, IDCANCEL, 0);
}

// Replace all, with the count in Varelo's message, and its undo.
void TimeReplaceAll(DWORD process, HWND frame, HWND text, const wchar_t* word) {
  HWND replace = OpenDialog(process, frame, kReplaceCommand, L"\x66FF\x6362");  // 替换
  std::wstring upper(word);
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  SetDlgItemTextW(replace, kFindBox, word);
  SetDlgItemTextW(replace, kReplaceBox, upper.c_str());
  Send(text, EM_SETSEL, 0, 0);
  double start = Now();
  PostMessageW(replace, WM_COMMAND, MAKEWPARAM(kReplaceAllButton, BN_CLICKED), 0);
  HWND box = nullptr;
  WaitFor([&] { return (box = TopWindow(process, L"#32770", L"Varelo")) != nullptr; });
  const double replaced = Now() - start;
  wchar_t said[128] = L"";
  EnumChildWindows(box, CopyStaticText, reinterpret_cast<LPARAM>(said));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return TopWindow(process, L"#32770", L"Varelo") == nullptr; });
  start = Now();
  UpdateWindow(text);
  Report("replace all", replaced + (Now() - start));
  char said_utf8[256];
  WideCharToMultiByte(CP_UTF8, 0, said, -1, said_utf8, sizeof said_utf8, nullptr, nullptr);
  std::printf("replace all said: %s\n", said_utf8);
  Send(replace, WM_COMMAND, IDCANCEL, 0);
  start = Now();
  Send(text, EM_UNDO);
  UpdateWindow(text);
  Report("undo replace all", Now() - start);
}

// Select all and type one character, then its undo, which must give the
// text of length characters back.
void TimeSelectAllAndType(HWND text, LRESULT length) {
  double start = Now();
  Send(text, EM_SETSEL, 0, static_cast<LPARAM>(-1));
  Send(text, WM_CHAR, L'x', 1);
  UpdateWindow(text);
  Report("select all and type", Now() - start);
  if (Send(text, WM_GETTEXTLENGTH) != 1) std::printf("select all and type left more text\n");
  start = Now();
  Send(text, EM_UNDO);
  UpdateWindow(text);
  Report("undo", Now() - start);
  if (Send(text, WM_GETTEXTLENGTH) != length) std::printf("undo did not restore the text\n");
}

// Typing in the middle of the text: the median of 50 keystrokes.
void TimeTyping(HWND text, LRESULT length) {
  Send(text, EM_SETSEL, static_cast<WPARAM>(length / 2), static_cast<LPARAM>(length / 2));
  std::vector<double> keys;
  for (int i = 0; i < 50; ++i) {
    const double start = Now();
    Send(text, WM_CHAR, L'a' + (i % 26), 1);
    UpdateWindow(text);
    keys.push_back(Now() - start);
  }
  std::sort(keys.begin(), keys.end());
  Report("type one character", keys[keys.size() / 2]);
}

// Typing on for twelve seconds while Varelo keeps its recovery copy of
// the modified text every few seconds: the longest keystroke is one
// that waited for a copy being written.
void TimeTypingWithRecovery(HWND text) {
  std::vector<double> keys;
  const double until = Now() + 12000;
  while (Now() < until) {
    const double start = Now();
    Send(text, WM_CHAR, L'a' + (keys.size() % 26), 1);
    UpdateWindow(text);
    keys.push_back(Now() - start);
    Sleep(20);
  }
  std::sort(keys.begin(), keys.end());
  Report("typing with recovery copies, median", keys[keys.size() / 2]);
  Report("typing with recovery copies, longest", keys.back());
}

// Each step in a Varelo started for the purpose, ended afterwards.
int TimeVarelo(const wchar_t* varelo, const wchar_t* file, const wchar_t* word) {
  PROCESS_INFORMATION info{};
  HWND frame = nullptr;
  if (!StartVarelo(varelo, info, frame)) return 1;
  const DWORD process = info.dwProcessId;
  const HWND text = TimeOpen(frame, file);
  const LRESULT length = Send(text, WM_GETTEXTLENGTH);
  TimeFind(process, frame, text);
  TimeReplaceAll(process, frame, text, word);
  TimeSelectAllAndType(text, length);
  TimeTyping(text, length);
  TimeTypingWithRecovery(text);
  TerminateProcess(info.hProcess, 0);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return 0;
}

// The same operations in a bare rich-edit control of this program.
int TimeBare(const wchar_t* operation, const wchar_t* file, const wchar_t* word) {
  const std::wstring text = FileText(file);
  std::wstring lines;  // the control's own form: lines ended by CR alone
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    lines.push_back(text[i] == L'\n' ? L'\r' : text[i]);
  }
  LoadLibraryW(L"riched20.dll");
  const HWND top = CreateWindowExW(0, L"STATIC", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                   1000, 740, nullptr, nullptr, nullptr, nullptr);
  const HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
      WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
          ES_AUTOVSCROLL | ES_NOHIDESEL | ES_DISABLENOSCROLL | ES_WANTRETURN,
      0, 0, 990, 700, top, nullptr, nullptr, nullptr);
  SendMessageW(edit, EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageW(edit, EM_EXLIMITTEXT, 0, 2147482623);
  SendMessageW(edit, EM_SETTARGETDEVICE, 0, 1);
  const auto pump = [] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  };
  pump();
  const bool open = std::wcscmp(operation, L"open") == 0;
  double start = Now();
  SETTEXTEX set{ST_DEFAULT, 1200};
  SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
               reinterpret_cast<LPARAM>(lines.c_str()));
  UpdateWindow(edit);
  pump();
  if (open) Report("bare open", Now() - start);
  const LONG length = static_cast<LONG>(lines.size());
  if (std::wcscmp(operation, L"find") == 0) {
    // The least a find can cost: selecting at the end and showing it.
    start = Now();
    CHARRANGE range{length - 6, length};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    UpdateWindow(edit);
    Report("bare find", Now() - start);
  } else if (std::wcscmp(operation, L"select-type") == 0) {
    start = Now();
    CHARRANGE all{0, -1};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendMessageW(edit, WM_CHAR, L'x', 1);
    UpdateWindow(edit);
    Report("bare select-type", Now() - start);
  } else if (std::wcscmp(operation, L"replace-all") == 0 && word != nullptr) {
    // One replacement of the stretch from the first match to the last.
    std::wstring upper(word);
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    const std::wstring needle(word);
    const std::size_t first = lines.find(needle);
    const std::size_t last = lines.rfind(needle);
    if (first == std::wstring::npos) return 1;
    std::wstring stretch;
    std::size_t at = first;
    while (at <= last) {
      const std::size_t next = lines.find(needle, at);
      if (next == std::wstring::npos || next > last) break;
      stretch.append(lines, at, next - at);
      stretch += upper;
      at = next + needle.size();
    }
    start = Now();
    CHARRANGE range{static_cast<LONG>(first), static_cast<LONG>(last + needle.size())};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(stretch.c_str()));
    UpdateWindow(edit);
    Report("bare replace-all", Now() - start);
  }
  DestroyWindow(top);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wcscmp(argv[1], L"--bare") == 0) {
    return TimeBare(argv[2], argv[3], argc >= 5 ? argv[4] : nullptr);
  }
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: edit_timing VARELO.EXE FILE WORD\n"
                 "       edit_timing --bare open|find|select-type|replace-all FILE [WORD]\n");
    return 2;
  }
  return TimeVarelo(argv[1], argv[2], argv[3]);
}
