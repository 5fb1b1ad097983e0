#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/host_program.h"
#include "platform/win32/gdi.h"
#include "platform/win32/system_string.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool IsWindowsProgram(const std::string& name) {
  const std::wstring wide = Widen(name);
  return !SystemString([&](wchar_t* buffer, DWORD size) {
            return SearchPathW(nullptr, wide.c_str(), L".exe", size, buffer, nullptr);
          }).empty();
}

std::string ReadWhole(const std::string& path) {
  std::string text;
  FilePtr file(SystemFiles().Open(path, "rb"));
  if (!file) return text;
  char block[4096];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) text.append(block, got);
  return text;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

// A Windows argument as the C runtime's splitting gives it back.
std::wstring QuoteForWindows(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t slashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
    slashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * slashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

std::string QuoteForShell(const std::string& argument) {
  std::string quoted = "'";
  for (const char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted.push_back(c);
    }
  }
  return quoted + "'";
}

win::KernelHandle InheritableFile(const std::wstring& path, bool write) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return win::KernelHandle(
      CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &security,
                  write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

HostRun RunWindowsProgram(const std::vector<HostArgument>& arguments,
                          const std::string& directory, int timeout_seconds) {
  HostRun run;
  std::wstring command;
  for (const HostArgument& argument : arguments) {
    if (!command.empty()) command.push_back(L' ');
    command += QuoteForWindows(Widen(argument.Text));
  }
  std::vector<wchar_t> buffer(command.begin(), command.end());
  buffer.push_back(L'\0');
  const std::string output_path = directory + "\\host-run.out";
  const std::string errors_path = directory + "\\host-run.err";
  win::KernelHandle input = InheritableFile(L"NUL", false);
  win::KernelHandle output = InheritableFile(Widen(output_path), true);
  win::KernelHandle errors = InheritableFile(Widen(errors_path), true);
  // A job holds the program and whatever it starts, so that a timeout ends
  // them all.
  const win::KernelHandle job(CreateJobObjectW(nullptr, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.Get();
  startup.hStdOutput = output.Get();
  startup.hStdError = errors.Get();
  PROCESS_INFORMATION info{};
  const bool started =
      output && errors &&
      CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE,
                     CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, Widen(directory).c_str(),
                     &startup, &info);
  // The program holds its own copies of the files now.
  input.Reset();
  output.Reset();
  errors.Reset();
  if (started) {
    const win::ProcessHandles handles(info);
    if (job) AssignProcessToJobObject(job.Get(), info.hProcess);
    ResumeThread(info.hThread);
    const DWORD limit = static_cast<DWORD>(timeout_seconds) * 1000;
    if (WaitForSingleObject(info.hProcess, limit) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(info.hProcess, &code);
      run.Result = HostRun::Outcome::Finished;
      run.ExitCode = static_cast<int>(code);
    } else {
      if (job) TerminateJobObject(job.Get(), 1);
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 5000);
      run.Result = HostRun::Outcome::TimedOut;
    }
    run.Output = ReadWhole(output_path);
    run.Errors = ReadWhole(errors_path);
  }
  return run;
}

// The Unix path of a Windows path, from Wine's own conversion.
std::string UnixPath(const std::string& path) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (convert == nullptr) return path;
  char* unix_path = convert(Widen(path).c_str());
  if (unix_path == nullptr) return path;
  std::string result = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

// Under Wine a Unix program comes without a process handle to wait on: a
// shell script runs it under coreutils' timeout, keeps its output in files
// and writes its exit status into a file last, which this side waits for.
HostRun RunUnixProgram(const std::vector<HostArgument>& arguments,
                       const std::string& directory, int timeout_seconds) {
  HostRun run;
  const std::string unix_directory = UnixPath(directory);
  std::string command;
  for (const HostArgument& argument : arguments) {
    const std::string text = argument.IsPath ? UnixPath(argument.Text) : Utf8(Widen(argument.Text));
    command += " " + QuoteForShell(text);
  }
  const std::string status = QuoteForShell(unix_directory + "/host-run.status");
  const std::string script =
      "cd " + QuoteForShell(unix_directory) + " && timeout -k 5 " +
      std::to_string(timeout_seconds) + command +
      " </dev/null >host-run.out 2>host-run.err\n"
      "echo $? >" + status + ".tmp\n"
      "mv " + status + ".tmp " + status + "\n";
  const std::string script_path = directory + "\\host-run.sh";
  const std::string status_path = directory + "\\host-run.status";
  SystemFiles().Remove(status_path);
  {
    FilePtr file(SystemFiles().Open(script_path, "wb"));
    if (!file || std::fwrite(script.data(), 1, script.size(), file.get()) != script.size() ||
        !CloseChecked(file)) {
      return run;
    }
  }
  std::wstring line = L"/bin/sh " + QuoteForWindows(Widen(UnixPath(script_path)));
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info)) {
    return run;
  }
  const win::ProcessHandles shell(info);  // its end shows in the status file

  // timeout ends the program after timeout_seconds and kills it 5 s later;
  // beyond that the shell itself is taken as lost.
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::seconds(timeout_seconds + 15);
  while (!SystemFiles().Exists(status_path)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      run.Result = HostRun::Outcome::TimedOut;
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const int code = std::atoi(ReadWhole(status_path).c_str());
  run.Output = ReadWhole(directory + "\\host-run.out");
  run.Errors = ReadWhole(directory + "\\host-run.err");
  if (code == 124 || code == 137) {
    run.Result = HostRun::Outcome::TimedOut;
  } else if (code == 126 || code == 127) {
    run.Result = HostRun::Outcome::NotStarted;  // not found or not executable
  } else {
    run.Result = HostRun::Outcome::Finished;
    run.ExitCode = code;
  }
  return run;
}

}  // namespace

HostRun RunHostProgram(const std::vector<HostArgument>& arguments,
                       const std::string& working_directory, int timeout_seconds) {
  if (arguments.empty()) return HostRun{};
  if (RunningUnderWine() && !IsWindowsProgram(arguments[0].Text)) {
    return RunUnixProgram(arguments, working_directory, timeout_seconds);
  }
  return RunWindowsProgram(arguments, working_directory, timeout_seconds);
}

}  // namespace mox::platform
