#include <sys/stat.h>

#include <cstdio>

#include "platform/file_replace.h"

namespace mox::platform {

bool MoveFileOver(const std::string& from, const std::string& to) {
  // The old file's permissions on the new one, then the rename (atomic).
  struct stat old_file {};
  if (stat(to.c_str(), &old_file) == 0) chmod(from.c_str(), old_file.st_mode & 07777);
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat file {};
  return stat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) &&
         (file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace mox::platform
