// Reads what the previewer's frame shows in its status bar and tool bar, from
// another process, as text on standard output (UTF-8). The GUI tests use it
// where a screenshot cannot be read reliably.
//
//   window_probe status    one line per status-bar part: its text
//   window_probe toolbar   one line per tool-bar item: "button ID enabled|grey"
//                          or "separator WIDTH"
//   window_probe dialog    the visible dialog (or message box): a line
//                          "Caption|TEXT", then one line per control,
//                          "CLASS|TEXT" (a list box's lines for its text),
//                          line breaks written as \n
//   window_probe view      the page view (the frame's MoxWindow child):
//                          "client X Y W H" (its client area, X and Y on the
//                          screen), then "bars H V": "h" and "v" for the
//                          scroll bars shown, "-" for those hidden
//   window_probe focus     the caption of the foreground window, then the
//                          class of the window that has the keyboard focus
//   window_probe window TITLE
//                          shows a small window of that caption until it is
//                          closed: something else to give the focus to
//   window_probe buttons   one line per tool-bar button: "ID enabled|grey X Y
//                          CAPTION", X and Y the middle of the button on the
//                          screen
//   window_probe tree      every window inside the frame, one a line:
//                          "DEPTH CLASS v|h|TEXT" (v visible, h hidden; the
//                          text of edit controls as they hold it, a list
//                          box's lines)
//   window_probe places    the same, with each window's box on the screen:
//                          "DEPTH CLASS v|h X Y W H|TEXT"
//   window_probe grid ROW COLUMN
//                          the grid (MoxGrid) of the visible dialog: "top T
//                          selected S cell X Y", T its first row shown, S
//                          its selected row (-1: none), X Y the middle of
//                          cell ROW, COLUMN on the screen ("- -" when it is
//                          not shown)
//   window_probe dpi NEW OLD [dialog]
//                          sends the frame (or the visible dialog) the
//                          WM_DPICHANGED of a move from a monitor of OLD to
//                          one of NEW dots per inch, the size scaled (from
//                          inside the program, by window_probe_hook.dll)
//   window_probe layout [dialog]
//                          the windows of the frame (or of the visible
//                          dialog) that their parent clips or that overlap
//                          a sibling, one a line, or "fits"
//   window_probe editor    the visible text editor (MoxTextEditor) of the
//                          frame: "gutter W top N client X Y", W the
//                          gutter's width, N the number of the line at the
//                          top, X Y its client area's corner on the screen
//   window_probe menubar   the captions of the frame's menu bar
//   window_probe menu N    the items of the bar's menu N (from 0), as they
//                          show when it opens: "ID enabled|grey checked|-
//                          CAPTION" or "separator" (both read inside the
//                          program by window_probe_hook.dll)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                      length, nullptr, nullptr);
  return out;
}

// The first visible frame of the programs: the previewer's (MoxwinFrame),
// Varelo's (VareloFrame) or a plain framework window; only the class
// PROBE_FRAME names when that variable is set (both programs running).
HWND FindFrame() {
  struct Search {
    wchar_t Wanted[64] = L"";
    HWND Found = nullptr;
  } search;
  GetEnvironmentVariableW(L"PROBE_FRAME", search.Wanted, 64);
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        const bool frame = search->Wanted[0] != L'\0'
                               ? std::wcscmp(name, search->Wanted) == 0
                               : std::wcscmp(name, L"MoxwinFrame") == 0 ||
                                     std::wcscmp(name, L"VareloFrame") == 0 ||
                                     std::wcscmp(name, L"MoxWindow") == 0;
        if (frame && GetParent(window) == nullptr && IsWindowVisible(window)) {
          search->Found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Memory in the window's own process, for messages that fill a buffer.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) {
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  bool Valid() const { return address_ != nullptr; }
  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Read(void* into, size_t size) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, address_, into, size < size_ ? size : size_, &done) != 0;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

int PrintStatus(HWND frame) {
  HWND bar = FindWindowExW(frame, nullptr, STATUSCLASSNAMEW, nullptr);
  if (bar == nullptr) return 3;
  const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
  RemoteBuffer buffer(bar, 4096);
  if (!buffer.Valid()) return 4;
  for (int i = 0; i < parts; ++i) {
    SendMessageW(bar, SB_GETTEXTW, i, buffer.Address());
    wchar_t text[2048] = L"";
    buffer.Read(text, sizeof text - sizeof(wchar_t));
    std::printf("%s\n", Utf8(text).c_str());
  }
  return 0;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(),
                                                 static_cast<int>(text.size()))));
  return text;
}

// What an edit box holds: GetWindowText of another process's window gives
// only the text it was created with, the edit control answers the message.
std::wstring EditText(HWND edit) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    return {};
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(static_cast<size_t>(copied));
  return text;
}

void PrintLine(const std::string& kind, const std::wstring& text) {
  std::string line = kind + "|";
  for (char c : Utf8(text)) {
    if (c == '\n') {
      line += "\\n";
    } else if (c != '\r') {
      line += c;
    }
  }
  std::printf("%s\n", line.c_str());
}

// The first visible dialog (or message box) of any program.
HWND VisibleDialog() {
  HWND dialog = nullptr;
  EnumWindows(
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        if (std::wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
          *reinterpret_cast<HWND*>(result) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

// "x y": the middle of the visible dialog's control with this text, on the
// screen (so that a test can click it).
int PrintControlPlace(const char* text) {
  HWND dialog = VisibleDialog();
  if (dialog == nullptr) return 1;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (Utf8(TextOf(child)) != text) continue;
    RECT box{};
    GetWindowRect(child, &box);
    std::printf("%ld %ld\n", (box.left + box.right) / 2, (box.top + box.bottom) / 2);
    return 0;
  }
  return 3;
}

// A list box's lines, one after the other (the system carries LB_GETTEXT
// between processes, as it carries WM_GETTEXT).
std::wstring ListText(HWND list) {
  std::wstring all;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    if (length < 0) continue;
    std::wstring line(static_cast<size_t>(length) + 1, L'\0');
    const int copied = static_cast<int>(
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data())));
    line.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    if (i > 0) all += L"\n";
    all += line;
  }
  return all;
}

int PrintDialog() {
  HWND dialog = VisibleDialog();
  if (dialog == nullptr) return 1;
  PrintLine("Caption", TextOf(dialog));
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = L"";
    GetClassNameW(child, name, 64);
    const bool edit = std::wcscmp(name, L"Edit") == 0;
    const bool list = std::wcscmp(name, L"ListBox") == 0;
    PrintLine(Utf8(name), edit ? EditText(child) : list ? ListText(child) : TextOf(child));
  }
  return 0;
}

// The grid answers these (see platform/win32/framework/grid_control.h).
constexpr UINT kGridTopRow = WM_APP + 0x60;
constexpr UINT kGridSelectedRow = WM_APP + 0x61;
constexpr UINT kGridCellPoint = WM_APP + 0x62;

int PrintGrid(long row, long column) {
  HWND dialog = VisibleDialog();
  HWND grid = dialog != nullptr ? FindWindowExW(dialog, nullptr, L"MoxGrid", nullptr) : nullptr;
  if (grid == nullptr) return 1;
  const LRESULT top = SendMessageW(grid, kGridTopRow, 0, 0);
  const LRESULT selected = SendMessageW(grid, kGridSelectedRow, 0, 0);
  const LRESULT point = SendMessageW(grid, kGridCellPoint, static_cast<WPARAM>(row), column);
  std::printf("top %ld selected %ld cell ", static_cast<long>(top), static_cast<long>(selected));
  if (point == -1) {
    std::printf("- -\n");
  } else {
    POINT middle{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    ClientToScreen(grid, &middle);
    std::printf("%ld %ld\n", middle.x, middle.y);
  }
  return 0;
}

// The text editor answers these (see platform/win32/framework/text_editor.h).
constexpr UINT kEditorGutterWidth = WM_APP + 0x70;
constexpr UINT kEditorTopLineNumber = WM_APP + 0x71;

BOOL CALLBACK FindVisibleEditor(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wcscmp(name, L"MoxTextEditor") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

int PrintEditor(HWND frame) {
  HWND editor = nullptr;
  EnumChildWindows(frame, FindVisibleEditor, reinterpret_cast<LPARAM>(&editor));
  if (editor == nullptr) return 1;
  POINT corner{0, 0};
  ClientToScreen(editor, &corner);
  std::printf("gutter %ld top %ld client %ld %ld\n",
              static_cast<long>(SendMessageW(editor, kEditorGutterWidth, 0, 0)),
              static_cast<long>(SendMessageW(editor, kEditorTopLineNumber, 0, 0)), corner.x,
              corner.y);
  return 0;
}

int PrintToolBar(HWND frame) {
  HWND bar = FindWindowExW(frame, nullptr, TOOLBARCLASSNAMEW, nullptr);
  if (bar == nullptr) return 3;
  const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  RemoteBuffer buffer(bar, sizeof(TBBUTTON));
  if (!buffer.Valid()) return 4;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, i, buffer.Address());
    buffer.Read(&button, sizeof button);
    if (button.fsStyle & BTNS_SEP) {
      std::printf("separator %d\n", button.iBitmap);
    } else {
      std::printf("button %d %s\n", button.idCommand,
                  (button.fsState & TBSTATE_ENABLED) ? "enabled" : "grey");
    }
  }
  return 0;
}

int PrintButtons(HWND frame) {
  HWND bar = FindWindowExW(frame, nullptr, TOOLBARCLASSNAMEW, nullptr);
  if (bar == nullptr) return 3;
  const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  RemoteBuffer buffer(bar, 1024);
  if (!buffer.Valid()) return 4;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, i, buffer.Address());
    buffer.Read(&button, sizeof button);
    if (button.fsStyle & BTNS_SEP) continue;
    RECT box{};
    SendMessageW(bar, TB_GETITEMRECT, i, buffer.Address());
    buffer.Read(&box, sizeof box);
    POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ClientToScreen(bar, &middle);
    wchar_t text[256] = L"";
    const LRESULT length = SendMessageW(bar, TB_GETBUTTONTEXTW, button.idCommand, buffer.Address());
    if (length > 0 && length < 255) buffer.Read(text, (length + 1) * sizeof(wchar_t));
    std::printf("%d %s %ld %ld %s\n", button.idCommand,
                (button.fsState & TBSTATE_ENABLED) ? "enabled" : "grey", middle.x, middle.y,
                Utf8(text).c_str());
  }
  return 0;
}

int PrintView(HWND frame) {
  HWND view = FindWindowExW(frame, nullptr, L"MoxWindow", nullptr);
  if (view == nullptr) return 3;
  RECT client{};
  GetClientRect(view, &client);
  POINT origin{0, 0};
  ClientToScreen(view, &origin);
  std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  // Wine keeps the scroll positions in the window's own process, out of
  // reach of GetScrollInfo from here; whether a bar is shown is in the style.
  const LONG_PTR style = GetWindowLongPtrW(view, GWL_STYLE);
  std::printf("bars %s %s\n", (style & WS_HSCROLL) ? "h" : "-", (style & WS_VSCROLL) ? "v" : "-");
  return 0;
}

int PrintFocus() {
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) info.hwndFocus = nullptr;
  wchar_t name[64] = L"";
  if (info.hwndFocus != nullptr) GetClassNameW(info.hwndFocus, name, 64);
  PrintLine("Foreground", foreground != nullptr ? TextOf(foreground) : std::wstring());
  PrintLine("Focus", name);
  return 0;
}

bool IsEditClass(const std::wstring& name) {
  return name == L"Edit" || name == L"RichEdit20W" || name == L"RichEdit20A" ||
         name == L"RICHEDIT50W" || name == L"MoxTextEditor";
}

void PrintTree(HWND parent, int depth, bool places) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = L"";
    GetClassNameW(child, name, 64);
    const std::wstring text = IsEditClass(name)                    ? EditText(child)
                              : std::wcscmp(name, L"ListBox") == 0 ? ListText(child)
                                                                   : TextOf(child);
    std::string head = std::to_string(depth) + " " + Utf8(name) + " " +
                       (IsWindowVisible(child) ? "v" : "h");
    if (places) {
      RECT box{};
      GetWindowRect(child, &box);
      head += " " + std::to_string(box.left) + " " + std::to_string(box.top) + " " +
              std::to_string(box.right - box.left) + " " + std::to_string(box.bottom - box.top);
    }
    PrintLine(head, text);
    PrintTree(child, depth + 1, places);
  }
}

std::wstring g_menu_answer;
bool g_answered = false;

LRESULT CALLBACK AnswerProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    g_menu_answer.assign(static_cast<const wchar_t*>(data->lpData),
                         data->cbData / sizeof(wchar_t));
    g_answered = true;
    return TRUE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// Asks the hook inside the frame's process for a menu (-1: the bar).
// Sends a registered message to a window with the hook installed on its
// thread, so that the hook answers it inside the program; false when the
// hook could not be installed.
bool SendThroughHook(HWND window, const wchar_t* name, WPARAM wparam, LPARAM lparam) {
  std::wstring dll(32768, L'\0');
  dll.resize(GetModuleFileNameW(nullptr, dll.data(), static_cast<DWORD>(dll.size())));
  dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"window_probe_hook.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  auto hook = module != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                      GetProcAddress(module, "ProbeHook")))
                                : nullptr;
  if (hook == nullptr) return false;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK installed = SetWindowsHookExW(WH_CALLWNDPROC, hook, module, thread);
  if (installed == nullptr) return false;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, RegisterWindowMessageW(name), wparam, lparam, SMTO_NORMAL, 5000,
                      &result);
  UnhookWindowsHookEx(installed);
  return true;
}

int PrintMenu(HWND frame, long which) {
  WNDCLASSW answer_class{};
  answer_class.lpfnWndProc = AnswerProcedure;
  answer_class.hInstance = GetModuleHandleW(nullptr);
  answer_class.lpszClassName = L"ProbeAnswer";
  RegisterClassW(&answer_class);
  HWND answer = CreateWindowW(L"ProbeAnswer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              answer_class.hInstance, nullptr);
  if (!SendThroughHook(frame, L"MoxProbeMenus", reinterpret_cast<WPARAM>(answer),
                       static_cast<LPARAM>(which))) {
    return 4;
  }
  if (!g_answered) return 5;
  std::printf("%s", Utf8(g_menu_answer).c_str());
  return 0;
}

bool IsGroupBox(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return std::wcscmp(name, L"Button") == 0 &&
         (GetWindowLongW(window, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
}

std::string Named(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return Utf8(name) + "|" + Utf8(TextOf(window));
}

// Every visible window inside `parent` that its parent's client area cuts
// ("clipped CLASS|TEXT", MDI children left out) or that overlaps a visible
// sibling ("overlap CLASS|TEXT / CLASS|TEXT"; group boxes hold others and
// are left out);
// returns how many were found.
int PrintLayoutProblems(HWND parent) {
  RECT area{};
  GetClientRect(parent, &area);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
  std::vector<HWND> shown;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child)) shown.push_back(child);
  }
  int problems = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    RECT box{};
    GetWindowRect(shown[i], &box);
    // An MDI child may reach beyond its client (a maximized one's borders
    // always do): the client scrolls to it.
    const bool mdi_child = (GetWindowLongW(shown[i], GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    if (!mdi_child && (box.left < area.left || box.top < area.top || box.right > area.right ||
                       box.bottom > area.bottom)) {
      std::printf("clipped %s\n", Named(shown[i]).c_str());
      ++problems;
    }
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      RECT other{};
      RECT both{};
      GetWindowRect(shown[j], &other);
      if (!IsGroupBox(shown[i]) && !IsGroupBox(shown[j]) && IntersectRect(&both, &box, &other)) {
        std::printf("overlap %s / %s\n", Named(shown[i]).c_str(), Named(shown[j]).c_str());
        ++problems;
      }
    }
    problems += PrintLayoutProblems(shown[i]);
  }
  return problems;
}

int ShowWindowUntilClosed(const char* title) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) -> LRESULT {
    if (message == WM_DESTROY) {
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  };
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = L"ProbeWindow";
  if (RegisterClassW(&window_class) == 0) return 4;
  std::wstring caption;
  for (const char* c = title; *c != '\0'; ++c) caption += static_cast<wchar_t>(*c);
  // In the bottom-right corner of the screen, clear of the previewer's frame
  // (top-left): screenshots of the frame must not show it.
  HWND window = CreateWindowW(L"ProbeWindow", caption.c_str(), WS_OVERLAPPEDWINDOW,
                              GetSystemMetrics(SM_CXSCREEN) - 220,
                              GetSystemMetrics(SM_CYSCREEN) - 120, 200, 100, nullptr, nullptr,
                              window_class.hInstance, nullptr);
  if (window == nullptr) return 4;
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "window") == 0) return ShowWindowUntilClosed(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "menu") == 0) {
    HWND frame = FindFrame();
    return frame == nullptr ? 1 : PrintMenu(frame, std::atol(argv[2]));
  }
  if (argc == 3 && std::strcmp(argv[1], "control") == 0) return PrintControlPlace(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "grid") == 0) {
    return PrintGrid(std::atol(argv[2]), std::atol(argv[3]));
  }
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "dpi") == 0) {
    HWND window = argc == 5 ? VisibleDialog() : FindFrame();
    return window != nullptr && SendThroughHook(window, L"MoxProbeDpi", std::atol(argv[2]),
                                                std::atol(argv[3]))
               ? 0
               : 1;
  }
  if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "layout") == 0) {
    HWND window = argc == 3 ? VisibleDialog() : FindFrame();
    if (window == nullptr) return 1;
    if (PrintLayoutProblems(window) == 0) std::printf("fits\n");
    return 0;
  }
  if (argc != 2) return 2;
  if (std::strcmp(argv[1], "dialog") == 0) return PrintDialog();
  if (std::strcmp(argv[1], "focus") == 0) return PrintFocus();
  HWND frame = FindFrame();
  if (frame == nullptr) return 1;
  if (std::strcmp(argv[1], "status") == 0) return PrintStatus(frame);
  if (std::strcmp(argv[1], "toolbar") == 0) return PrintToolBar(frame);
  if (std::strcmp(argv[1], "view") == 0) return PrintView(frame);
  if (std::strcmp(argv[1], "menubar") == 0) return PrintMenu(frame, -1);
  if (std::strcmp(argv[1], "buttons") == 0) return PrintButtons(frame);
  if (std::strcmp(argv[1], "editor") == 0) return PrintEditor(frame);
  if (std::strcmp(argv[1], "tree") == 0 || std::strcmp(argv[1], "places") == 0) {
    PrintTree(frame, 0, std::strcmp(argv[1], "places") == 0);
    return 0;
  }
  return 2;
}
