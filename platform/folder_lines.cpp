#include "platform/folder_lines.h"

#include <algorithm>
#include <cwctype>

namespace mox::platform {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The components after the root, separators collapsed.
std::vector<std::wstring> Components(std::wstring_view rest) {
  std::vector<std::wstring> parts;
  std::wstring part;
  for (wchar_t c : rest) {
    if (IsSeparator(c)) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

// The root with its separator and how much of path it takes; an empty
// root when path has none.
std::wstring RootOf(std::wstring_view path, std::size_t& taken) {
  if (path.size() >= 2 && std::iswalpha(path[0]) && path[1] == L':') {
    // "C:" alone is drive C's current folder, which only the system knows.
    if (path.size() == 2 || !IsSeparator(path[2])) return {};
    taken = 3;
    return std::wstring(path.substr(0, 2)) + L"\\";
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // Server and share make the root.
    std::size_t at = 2;
    std::wstring names[2];
    for (std::wstring& name : names) {
      while (at < path.size() && IsSeparator(path[at])) ++at;
      while (at < path.size() && !IsSeparator(path[at])) name.push_back(path[at++]);
      if (name.empty()) return {};
    }
    taken = at;
    return L"\\\\" + names[0] + L"\\" + names[1] + L"\\";
  }
  return {};
}

bool NoCaseLess(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](wchar_t x, wchar_t y) {
                                        return std::towlower(x) < std::towlower(y);
                                      });
}

}  // namespace

std::vector<std::wstring> FolderChain(std::wstring_view path) {
  std::size_t taken = 0;
  const std::wstring root = RootOf(path, taken);
  if (root.empty()) return {};
  std::vector<std::wstring> chain{root};
  std::wstring folder = root;
  for (const std::wstring& part : Components(path.substr(std::min(taken, path.size())))) {
    if (folder.back() != L'\\') folder += L'\\';
    folder += part;
    chain.push_back(folder);
  }
  return chain;
}

std::vector<FolderLine> FolderListLines(std::wstring_view folder,
                                        std::vector<std::wstring> subfolders) {
  const std::vector<std::wstring> chain = FolderChain(folder);
  std::vector<FolderLine> lines;
  if (chain.empty()) return lines;
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const std::wstring& path = chain[i];
    std::wstring text = i == 0 ? path : path.substr(path.find_last_of(L'\\') + 1);
    lines.push_back({std::move(text), path, static_cast<int>(i), true});
  }
  std::erase_if(subfolders, [](const std::wstring& name) {
    return name.empty() || name == L"." || name == L"..";
  });
  std::sort(subfolders.begin(), subfolders.end(), NoCaseLess);
  const std::wstring& current = chain.back();
  const std::wstring prefix = current.back() == L'\\' ? current : current + L"\\";
  for (std::wstring& name : subfolders) {
    std::wstring path = prefix + name;
    lines.push_back({std::move(name), std::move(path), static_cast<int>(chain.size()), false});
  }
  return lines;
}

int CurrentFolderLine(const std::vector<FolderLine>& lines) {
  int current = -1;
  for (std::size_t i = 0; i < lines.size() && lines[i].Open; ++i) current = static_cast<int>(i);
  return current;
}

}  // namespace mox::platform
