// Runs the Unix program named like this program (a copy called latex.exe
// runs latex) with this program's arguments in the current folder, waits for
// it and ends with its exit code, its output copied to this program's output.
// With copies on the Wine PATH, batch files written for a TeX distribution on
// Windows call the TeX programs of the Unix system unchanged (Wine by itself
// starts a Unix program without waiting for it and without its exit code).
// Windows paths in the TeX search path variables and in the arguments reach
// the Unix program as Unix paths; the paths kpsewhich prints come back as
// Windows paths. A copy called gswin64c.exe or gswin32c.exe runs gs, its
// output passed on byte for byte.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/directories.h"
#include "platform/environment.h"
#include "platform/host_program.h"
#include "platform/win32/wide_text.h"

namespace {

using mox::platform::HostArgument;
using mox::platform::HostRun;

// The TeX variables that name search paths.
const char* const kSearchPaths[] = {"TEXINPUTS", "TFMFONTS",   "BIBINPUTS", "BSTINPUTS",
                                    "TEXFONTS",  "PKFONTS",    "VFFONTS",   "TEXFORMATS",
                                    "MFINPUTS",  "TEXMFHOME",  "TEXMFVAR"};

// Long enough for any TeX run; a program that hangs still ends.
constexpr int kTimeLimitSeconds = 600;

bool IsAbsoluteWindowsPath(const std::string& text) {
  return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
         text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

// The Unix path of a Windows path through Wine's own conversion, as GBK text
// like every other argument; empty when there is none.
std::string UnixPathOf(const std::string& path) {
  using Convert = char*(CDECL*)(const WCHAR*);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix_path = convert ? convert(mox::platform::Widen(path).c_str()) : nullptr;
  if (unix_path == nullptr) return std::string();
  const int size = MultiByteToWideChar(CP_UTF8, 0, unix_path, -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, unix_path, -1, wide.data(), size);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return mox::platform::Narrow(wide);
}

// The Windows path of an absolute Unix path naming an existing file, in
// UTF-8 (as kpsewhich on Windows prints paths); empty for any other text.
std::string WindowsFileOf(const std::string& line) {
  if (line.empty() || line.front() != '/') return std::string();
  using Convert = WCHAR*(CDECL*)(const char*);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  WCHAR* dos_path = convert ? convert(line.c_str()) : nullptr;
  if (dos_path == nullptr) return std::string();
  const std::wstring wide(dos_path);
  HeapFree(GetProcessHeap(), 0, dos_path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::string();
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

// kpsewhich's output with each line that names a file by its Unix path
// naming it by its Windows path instead, which a Windows program can open;
// every other line, and every line end, stays as it was.
std::string WithWindowsPaths(const std::string& output) {
  std::string result;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    end = end == std::string::npos ? output.size() : end + 1;
    std::size_t text_end = end;
    while (text_end > start && (output[text_end - 1] == '\n' || output[text_end - 1] == '\r')) {
      --text_end;
    }
    const std::string path = WindowsFileOf(output.substr(start, text_end - start));
    result += path.empty() ? output.substr(start, text_end - start) : path;
    result.append(output, text_end, end - text_end);
    start = end;
  }
  return result;
}

// One element of a search path in Unix form: an absolute Windows path through
// Wine, keeping the "//" that has TeX search the subfolders; others with
// forward slashes.
std::string UnixElement(std::string element) {
  if (!IsAbsoluteWindowsPath(element)) {
    for (char& c : element) {
      if (c == '\\') c = '/';
    }
    return element;
  }
  std::size_t end = element.size();
  while (end > 3 && (element[end - 1] == '/' || element[end - 1] == '\\')) --end;
  std::string unix_path = UnixPathOf(element.substr(0, end));
  if (unix_path.empty()) return element;
  // Wine names drive C: through the prefix's link "dosdevices/c:", whose
  // colon would split the search path; the link leads to "drive_c".
  const std::size_t link = unix_path.find("/dosdevices/c:/");
  if (link != std::string::npos) unix_path.replace(link, 15, "/drive_c/");
  return element.size() - end >= 2 ? unix_path + "//" : unix_path;
}

// A Windows search path (";") in Unix form (":"); empty elements, which stand
// for TeX's default path, stay.
std::string UnixSearchPath(const std::string& value) {
  std::string result;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = value.find(';', start);
    if (start > 0) result += ':';
    const std::string element = value.substr(start, end - start);
    if (!element.empty()) result += UnixElement(element);
    if (end == std::string::npos) return result;
    start = end + 1;
  }
}

// The Unix program's name: this program's base name, lower case.
std::string ToolName(const std::string& program_path) {
  std::string name = program_path.substr(program_path.find_last_of("\\/:") + 1);
  name = name.substr(0, name.rfind('.'));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string CurrentFolder() {
  std::vector<wchar_t> folder(32768);
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  return mox::platform::Narrow(std::wstring_view(folder.data(), length));
}

void Write(std::FILE* stream, const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = mox::platform::CommandLineArguments(argc, argv);
  // Copies named gswin64c or gswin32c run the Unix gs, whose pictures on
  // standard output are bytes, not lines.
  std::string name = ToolName(arguments[0]);
  if (name.rfind("gswin", 0) == 0) {
    name = "gs";
    _setmode(_fileno(stdout), _O_BINARY);
  }

  // env (a Unix program, never this one found again on the Windows path)
  // enters the current folder, sets the search paths and runs the program.
  std::vector<HostArgument> command = {{"env"}, {"-C"}, {CurrentFolder(), true}};
  for (const char* variable : kSearchPaths) {
    if (const std::optional<std::string> value = mox::platform::GetEnvironmentText(variable)) {
      command.push_back({std::string(variable) + "=" + UnixSearchPath(*value)});
    }
  }
  command.push_back({name});
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    command.push_back({arguments[i], IsAbsoluteWindowsPath(arguments[i])});
  }

  const std::string work = mox::platform::MakeTemporaryDirectory("unix-tool-");
  if (work.empty()) {
    std::fprintf(stderr, "%s: no temporary folder\n", name.c_str());
    return 127;
  }
  const HostRun run = mox::platform::RunHostProgram(command, work, kTimeLimitSeconds);
  mox::platform::RemoveDirectoryTree(work);
  Write(stdout, name == "kpsewhich" ? WithWindowsPaths(run.Output) : run.Output);
  Write(stderr, run.Errors);
  switch (run.Result) {
    case HostRun::Outcome::Finished: return run.ExitCode;
    case HostRun::Outcome::TimedOut:
      std::fprintf(stderr, "%s did not end within %d s\n", name.c_str(), kTimeLimitSeconds);
      return 124;
    case HostRun::Outcome::NotStarted: break;
  }
  std::fprintf(stderr, "the Unix program %s cannot be started\n", name.c_str());
  return 127;
}
