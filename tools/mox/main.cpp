// mox: turns a Chinese TeX source (GBK or UTF-8) into the TeX input beside
// it, every Chinese character written as \moxcc{B1}{B2} for the macros in
// tex/mox/ and the "ccfnt" fonts.
//
//   mox [--mer2dvi] [-C | -E] SOURCE
//
// SOURCE is paper.ctx or the base name paper; the output is paper.tex.
// Exit status: 0 written, 1 not written (a character no Chinese font has, a file
// that cannot be read or written, a source that is itself a .tex file),
// 2 an invalid command line. The messages of a run go to the console and to
// paper.mlog beside the source, for the editor; a run without messages
// removes that file.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/console_text.h"
#include "platform/file_system.h"
#include "tools/mox/source_converter.h"
#include "tools/mox/source_files.h"

namespace {

using mox::tool::ProblemKind;
using mox::tool::SourceProblem;

bool chinese = false;

// A message in the chosen language (GBK text, as the literals are).
std::string Say(const char* english, const char* chinese_text) {
  return chinese ? chinese_text : english;
}

void Print(std::FILE* stream, const std::string& gbk) {
  mox::platform::WriteConsoleText(stream, gbk);
}

void Usage(std::FILE* stream) {
  Print(stream,
        Say("Usage: mox [--mer2dvi] [-C | -E] SOURCE\n"
            "Writes the TeX input of a Chinese TeX source beside it: mox paper.ctx and\n"
            "mox paper both write paper.tex. The source is GBK or UTF-8.\n"
            "  --mer2dvi  codes for a DVI file with the Mer2Dvi mark (rows 16 to 87 + 5)\n"
            "  -C, -E     messages in Chinese or English (the default)\n",
            "用法：mox [--mer2dvi] [-C | -E] 源文件\n"
            "把中文 TeX 源文件转换为同目录下的 TeX 文件：mox paper.ctx 和 mox paper\n"
            "都写出 paper.tex。源文件可以是 GBK 或 UTF-8 编码。\n"
            "  --mer2dvi  为带 Mer2Dvi 标记的 DVI 文件写代码（16 至 87 区加 5）\n"
            "  -C, -E     中文或英文（默认）信息\n"));
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string Describe(const SourceProblem& problem, const std::string& source) {
  std::string where = source + ":" + std::to_string(problem.Line) + ":" +
                      std::to_string(problem.Column) + ": ";
  std::string code;
  if (problem.CodePoint != 0) code = "U+" + Hex(problem.CodePoint, 4);
  if (problem.Gbk.size() >= 1) {
    std::string bytes;
    for (char c : problem.Gbk) bytes += Hex(static_cast<unsigned char>(c), 2);
    code += (code.empty() ? "GBK " : ", GBK ") + bytes;
  }
  const std::string shown =
      problem.Gbk.size() == 2 ? "\"" + problem.Gbk + "\" (" + code + ")" : code;
  switch (problem.Kind) {
    case ProblemKind::PrivateUse:
      return where + shown +
             Say(" is a user-defined GBK code (Unicode's private use area): no Chinese font has it",
                 " 是 GBK 用户自定义区的编码（Unicode 私用区）：没有中文字库含有该字");
    case ProblemKind::NoChineseFont:
      return where + shown +
             Say(" is in no Chinese font (GB 2312, GBK, CJK Extension A, compatibility ideographs)",
                 " 不在任何中文字库中（GB 2312、GBK、扩展 A、兼容汉字）");
    case ProblemKind::InvalidUtf8: {
      std::string bytes;
      for (char c : problem.Gbk) bytes += (bytes.empty() ? "" : " ") + Hex(static_cast<unsigned char>(c), 2);
      return where + Say("the bytes ", "字节 ") + bytes +
             Say(" are no valid UTF-8 (the rest of the file is UTF-8)",
                 " 不是有效的 UTF-8（文件的其余部分是 UTF-8）");
    }
    case ProblemKind::BrokenBytes:
      return where + Say("the byte ", "字节 ") + code +
             Say(" is no valid GBK character", " 不是有效的 GBK 字符");
  }
  return where;
}

// The run's messages for the editor, which cannot read the console: in
// BASENAME.mlog beside the source, or no such file after a run without
// any, so that none of an earlier run is left to be shown. The console has
// them all the same, so a file that cannot be written is let be.
void KeepMessages(const std::string& source, const std::vector<std::string>& messages) {
  const std::string path = mox::tool::MessageFileOf(source);
  if (messages.empty()) {
    mox::platform::FileSystem& fs = mox::platform::Files();
    if (fs.Exists(path)) fs.Remove(path);
    return;
  }
  std::string text;
  for (const std::string& message : messages) text += message + "\n";
  mox::tool::WriteFileInPlace(path, text);
}

// Reads the options (-C and -E take effect at once, for the messages of
// the rest of the line) and the one source name. An exit status when the
// command line ends the run: 0 after --help, 2 when it is invalid.
std::optional<int> ReadCommandLine(const std::vector<std::string>& arguments,
                                   mox::tool::ConversionOptions& options, std::string& name) {
  std::vector<std::string> names;
  bool options_end = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_end || argument.empty() || argument[0] != '-' || argument == "-") {
      names.push_back(argument);
    } else if (argument == "--") {
      options_end = true;
    } else if (argument == "--mer2dvi") {
      options.Mer2Dvi = true;
    } else if (argument == "-C" || argument == "-c") {
      chinese = true;
    } else if (argument == "-E" || argument == "-e") {
      chinese = false;
    } else if (argument == "--help" || argument == "-h" || argument == "-?") {
      Usage(stdout);
      return 0;
    } else {
      Print(stderr, Say("mox: unknown option ", "mox：未知选项 ") + argument + "\n");
      Usage(stderr);
      return 2;
    }
  }
  if (names.size() != 1) {
    Print(stderr, names.empty() ? Say("mox: no source named\n", "mox：没有指定源文件\n")
                                : Say("mox: name one source only\n", "mox：只能指定一个源文件\n"));
    Usage(stderr);
    return 2;
  }
  name = names[0];
  return std::nullopt;
}

// A message that ends the run without output, on the console and in the
// messages file.
void Refuse(const mox::tool::SourceFiles& files, const std::string& message) {
  Print(stderr, message + "\n");
  KeepMessages(files.Source, {message});
}

// The source and output files of the name; false, with the message said,
// when there is no such source or it is a .tex file itself.
bool FindFiles(const std::string& name, mox::tool::SourceFiles& files) {
  switch (mox::tool::FindSourceFiles(name, files)) {
    case mox::tool::NameProblem::NotFound:
      Print(stderr, Say("mox: cannot find ", "mox：找不到 ") + files.Source + "\n");
      return false;
    case mox::tool::NameProblem::OutputIsInput: {
      const std::string message =
          Say("mox: ", "mox：") + files.Source +
          Say(" is a .tex file: its TeX input would be written over it; "
              "give the source a name ending in .ctx",
              " 是 .tex 文件，转换结果会覆盖它本身；请把源文件改名为 .ctx");
      Refuse(files, message);
      return false;
    }
    case mox::tool::NameProblem::None:
      break;
  }
  return true;
}

// The problems that keep the output from being written: the first ones on
// the console, every one in the messages file.
void ReportProblems(const std::vector<SourceProblem>& problems,
                    const mox::tool::SourceFiles& files) {
  constexpr std::size_t kShown = 20;
  for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) {
    Print(stderr, Describe(problems[i], files.Source) + "\n");
  }
  if (problems.size() > kShown) {
    Print(stderr, Say("... and ", "……另有 ") + std::to_string(problems.size() - kShown) +
                      Say(" more\n", " 处\n"));
  }
  const std::string not_written =
      Say("mox: ", "mox：") + files.Output + Say(" not written", " 没有写出");
  Print(stderr, not_written + "\n");
  // The file has every problem, named from its own folder.
  std::vector<std::string> messages;
  for (const SourceProblem& problem : problems) {
    messages.push_back(Describe(problem, mox::tool::NameOf(files.Source)));
  }
  messages.push_back(not_written);
  KeepMessages(files.Source, messages);
}

int Run(const std::vector<std::string>& arguments) {
  mox::tool::ConversionOptions options;
  std::string name;
  if (const std::optional<int> status = ReadCommandLine(arguments, options, name)) return *status;
  mox::tool::SourceFiles files;
  if (!FindFiles(name, files)) return 1;

  std::string source;
  if (!mox::tool::ReadWholeFile(files.Source, source)) {
    Refuse(files, Say("mox: cannot read ", "mox：无法读取 ") + files.Source);
    return 1;
  }
  const mox::tool::ConversionResult result = mox::tool::ConvertSource(source, options);
  if (!result.Problems.empty()) {
    ReportProblems(result.Problems, files);
    return 1;
  }
  if (!mox::tool::WriteFileInPlace(files.Output, result.Text)) {
    Refuse(files, Say("mox: cannot write ", "mox：无法写出 ") + files.Output +
                      Say(" (it is left as it was)", "（原文件未改动）"));
    return 1;
  }
  KeepMessages(files.Source, {});
  Print(stdout, files.Source + " -> " + files.Output +
                    (result.Utf8 ? " (UTF-8)\n" : " (GBK)\n"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return Run(mox::platform::CommandLineArguments(argc, argv));
}
