#include "tests/support/temp_dir.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define MOX_GETPID _getpid
#else
#include <unistd.h>
#define MOX_GETPID getpid
#endif

namespace mox::test {
namespace {
std::atomic<int> g_counter{0};
}  // namespace

TempDir::TempDir() {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    const std::filesystem::path candidate =
        base / ("moxtest-" + std::to_string(MOX_GETPID()) + "-" +
                std::to_string(g_counter++));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = std::filesystem::path(candidate).make_preferred().string();
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

std::string TempDir::File(const std::string& name) const {
  return path_ + kSeparator + name;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace mox::test
