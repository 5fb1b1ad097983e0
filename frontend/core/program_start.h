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

}  // namespace mox::varelo
