// Files as the portable core sees them: C streams opened by GBK path, plus the
// few whole-file operations the programs need. The Win32 implementation turns
// the GBK path into UTF-16 so that Chinese names work on any code page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace mox::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // fopen modes; "t" (text mode) is honoured on Windows and ignored elsewhere.
  virtual std::FILE* Open(const std::string& path, const char* mode) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Fails when `to` exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Exists(const std::string& path) = 0;
};

// The process-wide file system; tests may install one that injects failures.
FileSystem& Files();
// Installs fs (not owned; nullptr restores the system's) and returns the one
// that was installed before (nullptr for the system's).
FileSystem* SetFiles(FileSystem* fs);
// This platform's real file system.
FileSystem& SystemFiles();

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr OpenFile(const std::string& path, const char* mode) {
  return FilePtr(Files().Open(path, mode));
}

// Positioning with offsets up to 4 GB, also where long is 32 bits: true when
// the seek worked; the position, or -1.
bool SeekFile(std::FILE* file, std::uint64_t offset, int origin);
std::int64_t TellFile(std::FILE* file);

// Closes the stream and reports whether every write reached the file.
bool CloseChecked(FilePtr& file);

}  // namespace mox::platform
