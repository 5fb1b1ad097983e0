// The texts of the previewer's start-up, options and messages, in both
// languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

// The frame caption while no document is open.
inline constexpr Bilingual kProgramTitle{"MOX DVI 显示程序1.3版第2修订版",
                                         "MOX DVI Previewer for Windows, v1.3pl2"};

inline constexpr Bilingual kErrorCaption{"错误信息", "Error message"};
inline constexpr Bilingual kWarningCaption{"报警", "Warning"};
inline constexpr Bilingual kWarningLine{"%s", "Warning: %s"};
inline constexpr Bilingual kContinueQuestion{"是否继续?", "Continue?"};

inline constexpr Bilingual kInvalidOption{"非法可选项 \"%s\"", "Invalid option \"%s\" "};
inline constexpr Bilingual kInInitFile{"(出现在文件\"%s\"中)",
                                       "in the initialization file\n\"%s\"."};
inline constexpr Bilingual kInCommandLine{"(出现在命令行中)", "in the command line."};
// The lines of the initialization file that were skipped at start.
inline constexpr Bilingual kIgnoredInitLinesHead{
    "初始化文件\"%s\"中以下各行无法读取, 已略过 (文件未改动):",
    "These lines of the initialization file\n\"%s\"\ncannot be read and were ignored (the file "
    "is left as it is):"};
inline constexpr Bilingual kIgnoredInitLine{"\n第 %d 行: %s", "\nline %d: %s"};
inline constexpr Bilingual kMoreIgnoredInitLines{"\n... 另有 %d 行", "\n... and %d more lines"};

}  // namespace mox
