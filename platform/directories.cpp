#include "platform/directories.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include "platform/win32/wide_text.h"
#endif

namespace mox::platform {
namespace {

namespace fs = std::filesystem;

// Paths are GBK inside the programs; Windows wants them in UTF-16, POSIX
// systems take the bytes as they are.
fs::path FsPath(const std::string& path) {
#ifdef _WIN32
  return fs::path(Widen(path));
#else
  return fs::path(path);
#endif
}

std::string GbkPath(const fs::path& path) {
#ifdef _WIN32
  return Narrow(path.native());
#else
  return path.native();
#endif
}

}  // namespace

bool MakeDirectories(const std::string& path) {
  std::error_code error;
  const fs::path folder = FsPath(path);
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error);
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return fs::is_directory(FsPath(path), error);
}

std::string MakeTemporaryDirectory(const std::string& prefix) {
  static std::atomic<unsigned> counter{0};
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) return std::string();
  const auto stamp = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        base / FsPath(prefix + std::to_string(stamp % 1000000007ULL) + "-" +
                      std::to_string(counter++));
    if (fs::create_directory(candidate, error)) return GbkPath(candidate);
  }
  return std::string();
}

void RemoveDirectoryTree(const std::string& path) {
  std::error_code error;
  fs::remove_all(FsPath(path), error);
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(FsPath(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind;
    if (it->is_regular_file(kind)) names.push_back(GbkPath(it->path().filename()));
  }
  return names;
}

std::vector<std::string> FolderNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(FsPath(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind;
    if (it->is_directory(kind)) names.push_back(GbkPath(it->path().filename()));
  }
  return names;
}

}  // namespace mox::platform
