// The previewer's settings and the option reader that fills them from the
// options environment variable, the initialization file beside the program
// and the command line, in that order; and the writer that saves some of them
// back into the initialization file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "previewer/base/bilingual.h"
#include "previewer/startup/dimension.h"

namespace mox {

// Font paths and the page selection text are kept to this many bytes.
inline constexpr std::size_t kOptionTextLimit = 255;

struct Options {
  Language Lang = Language::English;  // "-C" Chinese, "-E" English
  double ResolutionX = 600.0;  // dots per inch, > 0
  double ResolutionY = 600.0;
  double Gamma = 1.0;
  std::string PkFontPath;       // "$d" stands for the resolution
  std::string ChineseFontPath;
  // "-F": the folders searched for VF and TFM files, ";" between them; empty:
  // the TeX distribution's kpsewhich finds them.
  std::string FontMetricPath;
  // "-K": the Ghostscript program that draws EPS figures (also CCGS); empty:
  // gs natively, gswin64c or gswin32c on Windows, found on PATH.
  std::string GhostscriptPath;
  std::int32_t Magnification = 0;  // thousandths; 0 = the file's own
  std::string PageSelectionText;   // empty = all pages
  int ParityFilter = 0;            // 0 all, 1 odd only, 2 even only
  int SequenceMode = 0;            // non-zero: select by position in the file
  double InitialZoom = 0.0;        // 0 = fit to window
  double CurrentZoom = 1.0;
  Dimension MarginX{1.0, DimensionUnit::Cm};
  Dimension MarginY{1.0, DimensionUnit::Cm};
  // "-L0": one page at a time; "-L1" or no option: the pages of the
  // selection one below the other.
  bool ContinuousPages = true;
  // "-D0": no pages drawn ahead in idle time (to compare); "-D1" or no
  // option: the pages near the one shown are.
  bool DrawAhead = true;
  std::string DocumentName;     // empty = none
  // "-S<line>:<source file>": the place of a source to show first (a
  // forward search from an editor that started the previewer); 0 = none.
  std::int32_t SourceLine = 0;
  std::string SourceFile;

  // Derived from argument 0 by the reader.
  std::string ProgramPath;
  std::string ProgramDirectory;  // up to and including the last separator
  std::string InitFilePath;      // the program path ending in "INI"
};

// Reads all three sources into options. Returns nothing on success, or the
// text of the first invalid option in the language set so far; the
// settings read before it stay set. arguments[0] is the full path of the
// program file.
//
// With a list for them, a line of the initialization file that holds an
// invalid option is skipped whole and noted there instead (its number, from
// 1, and the reason), and the reading goes on; the file is not touched. The
// options variable and the command line stay as strict as without a list.
struct IgnoredOptionLine {
  int Line = 0;
  std::string Reason;
};
std::optional<std::string> ReadOptions(const std::vector<std::string>& arguments,
                                       Options& options,
                                       std::vector<IgnoredOptionLine>* ignored_lines = nullptr);

// The message naming the skipped lines of the initialization file.
std::string IgnoredLinesText(const std::vector<IgnoredOptionLine>& lines,
                             const std::string& init_file_path, Language language);

// Rewrites the initialization file with the options' resolution, gamma and
// font paths, keeping its other options. 0 = saved, 1 = failed; on failure
// the old file is back under its own name. A font path with white space is
// written in double quotes (the reader takes quoted values from every
// source); a setting the reader would still not read back as it is (a
// path too long for one token) fails the save and leaves the file alone.
int SaveOptions(const Options& options);

}  // namespace mox
