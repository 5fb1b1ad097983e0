// paint_timing: how fast the previewer shows a document, measured from
// outside as a user would see it. Starts moxwin32 with the given arguments,
// waits until its page view has painted the first page, then repaints the
// whole view a number of times at zoom 1 and at 1:5.
//
//   paint_timing MOXWIN32.EXE [previewer arguments...]
//
// Prints "first page: T ms" (process start to the end of the first paint of
// the page) and "repaint zoom Z: T ms" (mean of 20 full repaints). Then, in
// a window of 1024 by 768: "page turn zoom 1: T ms" (median of 20 turns
// with PgDn, each from the key to the painted window, the previewer left
// idle for 400 ms before each, as a reader would), "wheel step zoom Z: T ms"
// (median of 50 notches at 1:5 and 1:1), and "peak memory: N MB" after
// scrolling from the first page to the last.
#include <windows.h>

#include "platform/win32/gdi.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Sends a message to the previewer and waits until its view has painted
// what it damaged; the milliseconds that took.
double TimedUntilPainted(HWND target, UINT message, WPARAM wparam, LPARAM lparam, HWND view) {
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  SendMessageW(target, message, wparam, lparam);
  UpdateWindow(view);
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

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

SCROLLINFO VerticalScroll(HWND view) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  GetScrollInfo(view, SB_VERT, &info);
  return info;
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

  // A reader's window: page turns at 1:1, wheel steps at 1:5 and 1:1.
  MoveWindow(search.Frame, 0, 0, 1024, 768, TRUE);
  constexpr WPARAM kNextPage = 152;
  constexpr WPARAM kTopLeft = 165;
  SendMessageW(search.Frame, WM_COMMAND, kOneToOne, 0);
  SendMessageW(search.Frame, WM_COMMAND, kTopLeft, 0);
  UpdateWindow(view);
  std::vector<double> turns;
  for (int i = 0; i < 20; ++i) {
    Sleep(400);  // idle time, in which pages may be drawn ahead
    turns.push_back(TimedUntilPainted(search.Frame, WM_COMMAND, kNextPage, 0, view));
  }
  std::printf("page turn zoom 1: %.2f ms\n", Median(turns));
  for (const WPARAM zoom : {kOneToFive, kOneToOne}) {
    SendMessageW(search.Frame, WM_COMMAND, zoom, 0);
    SendMessageW(search.Frame, WM_COMMAND, kTopLeft, 0);
    UpdateWindow(view);
    std::vector<double> steps;
    for (int i = 0; i < 50; ++i) {
      Sleep(20);
      steps.push_back(TimedUntilPainted(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)),
                                        0, view));
    }
    std::printf("wheel step zoom %s: %.2f ms\n", zoom == kOneToOne ? "1" : "0.2", Median(steps));
  }
  // From the first page to the last at 1:5, a notch at a time.
  SendMessageW(search.Frame, WM_COMMAND, kOneToFive, 0);
  SendMessageW(search.Frame, WM_COMMAND, kTopLeft, 0);
  for (int i = 0; i < 20000; ++i) {
    const SCROLLINFO before = VerticalScroll(view);
    SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    UpdateWindow(view);
    if (VerticalScroll(view).nPos == before.nPos) break;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  std::printf("peak memory: %.1f MB\n", static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));

  PostMessageW(search.Frame, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  return 0;
}
