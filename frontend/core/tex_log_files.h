// Which file TeX was reading when it wrote a line of its log. TeX prints
// "(" and the file's name when it opens a file and ")" when the file ends,
// so the file of a message is the top of a stack of the names read so far.
// Messages have parentheses too ("(see the transcript file ...)", "(Font)",
// "(size option)"): a "(" opens a file only when a name that looks like a
// path follows it (it has a folder or an extension, or the file exists),
// and the other parentheses of a line are matched within that line, so
// that their ")" closes no file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frontend/core/tex_log_lines.h"

namespace mox::varelo {

// Whether a file of that name (as TeX wrote it) exists; may be empty.
using LogFileProbe = std::function<bool(const std::string&)>;

class LogFileStack {
 public:
  explicit LogFileStack(LogFileProbe exists = {}) : exists_(std::move(exists)) {}

  // Follows the opens and closes of a line of ordinary output (not of an
  // error's context, a box's contents or a message's text, which may show
  // any parentheses of the source).
  void Read(const LogLine& line);

  // The file being read, as TeX wrote its name ("./chapter.tex"); "" before
  // the first file and after the last has ended.
  std::string Current() const { return files_.empty() ? std::string() : files_.back(); }

 private:
  bool LooksLikeFile(const std::string& name) const;

  LogFileProbe exists_;
  std::vector<std::string> files_;
};

}  // namespace mox::varelo
