#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <ctime>

#include "platform/file_stamp.h"

namespace mox::platform {

FileStamp RecordFileStamp(const std::string& path) {
  FileStamp stamp;
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return stamp;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    stamp.Path = path;
    // The stamp holds 32 bits; a larger file keeps the largest length.
    stamp.Length = st.st_size > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(st.st_size);
    std::tm local{};
    const std::time_t seconds = st.st_mtime;
    if (::localtime_r(&seconds, &local) != nullptr) {
      SetDosTime(stamp, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                 local.tm_min, local.tm_sec);
    }
  }
  ::close(fd);
  return stamp;
}

bool CanOpenExclusively(const std::string& path) {
  // Files here have no share modes; an exclusive advisory lock is the
  // nearest thing, and it fails only while a cooperating writer holds one.
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return locked;
}

}  // namespace mox::platform
