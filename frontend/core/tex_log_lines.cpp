#include "frontend/core/tex_log_lines.h"

#include <algorithm>

namespace mox::varelo {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;  // TeX writes lower-case digits only
}

// The physical lines without their line ends (LF, or CR LF as TeX on
// Windows writes them).
std::vector<std::string_view> PhysicalLines(std::string_view log) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? log.size() : end + 1;
    if (end == std::string_view::npos) end = log.size();
    std::string_view line = log.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

// Lines TeX writes straight into the log, past its line breaking: the
// banner, and the statistics at the end (the stack positions line is
// longer than 79 bytes in every log).
std::vector<bool> UnbrokenLines(const std::vector<std::string_view>& lines) {
  std::vector<bool> unbroken(lines.size(), false);
  if (!lines.empty()) unbroken[0] = true;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i] != "Here is how much of TeX's memory you used:" && lines[i] != "PDF statistics:") {
      continue;
    }
    for (std::size_t j = i + 1; j < lines.size() && StartsWith(lines[j], " "); ++j) unbroken[j] = true;
  }
  return unbroken;
}

// XeTeX and LuaTeX count characters where TeX and pdfTeX count bytes.
bool CountsCharacters(std::string_view banner) {
  return StartsWith(banner, "This is XeTeX") || StartsWith(banner, "This is LuaTeX") ||
         StartsWith(banner, "This is LuaHBTeX");
}

std::size_t LengthOf(std::string_view line, bool characters) {
  if (!characters) return line.size();
  return static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// The longest line is a broken one whenever any line was broken: no line
// TeX breaks gets longer. Shorter than 79, it is taken for the width only
// when several lines share it (a width below the default); otherwise no
// line was broken and the default does no harm.
std::size_t DetectWidth(const std::vector<std::string_view>& lines, const std::vector<bool>& unbroken,
                        bool characters) {
  std::size_t longest = 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (unbroken[i]) continue;
    const std::size_t length = LengthOf(lines[i], characters);
    if (length > longest) {
      longest = length;
      count = 0;
    }
    if (length == longest) ++count;
  }
  if (longest >= kDefaultLineWidth || (longest >= 60 && count >= 3)) return longest;
  return kDefaultLineWidth;
}

// A line TeX begins with print_nl right after a break that fell at the end
// of the line before, so that no line end separates them: the start of a
// message, never the rest of a broken line.
bool StartsMessage(std::string_view line) {
  for (std::string_view start : {"! ", "LaTeX Warning: ", "Package ", "Class ", "Overfull \\",
                                 "Underfull \\", "Loose \\", "Tight \\", "Runaway "}) {
    if (StartsWith(line, start)) return true;
  }
  return false;
}

}  // namespace

std::string DecodeHatHex(std::string_view text, std::vector<std::size_t>* joins) {
  std::string out;
  out.reserve(text.size());
  std::size_t next_join = 0;
  for (std::size_t i = 0; i < text.size();) {
    // A join inside a ^^xx moves to the byte it becomes.
    while (joins && next_join < joins->size() && (*joins)[next_join] <= i) {
      (*joins)[next_join++] = out.size();
    }
    if (text[i] == '^' && i + 3 < text.size() && text[i + 1] == '^') {
      const int high = HexValue(text[i + 2]);
      const int low = HexValue(text[i + 3]);
      if (high >= 8 && low >= 0) {
        out.push_back(static_cast<char>(high * 16 + low));
        i += 4;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
  while (joins && next_join < joins->size()) (*joins)[next_join++] = out.size();
  return out;
}

std::string DecodeHatName(std::string_view name) {
  const std::string bytes = DecodeHatHex(name);
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '^' && i + 2 < bytes.size() && bytes[i + 1] == '^') {
      const unsigned char c = static_cast<unsigned char>(bytes[i + 2]);
      if ((c >= 64 && c <= 95) || c == '?') {
        out.push_back(static_cast<char>(c == '?' ? 127 : c - 64));
        i += 2;
        continue;
      }
    }
    out.push_back(bytes[i]);
  }
  return out;
}

LogLines SplitTexLog(std::string_view log) {
  const std::vector<std::string_view> lines = PhysicalLines(log);
  const std::vector<bool> unbroken = UnbrokenLines(lines);
  const bool characters = !lines.empty() && CountsCharacters(lines[0]);
  LogLines result;
  result.Width = DetectWidth(lines, unbroken, characters);
  for (std::size_t i = 0; i < lines.size();) {
    std::string text(lines[i]);
    std::vector<std::size_t> joins;
    const std::size_t first = i;
    std::size_t length = LengthOf(lines[i], characters);
    ++i;
    while (!unbroken[first] && length == result.Width && i < lines.size() && !unbroken[i]) {
      // A line exactly as wide as the width ends in a break and then in the
      // line end TeX meant: an empty line, which belongs to it.
      if (lines[i].empty()) {
        ++i;
        break;
      }
      if (StartsMessage(lines[i])) break;
      joins.push_back(text.size());
      text += lines[i];
      length = LengthOf(lines[i], characters);
      ++i;
    }
    std::string decoded = DecodeHatHex(text, &joins);
    result.Lines.push_back(LogLine{std::move(decoded), first + 1, std::move(joins)});
  }
  return result;
}

}  // namespace mox::varelo
