#include "frontend/core/tex_log_files.h"

#include <algorithm>

namespace mox::varelo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWith(const std::string& text, std::string_view prefix) {
  return std::string_view(text).substr(0, prefix.size()) == prefix;
}

// A folder in front ("./", "../", "/", "C:/", "C:\\", "\\\\server").
bool HasFolder(const std::string& name) {
  if (StartsWith(name, "./") || StartsWith(name, "../") || StartsWith(name, ".\\") ||
      StartsWith(name, "/") || StartsWith(name, "\\\\")) {
    return true;
  }
  return name.size() >= 3 && IsLetter(name[0]) && name[1] == ':' && (name[2] == '/' || name[2] == '\\');
}

// An extension of a few letters and digits that begins with a letter, after
// a name: "size10.clo", "main.aux", not "e.g.", "v1.4n" nor "137.72pt".
bool HasExtension(const std::string& name) {
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || (slash != std::string::npos && dot <= slash + 1)) {
    return false;
  }
  const std::string_view extension = std::string_view(name).substr(dot + 1);
  if (extension.empty() || extension.size() > 10 || !IsLetter(extension[0])) return false;
  return std::all_of(extension.begin(), extension.end(),
                     [](char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '-'; });
}

}  // namespace

bool LogFileStack::LooksLikeFile(const std::string& name) const {
  if (name.empty()) return false;
  if (HasFolder(name) || HasExtension(name)) return true;
  return exists_ && exists_(name);
}

void LogFileStack::Read(const LogLine& line) {
  const std::string& text = line.Text;
  std::size_t others = 0;  // parentheses of this line that opened no file
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ')') {
      if (others > 0) {
        --others;
      } else if (!files_.empty()) {
        files_.pop_back();
      }
      continue;
    }
    if (text[i] != '(') continue;
    const std::size_t start = i + 1;
    std::size_t end = start;
    std::size_t resume = start;  // where the scan goes on after a name
    std::string name;
    const std::size_t quote = start < text.size() && text[start] == '"' ? text.find('"', start + 1)
                                                                        : std::string::npos;
    if (quote != std::string::npos) {
      // TeX Live quotes a name with blanks.
      name = text.substr(start + 1, quote - start - 1);
      resume = quote + 1;
    } else {
      while (end < text.size() && !IsBlank(text[end]) && text[end] != '(' && text[end] != ')') ++end;
      // A name that ends right where a line was broken may have been
      // joined to the output after it; the file system tells.
      if (exists_) {
        for (const std::size_t join : line.Joins) {
          if (join <= start || join >= end) continue;
          const std::string prefix = DecodeHatName(text.substr(start, join - start));
          if (!exists_(DecodeHatName(text.substr(start, end - start))) && exists_(prefix)) end = join;
          break;
        }
      }
      name = text.substr(start, end - start);
      resume = end;
    }
    name = DecodeHatName(name);
    if (LooksLikeFile(name)) {
      files_.push_back(std::move(name));
      i = resume - 1;
    } else {
      ++others;
    }
  }
}

}  // namespace mox::varelo
