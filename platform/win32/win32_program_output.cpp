#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/process.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

win::KernelHandle InheritableNul(bool write) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return win::KernelHandle(CreateFileW(L"NUL", write ? GENERIC_WRITE : GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Moves what the pipe holds into output, as far as output_limit allows (the
// rest is read and dropped, so that the program never blocks on a full
// pipe). False when the pipe is broken: the program and everything that
// held its output have ended.
bool Drain(HANDLE pipe, std::string& output, std::size_t limit) {
  char block[4096];
  for (;;) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr)) return false;
    if (waiting == 0) return true;
    DWORD got = 0;
    if (!ReadFile(pipe, block, std::min<DWORD>(waiting, sizeof block), &got, nullptr)) return false;
    const std::size_t room = output.size() < limit ? limit - output.size() : 0;
    output.append(block, std::min<std::size_t>(room, got));
  }
}

}  // namespace

// The program's standard output is a pipe read here between short waits on
// the program, so that no thread of our own is needed; a job holds the
// program and what it starts, so that a timeout ends them all.
std::optional<ProgramOutput> RunProgramForOutput(const std::string& command_line, int timeout_ms,
                                                 std::size_t output_limit) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  HANDLE read_handle = nullptr;
  HANDLE write_handle = nullptr;
  if (!CreatePipe(&read_handle, &write_handle, &security, 0)) return std::nullopt;
  const win::KernelHandle read_end(read_handle);
  win::KernelHandle write_end(write_handle);
  SetHandleInformation(read_end.Get(), HANDLE_FLAG_INHERIT, 0);
  win::KernelHandle input = InheritableNul(false);
  win::KernelHandle errors = InheritableNul(true);

  std::wstring wide = Widen(command_line);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.Get();
  startup.hStdOutput = write_end.Get();
  startup.hStdError = errors.Get();
  PROCESS_INFORMATION info{};
  const bool started =
      input && errors &&
      CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE,
                     CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &startup, &info);
  // The program holds its own copies now; ours would keep the pipe open.
  write_end.Reset();
  input.Reset();
  errors.Reset();
  if (!started) return std::nullopt;
  const win::ProcessHandles handles(info);
  const win::KernelHandle job(CreateJobObjectW(nullptr, nullptr));
  const bool in_job = job && AssignProcessToJobObject(job.Get(), info.hProcess);
  ResumeThread(info.hThread);

  ProgramOutput result;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeout_ms, 0));
  bool open = true;
  for (;;) {
    if (open) open = Drain(read_end.Get(), result.Output, output_limit);
    const ULONGLONG now = GetTickCount64();
    const DWORD left =
        now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10));
    if (WaitForSingleObject(info.hProcess, left) == WAIT_OBJECT_0) break;
    if (left == 0) {
      if (in_job) TerminateJobObject(job.Get(), 1);
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 5000);
      return std::nullopt;
    }
  }
  // What it wrote before it ended is still in the pipe.
  if (open) Drain(read_end.Get(), result.Output, output_limit);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  result.ExitCode = static_cast<int>(code);
  return result;
}

}  // namespace mox::platform
