#include "frontend/core/frame_files.h"

#include "frontend/core/commands.h"
#include "platform/text_format.h"

namespace mox::varelo {

std::string ProgramDirOf(const std::string& executable_path) {
  const std::size_t last = FindLastOfGbk(executable_path, "\\/");
  return last == std::string::npos ? std::string() : executable_path.substr(0, last);
}

std::string NamePartOf(const std::string& path) {
  const std::size_t last = FindLastOfGbk(path, "\\/:");
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::optional<std::string> HelpFileOf(int command, const std::string& program_dir) {
  switch (command) {
    case CM_HELP_LATEX: return program_dir + "\\LaTeX2e.HLP";
    case CM_HELP_PCTEX: return program_dir + "\\PcTeXWin.HLP";
    case CM_HELP_MIKTEX: return program_dir + "\\MikTeX.HLP";
    default: return std::nullopt;
  }
}

std::string NewsCommandLine(const std::string& program_dir) {
  return "notepad.exe " + program_dir + "\\news.txt";
}

std::string CommandInterpreter(const std::optional<std::string>& comspec) {
  if (!comspec || comspec->empty()) return "cmd.exe";
  // A path with blanks is quoted, or it would be cut at the first one.
  return comspec->find(' ') == std::string::npos ? *comspec : "\"" + *comspec + "\"";
}

std::string MailLink(int command) {
  const std::string link = std::string("mailto:") + kMailAddress;
  return command == CM_MAIL_REPORT ? link + "?subject=Varelo%20problem%20report" : link;
}

}  // namespace mox::varelo
