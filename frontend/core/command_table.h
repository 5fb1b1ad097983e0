// The eighteen commands of the TeX command runner: for each, the tool it
// needs, the input file it needs in the source's folder, the messages when
// either is missing and the command line it starts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "frontend/core/program_start.h"

namespace mox::varelo {

// Captions of the runner's messages.
inline constexpr char kEnvironmentCaption[] = "可能发生的错误与使用环境有关";
inline constexpr char kInputCaption[] = " 发生错误";
inline constexpr char kPreviewerCaption[] = "错误";

struct CommandRow {
  enum class Base { TexDir, ProgramDir };
  // What a file or argument is made of: nothing, the source's name, its
  // base name, or the base name and a fixed extension.
  enum class FileForm { None, Name, BaseName, BaseDvi, BaseTex };

  std::string_view Command;  // compared exactly and case-sensitively
  Base ToolBase;
  std::string_view ToolFile;
  std::string_view ToolMessage;
  std::string_view ToolCaption;
  FileForm Input;          // the file that must exist in the source's folder
  FileForm InputSubject;   // what the input message names
  std::string_view InputTail;
  std::string_view Program;  // in ToolBase's folder
  std::string_view Options;  // between program and argument
  FileForm Argument;
};

// In the order of the command box (and of comparison).
extern const std::array<CommandRow, 18> kCommandRows;

// The row of a command text, or null: "latex" is no command.
const CommandRow* FindCommandRow(std::string_view command);

struct RunnerMessage {
  std::string Text;
  std::string Caption;
};

// What a row does for the TeX folder, the program folder and a source
// (a path whose folder is the one the input is looked for in): the message
// of a missing tool or input, or the program to start in the source's
// folder. Every path and argument of the command line is quoted.
std::variant<RunnerMessage, ProgramStart> EvaluateCommand(const CommandRow& row,
                                                         const std::string& tex_dir,
                                                         const std::string& program_dir,
                                                         const std::string& source);

}  // namespace mox::varelo
