// The editor's half of the source links with the previewer: the line an
// inverse search asks for, found in the editor's text, and the forward
// search of the active editor's caret line, sent to the running previewer
// or given to a previewer started on the file's DVI file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/program_start.h"
#include "platform/source_position.h"

namespace mox::varelo {

// Where line `line` (from 1) of a text starts, with CR LF, LF or a lone CR
// ending lines (the rich-edit control ends its lines with CR alone); the
// end of the text for a line past the last one. Bytes of GBK text or
// UTF-16 units of a control's text alike: line ends are one unit in both.
template <typename Char>
std::size_t LineStart(std::basic_string_view<Char> text, std::int32_t line) {
  std::size_t at = 0;
  for (std::int32_t n = 1; n < line; ++n) {
    while (at < text.size() && text[at] != Char('\r') && text[at] != Char('\n')) ++at;
    if (at >= text.size()) return text.size();
    at += text[at] == Char('\r') && at + 1 < text.size() && text[at + 1] == Char('\n') ? 2 : 1;
  }
  return at;
}

// The line (from 1) an offset of a text lies on.
template <typename Char>
std::int32_t LineOf(std::basic_string_view<Char> text, std::size_t offset) {
  std::int32_t line = 1;
  const std::size_t end = offset < text.size() ? offset : text.size();
  for (std::size_t i = 0; i < end; ++i) {
    const bool crlf = text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n');
    if ((text[i] == Char('\n') || (text[i] == Char('\r') && !crlf)) && line < 0x7FFFFFFF) ++line;
  }
  return line;
}

// The DVI file TeX writes for a source: beside it, its base name with
// ".dvi" (a .ctx goes through mox to a .tex of the same name first).
std::string DviFileOf(const std::string& source);

// What a forward search does: the position for a running previewer, and
// the previewer beside the editor to start on the DVI file otherwise.
struct ForwardSearch {
  platform::SourcePosition Position;
  ProgramStart Previewer;
};
ForwardSearch ForwardSearchFor(const std::string& program_dir, const std::string& source,
                               std::int32_t line);

// The line to show in the file of the command line: a number after the
// file argument (arguments[2]); 0 when there is none.
std::int32_t CommandLineLine(const std::vector<std::string>& arguments);

}  // namespace mox::varelo
