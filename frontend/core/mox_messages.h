// mox's messages of its last run on a source: the characters it refused
// and why it wrote no TeX input. mox writes them to the console and, for
// the editor, to "BASENAME.mlog" beside the source (paper.mlog for
// paper.ctx), one a line, "paper.ctx:12:5: message" with the file (a name
// in the source's folder), line and column, or a message of no place. A
// run without messages leaves no such file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/tex_log.h"

namespace mox::varelo {

inline constexpr char kMoxMessageExtension[] = ".mlog";

// The message file of a source or of any file beside it of the same base
// name ("D:\\work\\paper.ctx" and "D:\\work\\paper.log" give
// "D:\\work\\paper.mlog").
std::string MoxMessageFileOf(const std::string& path);

// The rows of a message file (GBK, as mox writes it): errors, each with
// its file, line and column when the line has them.
std::vector<LogRow> ParseMoxMessages(std::string_view bytes);

}  // namespace mox::varelo
