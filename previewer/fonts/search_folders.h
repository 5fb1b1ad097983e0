// The folders a user names for VF and TFM files (option -F, CCTFMPATH):
// folders separated by ";", one that ends in "//" (or "\\\\") searched with
// all its subfolders, as TeX searches such a folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mox {

struct SearchFolder {
  std::string Path;  // without the separators it ended in (a root keeps one)
  bool WithSubfolders = false;
};

// The folders of a search path in its order. Blanks around a folder and
// double quotes round it are dropped, and so are empty elements.
std::vector<SearchFolder> ParseSearchFolders(std::string_view text);

// A search with subfolders goes at most this many levels below the folder
// given, and the whole path visits at most this many folders, so that a
// loop through links, or a whole disk, ends soon.
inline constexpr int kSubfolderDepth = 8;
inline constexpr std::size_t kSearchedFolderLimit = 4096;

// Every folder to look in, in search order: each folder of the path, and
// after one with subfolders those below it level by level (by name within
// a folder).
std::vector<std::string> ExpandSearchFolders(const std::vector<SearchFolder>& folders);

// The path of each name in the first folder that has it, in the names'
// order, or nothing. Where no folder has the name as it is spelt, the
// first file whose name differs only in the case of ASCII letters counts,
// as on Windows' file systems (TeX's names are lower case; old font
// folders are often upper case).
std::vector<std::optional<std::string>> FindInFolders(const std::vector<std::string>& folders,
                                                      const std::vector<std::string>& names);

// The name with its ASCII letters in lower case; the trail bytes of GBK
// characters are left alone.
std::string FoldAsciiCase(std::string_view name);

}  // namespace mox
