// What a TeX run's .log tells the user: its errors, warnings and bad boxes
// with the file and line each belongs to, and how many pages it wrote. The
// editor lists them after a run and opens the place of the one chosen;
// texlog prints them. Works on the log's bytes: TeX's broken lines are
// joined and its file stack followed (tex_log_lines.h, tex_log_files.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/tex_log_files.h"

namespace mox::varelo {

enum class LogRowKind { Error, Warning, Badbox };

struct LogRow {
  LogRowKind Kind = LogRowKind::Error;
  // The file as TeX wrote its name ("./chapter.tex", an absolute path for
  // a package); "" when no file was open.
  std::string File;
  std::int32_t Line = 0;      // the first line it names; 0 for none
  std::int32_t LastLine = 0;  // the last of a range ("lines 12--15"), else Line
  std::int32_t Column = 0;    // mox's messages only; 0 for none
  std::string Message;        // on one line; an error without its "! "
  // An error's two lines of context from TeX's "l.NN": the line read so
  // far and, below it, the rest of the line.
  std::vector<std::string> Context;
};

struct TexLog {
  std::vector<LogRow> Rows;
  // The log's texts are UTF-8 (valid UTF-8 with a byte above 127), else
  // GBK; decided for the whole log.
  bool Utf8 = false;
  // From "Output written on x.dvi (14 pages, 1234 bytes).": 14; 0 after
  // "No pages of output."; -1 when the log says neither (a run cut short).
  std::int32_t Pages = -1;
  std::string OutputFile;  // "x.dvi", "" when none was written
  std::size_t LineWidth = kDefaultLineWidth;  // max_print_line of the run

  std::size_t Count(LogRowKind kind) const;
};

struct TexLogOptions {
  // Texts (names, messages, context) in GBK, as the editor holds text (a
  // UTF-8 log's characters beyond GBK in their GB18030 codes); false keeps
  // the log's own bytes.
  bool Gbk = true;
  // Tells a file TeX opened without a folder or an extension from a word
  // in parentheses; may be empty.
  LogFileProbe Exists;
};

TexLog ParseTexLog(std::string_view log, const TexLogOptions& options = {});

// Text in UTF-8 as GBK (GB18030 for characters GBK lacks).
std::string Utf8AsGbk(std::string_view utf8);

}  // namespace mox::varelo
