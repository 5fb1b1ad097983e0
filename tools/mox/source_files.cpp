#include "tools/mox/source_files.h"

#include <cstdio>

#include "platform/file_replace.h"
#include "platform/file_system.h"

namespace mox::tool {
namespace {

// Where the extension of a path's last component begins (at its "."), or
// npos, and where that component begins. Windows paths are GBK, whose
// second bytes may look like "\" and are stepped over; elsewhere only "/"
// separates folders.
std::size_t ExtensionStart(const std::string& path, std::size_t* name_start = nullptr) {
  std::size_t dot = std::string::npos;
  if (name_start) *name_start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
#ifdef _WIN32
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
      ++i;
      continue;
    }
    const bool separator = c == '/' || c == '\\' || c == ':';
#else
    const bool separator = c == '/';
#endif
    if (separator) {
      dot = std::string::npos;
      if (name_start) *name_start = i + 1;
    } else if (c == '.') {
      dot = i;
    }
  }
  return dot;
}

bool IsTexExtension(const std::string& path, std::size_t dot) {
  if (dot == std::string::npos || path.size() - dot != 4) return false;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == "tex";
}

}  // namespace

NameProblem FindSourceFiles(const std::string& name, SourceFiles& files) {
  platform::FileSystem& fs = platform::Files();
  std::size_t dot = ExtensionStart(name);
  if (dot == std::string::npos && fs.Exists(name + ".ctx")) {
    files.Source = name + ".ctx";
    dot = name.size();
  } else if (fs.Exists(name)) {
    files.Source = name;
  } else {
    files.Source = dot == std::string::npos ? name + ".ctx" : name;
    return NameProblem::NotFound;
  }
  const std::size_t base_end = dot == std::string::npos ? files.Source.size() : dot;
  files.Output = files.Source.substr(0, base_end) + ".tex";
  if (IsTexExtension(files.Source, dot)) return NameProblem::OutputIsInput;
  return NameProblem::None;
}

std::string MessageFileOf(const std::string& source) {
  const std::size_t dot = ExtensionStart(source);
  return source.substr(0, dot == std::string::npos ? source.size() : dot) + ".mlog";
}

std::string NameOf(const std::string& path) {
  std::size_t name_start = 0;
  ExtensionStart(path, &name_start);
  return path.substr(name_start);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return false;
  char buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  // A folder opens on some systems and fails only here.
  return std::ferror(file.get()) == 0;
}

bool WriteFileInPlace(const std::string& path, const std::string& text) {
  platform::FileSystem& fs = platform::Files();
  std::string temporary;
  for (int i = 0; i < 100 && temporary.empty(); ++i) {
    const std::string candidate = path + ".mox" + (i ? std::to_string(i) : std::string()) + ".tmp";
    if (!fs.Exists(candidate)) temporary = candidate;
  }
  if (temporary.empty()) return false;
  platform::FilePtr file = platform::OpenFile(temporary, "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  if (!platform::CloseChecked(file) || !written || !platform::MoveFileOver(temporary, path)) {
    fs.Remove(temporary);
    return false;
  }
  return true;
}

}  // namespace mox::tool
