// Names and command lines the frame and the editor windows build: the
// program folder, the name part of a path, the dialogs' filters, the help
// files, the news file and the programs the frame starts.
#pragma once

#include <optional>
#include <string>

namespace mox::varelo {

inline constexpr char kProgramTitle[] = "Varelo";
// A new editor window's file name and caption.
inline constexpr char kUntitledFileName[] = "Untitled.ctx";
inline constexpr char kUntitledCaption[] = "Untitled";

// The frame's OpenFileDialog and the editor's save dialog.
inline constexpr char kOpenFileFilter[] =
    "TeX (MOX) files (*.tex, *.ctx)|*.tex;*.ctx|MOX  files (*.ctx)|*.ctx|TeX  files "
    "(*.tex)|*.tex|Log  files (*.log)|*.log|Aux  files (*.aux)|*.aux|Text files "
    "(*.txt)|*.txt|Bib  files (*.bib)|*.bib|Bat  files (*.bat)|*.bat|Doc  files "
    "(*.doc)|*.doc|Data files (*.dat)|*.dat|All  files (*.*)|*.*";
inline constexpr char kSaveFileFilter[] =
    "Chinese TeX files (*.ctx)|*.ctx|TeX  files (*.tex)|*.tex|Batch files (*.bib)|*.bib|Batch "
    "files (*.bat)|*.bat|Plain text files (*.txt)|*.txt|Data files (*.dat)|*.dat|Document "
    "files (*.doc)|*.doc|All files|*.*";

// ProgramDir: the executable's path without its last component and
// without a trailing backslash.
std::string ProgramDirOf(const std::string& executable_path);

// A path as a full one: a relative path (or one from the root of the
// current drive, or "X:name" on the current directory of drive X) joined to
// `current_directory`, the directory it is taken from (which begins with
// the drive). Full paths ("X:\\...", "\\\\server\\...") stay as they are. A
// window keeps naming its file when the current directory changes later.
std::string FullPathOf(const std::string& path, const std::string& current_directory);

// The name part of a path: everything after its last backslash or colon
// (or slash, which Windows takes for a backslash; a trail byte of a
// Chinese character never counts as one).
std::string NamePartOf(const std::string& path);

// The help file of a help command (CM_HELP_LATEX, CM_HELP_PCTEX,
// CM_HELP_MIKTEX), or nothing for another command.
std::optional<std::string> HelpFileOf(int command, const std::string& program_dir);

// "notepad.exe " and the news file.
std::string NewsCommandLine(const std::string& program_dir);

// The command interpreter: the one COMSPEC names, cmd.exe without it.
// (command.com, which DOS and the first Windows had, exists on no
// current system.)
std::string CommandInterpreter(const std::optional<std::string>& comspec);

inline constexpr char kExplorerCommandLine[] = "EXPLORER.EXE";

// The address the mail commands and the About box write to, and the
// mailto: links of the two mail commands.
inline constexpr char kMailAddress[] = "maintainers@users.noreply.c-seed-f9929d08.example";
std::string MailLink(int command);

}  // namespace mox::varelo
