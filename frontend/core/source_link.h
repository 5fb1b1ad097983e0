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

// The byte where line `line` (from 1) of a text starts, with CR LF, LF or a
// lone CR ending lines; the end of the text for a line past the last one.
std::size_t LineStartByte(std::string_view text, std::int32_t line);

// The line (from 1) a byte offset of a text lies on.
std::int32_t LineOfByte(std::string_view text, std::size_t offset);

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
