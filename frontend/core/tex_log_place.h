// Where the editor goes for a row of a TeX log or of mox's messages: the
// file the row names, found from the log's folder (TeX names the files it
// reads relative to the folder it runs in, which is the source's, where it
// writes the log), on the row's line. A .tex that mox wrote from a .ctx
// beside it (the same base name) means the .ctx, on the same line: mox
// keeps every line where it was.
#pragma once

#include <cstdint>
#include <string>

#include "frontend/core/tex_log.h"

namespace mox::varelo {

struct SourcePlace {
  std::string Path;
  std::int32_t Line = 0;    // 0: none
  std::int32_t Column = 0;  // 0: none
};

// `log_path` is the path of the log (or of the message file) the row comes
// from; a row of no file belongs to the log's own source (its base name
// with ".tex", or the .ctx it was written from).
SourcePlace SourcePlaceOf(const LogRow& row, const std::string& log_path);

// A name TeX wrote as a path from the log's folder: "./" in front dropped,
// "/" as the folder's separator where that is "\\"; an absolute name as
// it is.
std::string LogFilePath(const std::string& name, const std::string& log_folder);

// Whether a name TeX wrote (in the log's bytes: a UTF-8 name is opened by
// its GB18030 path on Windows) is a file from the log's folder.
LogFileProbe FilesBeside(const std::string& log_path);

// The name as texlog shows it: relative to the log's folder without "./"
// in front, or absolute as TeX wrote it.
std::string LogRelativeName(const std::string& name);

}  // namespace mox::varelo
