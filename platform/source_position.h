// A place in a source file, as the editor and the previewer hand it to each
// other: the editor asks the previewer to show the page of a line (forward
// search), the previewer asks the editor to show the line of a place on a
// page (inverse search). Between the programs it travels as UTF-8 text in a
// WM_COPYDATA message whose dwData is kSourcePositionData:
//
//   LINE "\n" SOURCE-PATH [ "\n" DVI-PATH ]
//
// LINE in decimal digits (1 and up), the paths full Windows paths. Another
// program may send the same message to either window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mox::platform {

inline constexpr unsigned long kSourcePositionData = 0x53524350;  // "SRCP"

struct SourcePosition {
  std::int32_t Line = 0;
  std::string File;     // GBK
  std::string DviFile;  // GBK; empty: whatever document is shown
};

// The message text; nothing when a path has bytes no character stands for.
std::optional<std::string> EncodeSourcePosition(const SourcePosition& position);
// The position a message text gives; nothing for text that is not one
// (no line, a line below 1 or too large, no file, no UTF-8, a character
// GBK lacks, or a control character in a path).
std::optional<SourcePosition> DecodeSourcePosition(std::string_view utf8);

// A GBK path for comparing file names as Windows does: "/" for either
// separator, ASCII letters in lower case (a Chinese character's bytes as
// they are), "/./" left out.
std::string ComparablePath(std::string_view path);

}  // namespace mox::platform
