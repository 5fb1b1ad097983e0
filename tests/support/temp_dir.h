// A fresh folder for one test, removed with everything in it afterwards.
// Paths use the platform's own separator, so the Windows build of the tests
// works with backslashes as a user's paths have them.
#pragma once

#include <string>

namespace mox::test {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of a name inside the folder.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes text to a file as it stands (binary), replacing it.
void WriteFile(const std::string& path, const std::string& text);
// Whole content of a file in binary, or nothing when it cannot be opened.
std::string ReadFile(const std::string& path);
// Content read in text mode (CR LF becomes LF on Windows).
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace mox::test
