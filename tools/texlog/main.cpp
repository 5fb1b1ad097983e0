// texlog: the errors, warnings and bad boxes of a TeX run, read from its
// .log, one a line:
//
//   KIND<TAB>FILE<TAB>LINE<TAB>MESSAGE
//
//   texlog [-C | -E] LOGFILE
//
// KIND is error, warning or badbox; FILE the file TeX was reading, relative
// to the log's folder (or absolute as TeX wrote it); LINE the first line
// the row names (empty for none); MESSAGE TeX's message on one line. The
// rows are the log's own bytes. A file ending in ".mlog" is read as mox's
// messages. Exit status: 0 no error, 1 the log has errors, 2 it cannot be
// read or an invalid command line.
#include <cstdio>
#include <string>
#include <vector>

#include "frontend/core/file_io.h"
#include "frontend/core/mox_messages.h"
#include "frontend/core/tex_log.h"
#include "frontend/core/tex_log_place.h"
#include "platform/command_line.h"
#include "platform/console_text.h"
#include "platform/file_system.h"

namespace {

using mox::varelo::LogRow;
using mox::varelo::LogRowKind;

bool chinese = false;

std::string Say(const char* english, const char* chinese_text) {
  return chinese ? chinese_text : english;
}

void Print(std::FILE* stream, const std::string& gbk) {
  mox::platform::WriteConsoleText(stream, gbk);
}

void Usage(std::FILE* stream) {
  Print(stream,
        Say("Usage: texlog [-C | -E] LOGFILE\n"
            "Lists the errors, warnings and bad boxes of a TeX run's log, one a line:\n"
            "KIND<TAB>FILE<TAB>LINE<TAB>MESSAGE, KIND being error, warning or badbox.\n"
            "A file ending in .mlog is read as mox's messages.\n"
            "Exit status: 0 no errors, 1 the log has errors, 2 it cannot be read.\n"
            "  -C, -E     messages in Chinese or English (the default)\n",
            "用法：texlog [-C | -E] 日志文件\n"
            "列出 TeX 运行日志中的错误、警告和坏盒子，每行一条：\n"
            "类别<TAB>文件<TAB>行号<TAB>信息，类别为 error、warning 或 badbox。\n"
            "以 .mlog 结尾的文件按 mox 的信息读取。\n"
            "退出码：0 没有错误，1 日志中有错误，2 无法读取。\n"
            "  -C, -E     中文或英文（默认）信息\n"));
}

const char* KindName(LogRowKind kind) {
  switch (kind) {
    case LogRowKind::Error: return "error";
    case LogRowKind::Warning: return "warning";
    case LogRowKind::Badbox: return "badbox";
  }
  return "error";
}

// A field of a row: tabs and line ends of a message would split the row.
std::string Field(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

void PrintRow(const LogRow& row) {
  std::string line = std::string(KindName(row.Kind)) + "\t" +
                     Field(mox::varelo::LogRelativeName(row.File)) + "\t" +
                     (row.Line > 0 ? std::to_string(row.Line) : std::string()) + "\t" +
                     Field(row.Message) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int Run(const std::vector<std::string>& arguments) {
  std::vector<std::string> names;
  bool options_end = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_end || argument.empty() || argument[0] != '-' || argument == "-") {
      names.push_back(argument);
    } else if (argument == "--") {
      options_end = true;
    } else if (argument == "-C" || argument == "-c") {
      chinese = true;
    } else if (argument == "-E" || argument == "-e") {
      chinese = false;
    } else if (argument == "--help" || argument == "-h" || argument == "-?") {
      Usage(stdout);
      return 0;
    } else {
      Print(stderr, Say("texlog: unknown option ", "texlog：未知选项 ") + argument + "\n");
      Usage(stderr);
      return 2;
    }
  }
  if (names.size() != 1) {
    Print(stderr, names.empty() ? Say("texlog: no log named\n", "texlog：没有指定日志文件\n")
                                : Say("texlog: name one log only\n", "texlog：只能指定一个日志文件\n"));
    Usage(stderr);
    return 2;
  }
  const std::string& path = names[0];
  std::string bytes;
  std::string reason;
  if (!mox::varelo::ReadWholeFile(path, bytes, reason)) {
    Print(stderr, Say("texlog: cannot read ", "texlog：无法读取 ") + path + "\n");
    return 2;
  }

  std::vector<LogRow> rows;
  if (EndsWith(path, mox::varelo::kMoxMessageExtension)) {
    rows = mox::varelo::ParseMoxMessages(bytes);
  } else {
    mox::varelo::TexLogOptions options;
    options.Gbk = false;
    options.Exists = mox::varelo::FilesBeside(path);
    rows = mox::varelo::ParseTexLog(bytes, options).Rows;
  }
  bool errors = false;
  for (const LogRow& row : rows) {
    PrintRow(row);
    errors = errors || row.Kind == LogRowKind::Error;
  }
  std::fflush(stdout);
  return errors ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  return Run(mox::platform::CommandLineArguments(argc, argv));
}
