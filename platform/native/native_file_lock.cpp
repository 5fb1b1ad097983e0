#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/file_lock.h"

namespace mox::platform {
namespace {

// An advisory lock of the whole file (flock), which the system gives up
// with the process; two opens of the same file conflict even in one
// process.
class NativeFileLock final : public FileLock {
 public:
  explicit NativeFileLock(int file) : file_(file) {}
  ~NativeFileLock() override { close(file_); }

 private:
  int file_;
};

}  // namespace

std::unique_ptr<FileLock> TakeFileLock(const std::string& path) {
  const int file = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (file < 0) return nullptr;
  if (flock(file, LOCK_EX | LOCK_NB) != 0) {
    close(file);
    return nullptr;
  }
  return std::make_unique<NativeFileLock>(file);
}

bool IsFileLocked(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  const bool locked = flock(file, LOCK_EX | LOCK_NB) != 0;
  close(file);
  return locked;
}

}  // namespace mox::platform
