// Where a document's VF and TFM files come from: the folders the user set,
// or the TeX distribution's kpsewhich.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "previewer/base/bilingual.h"
#include "previewer/fonts/search_folders.h"

namespace mox {

// The seam for tests: runs kpsewhich with the names and gives what it
// printed, or nothing when it could not be run (or did not end in time).
class FileLookupProgram {
 public:
  virtual ~FileLookupProgram() = default;
  virtual std::optional<std::string> Run(const std::vector<std::string>& names) = 0;
};

// Runs "kpsewhich name..." for at most kLookupTimeLimitMs. kpsewhich makes
// no missing file unless told to (-mktex=tfm), so it is given no option.
inline constexpr int kLookupTimeLimitMs = 20000;
std::unique_ptr<FileLookupProgram> DefaultLookupProgram();

// One lookup program run takes names up to a command line of about this
// many bytes (Windows takes 32767 characters).
inline constexpr std::size_t kLookupCommandLimit = 30000;

enum class FileSearchProblem {
  None,
  LookupNotRun,  // kpsewhich could not be run: not installed, or it failed
};

// The text of a problem for the user; null for None.
const Bilingual* FileSearchProblemText(FileSearchProblem problem);

// One object lives for the program's run (the previewer's window owns it,
// moxrender makes one per invocation): its answers, found and not found,
// are kept, so that a reload asks nothing again.
class FontFileSearch {
 public:
  // folders: the user's search path (option -F, CCTFMPATH; see
  // ParseSearchFolders); one without a folder in it: ask kpsewhich.
  explicit FontFileSearch(std::string folders,
                          std::unique_ptr<FileLookupProgram> program = DefaultLookupProgram());

  // Looks up every name not asked for before in one go: one pass over the
  // folders, or one kpsewhich run for them all (several only where the
  // command line would grow beyond kLookupCommandLimit). Once kpsewhich
  // has failed it is not run again: the names it would be asked for are
  // not found.
  void Prefetch(const std::vector<std::string>& file_names);

  // The path of a file ("ptmr7t.vf", "cmr10.tfm"), or nothing; a name not
  // prefetched is looked up alone. A name that is no plain file name (one
  // with a folder, a blank, a quote, or beginning with "-") is never found.
  std::optional<std::string> Find(const std::string& file_name);

  // What went wrong, given once per object (then None), for the caller to
  // show once; None when all went well.
  FileSearchProblem TakeProblem();

 private:
  std::vector<std::optional<std::string>> AskProgram(const std::vector<std::string>& names);
  std::vector<std::optional<std::string>> AskProgramOnce(const std::vector<std::string>& names);

  std::vector<SearchFolder> folders_;
  std::optional<std::vector<std::string>> expanded_folders_;  // made at the first lookup
  std::unique_ptr<FileLookupProgram> program_;
  std::map<std::string, std::optional<std::string>, std::less<>> answers_;
  bool program_failed_ = false;
  bool problem_untold_ = false;
};

}  // namespace mox
