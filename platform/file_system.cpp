#include "platform/file_system.h"

namespace mox::platform {
namespace {
FileSystem* g_installed = nullptr;
}  // namespace

FileSystem& Files() {
  return g_installed != nullptr ? *g_installed : SystemFiles();
}

FileSystem* SetFiles(FileSystem* fs) {
  FileSystem* before = g_installed;
  g_installed = fs;
  return before;
}

bool CloseChecked(FilePtr& file) {
  std::FILE* f = file.release();
  if (f == nullptr) return false;
  const bool failed_before = std::ferror(f) != 0;
  const bool closed = std::fclose(f) == 0;
  return closed && !failed_before;
}

}  // namespace mox::platform
