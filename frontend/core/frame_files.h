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

// Varelo's LaTeX reference beside the program (the help item and the
// assistant's help open it in the browser).
inline constexpr char kReferenceFileName[] = "latex-reference.html";
std::string ReferencePathOf(const std::string& program_dir);
// A file: URL of a Windows path (GBK), with a fragment ("row-12") when one
// is given: the characters beyond ASCII, blanks and signs an address may
// not hold are written %XX in UTF-8.
std::string FileUrl(const std::string& path, const std::string& fragment);

// What the help commands show when what they open is not there.
inline constexpr char kNoTexdocText[] =
    "没有找到 texdoc: 请安装一个 TeX 发行版 (MiKTeX 或 TeX Live), 它的文档用 texdoc 打开.";
// The PcTeX item's hint: the product is no more, and neither is its manual.
inline constexpr char kPcTexGoneHint[] = "PcTeX 早已停止发行, 没有它的手册";

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
