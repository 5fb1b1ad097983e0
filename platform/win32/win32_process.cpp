#include <windows.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

// WinExec's code for a CreateProcess failure: the system error when it is
// below 32 (2 file not found, 3 path not found, 5 access denied, ...), 0 for
// exhausted memory, 11 (bad format) for every other error.
int WinExecCode(DWORD error) {
  switch (error) {
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return 0;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH: return 11;
    default: return error < 32 ? static_cast<int>(error) : 11;
  }
}

// A started program in a job of its own, so that stopping it ends the
// programs it started as well. Where the job cannot be had (a system that
// does not nest jobs), stopping ends the program alone.
class Win32WaitedProgram final : public WaitedProgram {
 public:
  Win32WaitedProgram(const PROCESS_INFORMATION& info, HANDLE job)
      : handles_(info), job_(job) {}
  ~Win32WaitedProgram() override {
    if (!HasEnded()) Stop();
  }
  bool HasEnded() override {
    return WaitForSingleObject(handles_.Process.Get(), 0) != WAIT_TIMEOUT;
  }
  void Stop() override {
    if (job_) {
      TerminateJobObject(job_.Get(), 1);
    } else {
      TerminateProcess(handles_.Process.Get(), 1);
    }
    WaitForSingleObject(handles_.Process.Get(), 5000);
  }

 private:
  win::ProcessHandles handles_;
  win::KernelHandle job_;
};

// Creates the process of command_line (GBK), suspended when asked; the
// WinExec code of the failure, or kProgramStarted.
int CreateProgram(const std::string& command_line, int show_mode, DWORD flags,
                  PROCESS_INFORMATION& info, const std::string& working_folder = std::string()) {
  // WinExec would read the command line in the ANSI code page; CreateProcessW
  // with the same search rules keeps Chinese paths intact.
  std::wstring wide = Widen(command_line);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_mode);
  info = PROCESS_INFORMATION{};
  const std::wstring folder = Widen(working_folder);
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return WinExecCode(GetLastError());
  }
  return kProgramStarted;
}

}  // namespace

std::unique_ptr<WaitedProgram> StartWaitedProgram(const std::string& command_line,
                                                  int show_mode, int& code) {
  PROCESS_INFORMATION info;
  code = CreateProgram(command_line, show_mode, CREATE_SUSPENDED, info);
  if (code != kProgramStarted) return nullptr;
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job != nullptr && !AssignProcessToJobObject(job, info.hProcess)) {
    CloseHandle(job);
    job = nullptr;
  }
  ResumeThread(info.hThread);
  return std::make_unique<Win32WaitedProgram>(info, job);
}

namespace {

class Win32WatchedProgram final : public WatchedProgram {
 public:
  explicit Win32WatchedProgram(const PROCESS_INFORMATION& info) : handles_(info) {}
  bool HasEnded() override {
    return WaitForSingleObject(handles_.Process.Get(), 0) != WAIT_TIMEOUT;
  }
  void* EndSignal() const override { return handles_.Process.Get(); }

 private:
  win::ProcessHandles handles_;
};

}  // namespace

std::unique_ptr<WatchedProgram> StartWatchedProgram(const std::string& command_line,
                                                    const std::string& working_folder,
                                                    int show_mode, int& code) {
  PROCESS_INFORMATION info;
  code = CreateProgram(command_line, show_mode, 0, info, working_folder);
  if (code != kProgramStarted) return nullptr;
  return std::make_unique<Win32WatchedProgram>(info);
}

int StartProgramCode(const std::string& command_line, int show_mode) {
  return StartProgramCodeIn(command_line, std::string(), show_mode);
}

int StartProgramCodeIn(const std::string& command_line, const std::string& working_folder,
                       int show_mode) {
  PROCESS_INFORMATION info;
  const int code = CreateProgram(command_line, show_mode, 0, info, working_folder);
  if (code == kProgramStarted) {
    const win::ProcessHandles handles(info);  // closed at once: not waited for
  }
  return code;
}

}  // namespace mox::platform
