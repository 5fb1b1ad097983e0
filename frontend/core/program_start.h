// A program the editor starts and does not wait for: its command line
// (every path and argument quoted, so that blanks and Chinese characters
// in a folder name cannot split it), the folder it runs in and its show
// mode. The window code hands it to the system.
#pragma once

#include <string>

namespace mox::varelo {

inline constexpr int kShowHidden = 0;  // SW_HIDE
inline constexpr int kShowNormal = 5;  // SW_SHOW

struct ProgramStart {
  std::string CommandLine;
  // Empty: the editor's own current folder.
  std::string WorkingFolder;
  int ShowMode = kShowNormal;
};

// text in double quotes. Windows file names hold no double quote, so none
// needs escaping.
std::string Quoted(const std::string& text);

// folder + the platform's separator (none when folder already ends in one)
// + name.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder part of a path without its trailing separator ("" for a bare
// name), except that a root keeps it: "C:\\x" gives "C:\\", "/x" gives "/"
// ("C:" alone would be drive C's current folder, not its root).
std::string FolderPartOf(const std::string& path);

// The name part of a path without its extension (which starts at the last
// full stop of the name): "D:\\work\\a.b.ctx" gives "a.b".
std::string BaseNameOf(const std::string& path);

// TeX reads the base name it is given as text of its own: a character it
// takes as a comment, a parameter, a group, an active character or a
// character code ("%#{}~^") cuts or changes the name, so the run would
// fail on a file it never found. Characters outside GBK (Korean, emoji)
// reach today's TeX as UTF-8 and need no warning. The message for the
// first such character of the source's base name, or "" when TeX can read
// it; `what` names the run.
std::string TexFileNameProblem(const std::string& what, const std::string& source_path);

}  // namespace mox::varelo
