// A file system for tests that forwards to the one installed before it and
// records what was opened and removed: to show that something reads no file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace mox::test {

// Forwards to the file system installed before it and records every path
// opened and removed, for as long as it lives.
class CountingFiles final : public platform::FileSystem {
 public:
  CountingFiles() : previous_(platform::SetFiles(this)) {}
  ~CountingFiles() override { platform::SetFiles(previous_); }
  CountingFiles(const CountingFiles&) = delete;
  CountingFiles& operator=(const CountingFiles&) = delete;

  std::FILE* Open(const std::string& path, const char* mode) override {
    Opened.push_back(path);
    return Next().Open(path, mode);
  }
  bool Remove(const std::string& path) override {
    Removed.push_back(path);
    return Next().Remove(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return Next().Rename(from, to);
  }
  bool Exists(const std::string& path) override { return Next().Exists(path); }

  std::vector<std::string> Opened;
  std::vector<std::string> Removed;

 private:
  platform::FileSystem& Next() {
    return previous_ != nullptr ? *previous_ : platform::SystemFiles();
  }
  platform::FileSystem* previous_;
};

}  // namespace mox::test
