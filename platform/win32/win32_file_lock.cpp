#include <windows.h>

#include "platform/file_lock.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

// Opened without sharing: no other program can open the file while the
// handle is open, and the system closes it with the process.
class Win32FileLock final : public FileLock {
 public:
  explicit Win32FileLock(HANDLE file) : file_(file) {}
  ~Win32FileLock() override { CloseHandle(file_); }

 private:
  HANDLE file_;
};

HANDLE OpenAlone(const std::string& path, DWORD creation) {
  return CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, creation,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::unique_ptr<FileLock> TakeFileLock(const std::string& path) {
  const HANDLE file = OpenAlone(path, OPEN_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileLock>(file);
}

bool IsFileLocked(const std::string& path) {
  const HANDLE file = OpenAlone(path, OPEN_EXISTING);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace mox::platform
