// The files of one conversion: which source a command-line name means, the
// TeX input beside it, reading the one and writing the other so that no
// half-written TeX input is ever left.
#pragma once

#include <string>

namespace mox::tool {

struct SourceFiles {
  std::string Source;
  std::string Output;  // the source's name with the extension ".tex"
};

enum class NameProblem {
  None,
  NotFound,              // no such file (for a base name: no NAME.ctx nor NAME)
  OutputIsInput,         // the source is itself a .tex file
};

// The files a name on the command line means: "paper.ctx" and "paper" (a
// base name, as batch files pass it; paper.ctx is looked for, then paper
// itself) both mean the source paper.ctx and the output paper.tex in the
// same folder. `files.Source` names what was looked for when it is not found.
NameProblem FindSourceFiles(const std::string& name, SourceFiles& files);

// Where a run's messages go for the editor: the source's name with the
// extension ".mlog" ("paper.mlog" for paper.ctx), beside it.
std::string MessageFileOf(const std::string& source);

// The name of a path without its folder.
std::string NameOf(const std::string& path);

// The whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `text` to a temporary file beside `path` and puts it in the place
// of `path` in one step; on any failure the temporary file is removed and
// `path` is as it was. False then.
bool WriteFileInPlace(const std::string& path, const std::string& text);

}  // namespace mox::tool
