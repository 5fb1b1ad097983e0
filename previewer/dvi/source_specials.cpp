#include "previewer/dvi/source_specials.h"

#include <limits>

#include "platform/file_system.h"
#include "platform/source_position.h"
#include "platform/text_format.h"
#include "previewer/dvi/mox_conventions.h"

namespace mox {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsAbsolute(const std::string& path) {
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The special's name as a path: relative names from the DVI file's folder,
// leading "./" left out.
std::string FullPath(std::string name, const std::string& dvi_folder) {
  while (name.size() > 2 && name[0] == '.' && (name[1] == '/' || name[1] == '\\')) {
    name.erase(0, 2);
  }
  return IsAbsolute(name) ? name : dvi_folder + name;
}

// Where a path's extension begins (its dot), or npos when its last part has
// none.
std::size_t ExtensionDot(const std::string& path) {
  const std::size_t separator = FindLastOfGbk(path, "\\/");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    return std::string::npos;
  }
  return dot;
}

// The extensions whose files share their line numbers: a source, the TeX
// input mox makes of it, and a name given without extension.
bool SameLines(const std::string& a, const std::string& b) {
  const auto either = [](const std::string& e) { return e.empty() || e == ".tex" || e == ".ctx"; };
  return a == b || (either(a) && either(b));
}

}  // namespace

bool IsSourceSpecial(std::string_view text) { return StartsWithNoCase(text, "src:"); }

std::optional<SourceSpecial> ParseSourceSpecial(std::string_view text) {
  if (!IsSourceSpecial(text)) return std::nullopt;
  std::size_t at = 4;
  while (at < text.size() && text[at] == ' ') ++at;
  if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
  std::int64_t line = 0;
  while (at < text.size() && IsDigit(text[at])) {
    line = std::min<std::int64_t>(line * 10 + (text[at] - '0'),
                                  std::numeric_limits<std::int32_t>::max());
    ++at;
  }
  if (line < 1) return std::nullopt;
  if (at < text.size() && text[at] == ' ') ++at;  // "src:12 file" and "src:12file"
  std::string_view file = text.substr(at);
  while (!file.empty() && (file.back() == ' ' || file.back() == '\0')) file.remove_suffix(1);
  return SourceSpecial{static_cast<std::int32_t>(line), file};
}

void AddSourceMark(DviDocument& document, std::uint32_t page, const SourceSpecial& special) {
  std::uint32_t file = 0;
  if (special.File.empty() && !document.SourceMarks.empty()) {
    file = document.SourceMarks.back().File;
  } else if (!document.SourceMarks.empty() &&
             document.SourceFiles[document.SourceMarks.back().File] == special.File) {
    file = document.SourceMarks.back().File;
  } else {
    file = static_cast<std::uint32_t>(document.SourceFiles.size());
    for (std::uint32_t i = 0; i < document.SourceFiles.size(); ++i) {
      if (document.SourceFiles[i] == special.File) file = i;
    }
    if (file == document.SourceFiles.size()) document.SourceFiles.emplace_back(special.File);
  }
  document.SourceMarks.push_back({page, special.Line, file});
}

std::optional<std::uint32_t> SourceMarkAtPoint(const PageBuffer& buffer, std::int32_t x,
                                               std::int32_t y, std::int32_t slack) {
  const PageItem* first = nullptr;
  const PageItem* best = nullptr;
  for (const PageItem& item : buffer.Items) {
    if (item.Kind == ItemEnd) break;
    if (item.Kind != ItemSource) continue;
    if (first == nullptr) first = &item;
    if (item.Y > y + slack) continue;
    if (best == nullptr || item.Y > best->Y ||
        (item.Y == best->Y && item.X <= x && (best->X > x || item.X >= best->X))) {
      best = &item;
    }
  }
  if (best == nullptr) best = first;
  if (best == nullptr) return std::nullopt;
  return best->Ref();
}

const PageItem* SourceItemOf(const PageBuffer& buffer, std::uint32_t mark) {
  for (const PageItem& item : buffer.Items) {
    if (item.Kind == ItemEnd) break;
    if (item.Kind == ItemSource && item.Ref() == mark) return &item;
  }
  return nullptr;
}

bool SameSourceFile(const std::string& special_file, const std::string& dvi_folder,
                    const std::string& path) {
  const std::string a = platform::ComparablePath(FullPath(special_file, dvi_folder));
  const std::string b = platform::ComparablePath(path);
  const std::size_t a_dot = ExtensionDot(a);
  const std::size_t b_dot = ExtensionDot(b);
  const std::string a_stem = a.substr(0, a_dot);
  const std::string b_stem = b.substr(0, b_dot);
  const std::string a_extension = a_dot == std::string::npos ? "" : a.substr(a_dot);
  const std::string b_extension = b_dot == std::string::npos ? "" : b.substr(b_dot);
  return a_stem == b_stem && SameLines(a_extension, b_extension);
}

std::optional<std::uint32_t> SourceMarkForLine(const DviDocument& document,
                                               const std::string& dvi_folder,
                                               const std::string& file, std::int32_t line,
                                               std::uint32_t current_page) {
  std::vector<bool> matching(document.SourceFiles.size());
  for (std::size_t i = 0; i < matching.size(); ++i) {
    matching[i] = SameSourceFile(document.SourceFiles[i], dvi_folder, file);
  }
  std::optional<std::uint32_t> before;  // greatest line at or before `line`
  std::optional<std::uint32_t> lowest;  // for a line before every mark
  for (std::uint32_t i = 0; i < document.SourceMarks.size(); ++i) {
    const SourceMark& mark = document.SourceMarks[i];
    if (!matching[mark.File]) continue;
    if (!lowest || mark.Line < document.SourceMarks[*lowest].Line) lowest = i;
    if (mark.Line > line) continue;
    if (!before) {
      before = i;
      continue;
    }
    const SourceMark& chosen = document.SourceMarks[*before];
    if (mark.Line > chosen.Line ||
        (mark.Line == chosen.Line && mark.Page == current_page && chosen.Page != current_page)) {
      before = i;
    }
  }
  return before ? before : lowest;
}

std::string EditorFileFor(const std::string& special_file, const std::string& dvi_folder) {
  const std::string full = FullPath(special_file, dvi_folder);
  const std::size_t dot = ExtensionDot(full);
  const std::string stem = full.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : platform::ComparablePath(full.substr(dot));
  platform::FileSystem& files = platform::Files();
  if (extension == ".tex" && files.Exists(stem + ".ctx")) return stem + ".ctx";
  if (extension.empty() && !files.Exists(full)) {
    for (const char* candidate : {".ctx", ".tex"}) {
      if (files.Exists(full + candidate)) return full + candidate;
    }
  }
  return full;
}

bool SameFileName(const std::string& a, const std::string& b) {
  return platform::ComparablePath(a) == platform::ComparablePath(b);
}

std::string FolderOf(const std::string& path) {
  const std::size_t separator = FindLastOfGbk(path, "\\/:");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace mox
