#include "frontend/core/file_io.h"

#include <cerrno>
#include <cstring>

#include "platform/directories.h"
#include "platform/file_replace.h"
#include "platform/file_system.h"
#include "platform/text_format.h"

namespace mox::varelo {
namespace {

// The reason of the last failed C file call.
std::string Reason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return "拒绝访问 (文件只读、正被其他程序使用或没有权限)";
    case ENOSPC: return "磁盘空间不足";
    case ENOENT: return "文件或文件夹不存在";
    case EISDIR: return "这是一个文件夹";
    default: return Format("错误 %d (%s)", error, std::strerror(error));
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
  bytes.clear();
  if (platform::IsDirectory(path)) {
    reason = Reason(EISDIR);
    return false;
  }
  errno = 0;
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) {
    reason = Reason(errno != 0 ? errno : ENOENT);
    return false;
  }
  char buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    reason = Reason(errno != 0 ? errno : EIO);
    bytes.clear();
    return false;
  }
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& reason) {
  if (platform::IsDirectory(path)) {
    reason = Reason(EISDIR);
    return false;
  }
  if (platform::IsReadOnlyFile(path)) {
    // The mark says the file must stay as it is: even a program that
    // could replace it (an administrator's) does not.
    reason = "文件是只读的";
    return false;
  }
  if (platform::Files().Exists(path)) {
    // Opened for update and closed again unchanged: the test that the
    // file may be written at all (no permission, or held by another
    // program).
    errno = 0;
    platform::FilePtr probe = platform::OpenFile(path, "r+b");
    if (!probe) {
      reason = Reason(errno != 0 ? errno : EACCES);
      return false;
    }
  }
  const std::string temporary = path + ".$$$";
  errno = 0;
  platform::FilePtr file = platform::OpenFile(temporary, "wb");
  if (!file) {
    reason = Reason(errno != 0 ? errno : EACCES);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const int write_error = errno;
  const bool closed = platform::CloseChecked(file);
  if (!written || !closed) {
    reason = Reason(write_error != 0 ? write_error : (errno != 0 ? errno : ENOSPC));
    platform::Files().Remove(temporary);
    return false;
  }
  if (!platform::MoveFileOver(temporary, path)) {
    reason = Reason(EACCES);
    platform::Files().Remove(temporary);
    return false;
  }
  return true;
}

}  // namespace mox::varelo
