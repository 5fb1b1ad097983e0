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

// The previewer's commands the measurements use.
constexpr WPARAM kOneToOne = 135;
constexpr WPARAM kOneToFive = 139;
constexpr WPARAM kNextPage = 152;
constexpr WPARAM kTopLeft = 165;

// Starts the previewer with the program's arguments after the first;
// started is when. False (after saying why) when it did not start.
bool StartPreviewer(int argc, wchar_t** argv, PROCESS_INFORMATION& process,
                    LARGE_INTEGER& started) {
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  for (int i = 2; i < argc; ++i) command += L" \"" + std::wstring(argv[i]) + L"\"";

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "paint_timing: cannot start the previewer\n");
    return false;
  }
  return true;
}

// The previewer's frame once its caption names a page, looked for every
// millisecond or so for up to 30000 tries; null when none came.
HWND WaitForPage(DWORD process) {
  Search search{process, nullptr};
  for (int tries = 0; search.Frame == nullptr && tries < 30000; ++tries) {
    EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&search));
    if (search.Frame == nullptr) Sleep(1);
  }
  return search.Frame;
}

// Full repaints at zoom 1 and at 1:5, the mean of 20 each.
void TimeFullRepaints(HWND frame, HWND view) {
  constexpr int kRepaints = 20;
  SendMessageW(frame, WM_COMMAND, kOneToOne, 0);
  TimeRepaints(view, 2);  // the zoom images are made once
  std::printf("repaint zoom 1: %.2f ms\n", TimeRepaints(view, kRepaints));
  SendMessageW(frame, WM_COMMAND, kOneToFive, 0);
  TimeRepaints(view, 2);
  std::printf("repaint zoom 0.2: %.2f ms\n", TimeRepaints(view, kRepaints));
}

// Page turns at 1:1 from the first page: the median of 20.
void TimePageTurns(HWND frame, HWND view) {
  SendMessageW(frame, WM_COMMAND, kOneToOne, 0);
  SendMessageW(frame, WM_COMMAND, kTopLeft, 0);
  UpdateWindow(view);
  std::vector<double> turns;
  for (int i = 0; i < 20; ++i) {
    Sleep(400);  // idle time, in which pages may be drawn ahead
    turns.push_back(TimedUntilPainted(frame, WM_COMMAND, kNextPage, 0, view));
  }
  std::printf("page turn zoom 1: %.2f ms\n", Median(turns));
}

// Wheel notches down from the top at 1:5 and at 1:1: the median of 50
// each.
void TimeWheelSteps(HWND frame, HWND view) {
  for (const WPARAM zoom : {kOneToFive, kOneToOne}) {
    SendMessageW(frame, WM_COMMAND, zoom, 0);
    SendMessageW(frame, WM_COMMAND, kTopLeft, 0);
    UpdateWindow(view);
    std::vector<double> steps;
    for (int i = 0; i < 50; ++i) {
      Sleep(20);
      steps.push_back(TimedUntilPainted(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)),
                                        0, view));
    }
    std::printf("wheel step zoom %s: %.2f ms\n", zoom == kOneToOne ? "1" : "0.2", Median(steps));
  }
}

// The previewer's peak memory after scrolling from the first page to the
// last at 1:5, a notch at a time.
void ReportPeakMemory(HWND frame, HWND view, HANDLE process) {
  SendMessageW(frame, WM_COMMAND, kOneToFive, 0);
  SendMessageW(frame, WM_COMMAND, kTopLeft, 0);
  for (int i = 0; i < 20000; ++i) {
    const SCROLLINFO before = VerticalScroll(view);
    SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    UpdateWindow(view);
    if (VerticalScroll(view).nPos == before.nPos) break;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  std::printf("peak memory: %.1f MB\n", static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: paint_timing MOXWIN32.EXE [arguments...]\n");
    return 2;
  }
  PROCESS_INFORMATION process{};
  LARGE_INTEGER started;
  if (!StartPreviewer(argc, argv, process, started)) return 1;
  const mox::win::ProcessHandles handles(process);
  const HWND frame = WaitForPage(process.dwProcessId);
  const HWND view = frame != nullptr ? PageView(frame) : nullptr;
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

  TimeFullRepaints(frame, view);
  // A reader's window: page turns at 1:1, wheel steps at 1:5 and 1:1.
  MoveWindow(frame, 0, 0, 1024, 768, TRUE);
  TimePageTurns(frame, view);
  TimeWheelSteps(frame, view);
  ReportPeakMemory(frame, view, process.hProcess);

  PostMessageW(frame, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  return 0;
}
