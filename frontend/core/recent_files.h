// The File menu's list of the files opened or saved last, most recent
// first, kept in Varelo.ini as "RecentFile1=path" to "RecentFile8=path".
// Paths are GBK bytes and kept as they are (blanks, Chinese names); two
// paths are the same file when they differ only in the case of ASCII
// letters, as Windows names do. A settings file without these lines gives
// an empty list.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "frontend/core/settings_file.h"

namespace mox::varelo {

inline constexpr std::size_t kRecentFileCount = 8;

// Shown when a file of the list is chosen that is no longer there; %s is
// its path.
inline constexpr char kRecentFileGoneText[] = "文件 %s 已不存在, 已从最近文件列表中删除.";

// The outcome of choosing an entry: the path to open, or the message to
// show after the entry was taken off the list.
struct RecentChoice {
  std::optional<std::string> Path;
  std::string Message;
};

class RecentFiles {
 public:
  // A file opened or saved: first in the list, once; the ninth drops out.
  // A path that a settings line cannot hold (empty, or with a line end) is
  // not kept.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  // Entry `index` (from 0) of the menu chosen: the path when the file
  // exists (opened, it is added again, which puts it first); otherwise the
  // entry is removed and Message says so.
  RecentChoice Choose(std::size_t index);

  const std::vector<std::string>& Paths() const { return paths_; }
  // "&1 path" to "&8 path", an "&" of a path doubled so that the menu
  // shows it.
  std::vector<std::string> MenuCaptions() const;

 private:
  std::vector<std::string> paths_;
};

RecentFiles ReadRecentFiles(const SettingsFile& file);
// Sets RecentFile1 ... for the list and takes away the lines of entries it
// no longer has.
void WriteRecentFiles(const RecentFiles& files, SettingsFile& file);

}  // namespace mox::varelo
