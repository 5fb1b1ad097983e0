#include "frontend/core/recent_files.h"

#include <algorithm>

#include "frontend/core/gbk_chars.h"
#include "platform/file_system.h"
#include "platform/text_format.h"

namespace mox::varelo {
namespace {

std::string KeyOf(std::size_t index) { return "RecentFile" + std::to_string(index + 1); }

// The path with the ASCII letters of its single-byte characters in lower
// case: a trail byte with a letter's code is part of a Chinese character
// and stays as it is.
std::string Folded(const std::string& path) {
  std::string folded = path;
  for (std::size_t at = 0; at < folded.size();) {
    const std::size_t length = GbkCharLength(folded, at);
    if (length == 1 && IsAsciiLetter(folded[at])) folded[at] = static_cast<char>(folded[at] | 0x20);
    at += length;
  }
  return folded;
}

bool Keepable(const std::string& path) {
  return !path.empty() && path.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

void RecentFiles::Add(const std::string& path) {
  if (!Keepable(path)) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kRecentFileCount) paths_.resize(kRecentFileCount);
}

void RecentFiles::Remove(const std::string& path) {
  const std::string folded = Folded(path);
  std::erase_if(paths_, [&](const std::string& kept) { return Folded(kept) == folded; });
}

RecentChoice RecentFiles::Choose(std::size_t index) {
  if (index >= paths_.size()) return {};
  const std::string path = paths_[index];
  if (platform::Files().Exists(path)) return {path, {}};
  paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
  return {std::nullopt, Format(kRecentFileGoneText, path.c_str())};
}

std::vector<std::string> RecentFiles::MenuCaptions() const {
  std::vector<std::string> captions;
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    std::string caption = "&" + std::to_string(i + 1) + " ";
    // "&" is below every trail byte: it is never half of a character.
    for (char c : paths_[i]) caption += c == '&' ? std::string("&&") : std::string(1, c);
    captions.push_back(std::move(caption));
  }
  return captions;
}

RecentFiles ReadRecentFiles(const SettingsFile& file) {
  // Read from the oldest, each added in front: the list as it was written,
  // with a duplicate or an empty line left out.
  RecentFiles files;
  for (std::size_t i = kRecentFileCount; i-- > 0;) {
    if (const std::optional<std::string> path = file.Get(KeyOf(i))) files.Add(*path);
  }
  return files;
}

void WriteRecentFiles(const RecentFiles& files, SettingsFile& file) {
  for (std::size_t i = 0; i < kRecentFileCount; ++i) {
    if (i < files.Paths().size()) {
      file.Set(KeyOf(i), files.Paths()[i]);
    } else {
      file.Remove(KeyOf(i));
    }
  }
}

}  // namespace mox::varelo
