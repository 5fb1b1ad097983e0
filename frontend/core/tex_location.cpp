#include "frontend/core/tex_location.h"

#include "frontend/core/file_io.h"
#include "frontend/core/program_start.h"
#include "platform/file_system.h"

namespace mox::varelo {
namespace {

// The next line of bytes from `at`, without its line end; false at the end.
bool NextLine(const std::string& bytes, std::size_t& at, std::string& line) {
  if (at >= bytes.size()) return false;
  std::size_t end = bytes.find('\n', at);
  if (end == std::string::npos) end = bytes.size();
  line = bytes.substr(at, end - at);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  at = end + 1;
  return true;
}

}  // namespace

std::string TexToolsFolder(const std::string& program_dir) {
  return JoinPath(program_dir, "TeX");
}

std::string TexLocationFile(const std::string& program_dir) {
  return JoinPath(program_dir, "tex.loc");
}

TexLocation LoadTexLocation(const std::string& program_dir) {
  TexLocation location{TexToolsFolder(program_dir), kDefaultSource};
  const std::string path = TexLocationFile(program_dir);
  std::string bytes;
  std::string reason;
  if (!platform::Files().Exists(path) || !ReadWholeFile(path, bytes, reason)) return location;
  std::size_t at = 0;
  std::string line;
  if (NextLine(bytes, at, line)) location.TexDir = line;
  if (NextLine(bytes, at, line)) location.Source = line;
  return location;
}

bool SaveTexLocation(const std::string& program_dir, const TexLocation& location,
                     std::string& reason) {
  return WriteWholeFile(TexLocationFile(program_dir),
                        location.TexDir + "\r\n" + location.Source + "\r\n", reason);
}

}  // namespace mox::varelo
