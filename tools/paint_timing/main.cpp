// paint_timing: how fast the previewer shows a document, measured from
// outside as a user would see it. Starts moxwin32 with the given arguments,
// waits until its page view has painted the first page, then repaints the
// whole view a number of times at zoom 1 and at 1:5.
//
//   paint_timing MOXWIN32.EXE [previewer arguments...]
//
// Prints "first page: T ms" (process start to the end of the first paint of
// the page) and "repaint zoom Z: T ms" (mean of 20 full repaints).
#include <windows.h>

#include "platform/win32/gdi.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD Process;
  HWND Frame;
};

// The previewer's frame once its caption names a page.
BOOL CALLBACK FindFrame(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t caption[256] = L"";
  GetWindowTextW(window, caption, 256);
  if (process == search->Process && std::wcsstr(caption, L" - Page ") != nullptr) {
    search->Frame = window;
    return FALSE;
  }
  return TRUE;
}

// The page view: the frame's child of the framework's window class.
HWND PageView(HWND frame) { return FindWindowExW(frame, nullptr, L"MoxWindow", nullptr); }

double TimeRepaints(HWND view, int count) {
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < count; ++i) {
    InvalidateRect(view, nullptr, FALSE);
    // Sends WM_PAINT to the previewer's thread and waits for it.
    UpdateWindow(view);
  }
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end) / count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: paint_timing MOXWIN32.EXE [arguments...]\n");
    return 2;
  }
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  for (int i = 2; i < argc; ++i) command += L" \"" + std::wstring(argv[i]) + L"\"";

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER started;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "paint_timing: cannot start the previewer\n");
    return 1;
  }
  const mox::win::ProcessHandles handles(process);
  Search search{process.dwProcessId, nullptr};
  for (int tries = 0; search.Frame == nullptr && tries < 30000; ++tries) {
    EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&search));
    if (search.Frame == nullptr) Sleep(1);
  }
  const HWND view = search.Frame != nullptr ? PageView(search.Frame) : nullptr;
  if (view == nullptr) {
    std::fprintf(stderr, "paint_timing: the previewer showed no page\n");
    TerminateProcess(process.hProcess, 1);
    return 1;
  }
  // The caption is set while the page is scanned; the page is drawn by the
  // paint that follows.
  UpdateWindow(view);
  LARGE_INTEGER painted;
  QueryPerformanceCounter(&painted);
  std::printf("first page: %.1f ms\n", Milliseconds(started, painted));

  constexpr int kRepaints = 20;
  constexpr WPARAM kOneToOne = 135;
  constexpr WPARAM kOneToFive = 139;
  SendMessageW(search.Frame, WM_COMMAND, kOneToOne, 0);
  TimeRepaints(view, 2);  // the zoom images are made once
  std::printf("repaint zoom 1: %.2f ms\n", TimeRepaints(view, kRepaints));
  SendMessageW(search.Frame, WM_COMMAND, kOneToFive, 0);
  TimeRepaints(view, 2);
  std::printf("repaint zoom 0.2: %.2f ms\n", TimeRepaints(view, kRepaints));

  PostMessageW(search.Frame, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  return 0;
}
