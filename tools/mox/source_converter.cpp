#include "tools/mox/source_converter.h"

#include <array>
#include <optional>
#include <utility>

#include "platform/text_encoding.h"

namespace mox::tool {
namespace {

constexpr int kMer2DviRowShift = 5;
constexpr int kFirstCharacterRow = 16;

struct CellRange {
  int Row, First, Last;
};
// The rows of GB 2312 whose cells are not all assigned: the assigned cells.
// Rows 1, 3 and 16 to 54 and 56 to 87 hold all 94 cells; the rest are empty.
constexpr std::array<CellRange, 13> kPartialRows{{{2, 17, 66},
                                                 {2, 69, 78},
                                                 {2, 81, 92},
                                                 {4, 1, 83},
                                                 {5, 1, 86},
                                                 {6, 1, 24},
                                                 {6, 33, 56},
                                                 {7, 1, 33},
                                                 {7, 49, 81},
                                                 {8, 1, 26},
                                                 {8, 37, 73},
                                                 {9, 4, 79},
                                                 {55, 1, 89}}};

bool IsLineBlank(char c) { return c == ' ' || c == '\t'; }

bool IsPrivateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }

// The converted text of one source line and what the rule for line ends
// needs to know about it.
struct ConvertedLine {
  std::string Text;
  bool StartsChinese = false;  // the first character that is no blank is Chinese
  // Where a "%" goes when the line ends in a Chinese character (after its
  // macro, before trailing blanks); npos when it does not, or has a comment.
  std::size_t EndOfChinese = std::string::npos;
};

class LineConverter {
 public:
  LineConverter(bool utf8, const ConversionOptions& options, std::vector<SourceProblem>& problems)
      : utf8_(utf8), options_(options), problems_(problems) {}

  ConvertedLine Convert(std::string_view line, std::size_t number) {
    ConvertedLine out;
    std::size_t backslashes = 0;  // the run of "\" just before
    bool seen_visible = false;
    std::size_t column = 0;
    std::size_t at = 0;
    while (at < line.size()) {
      const unsigned char byte = static_cast<unsigned char>(line[at]);
      ++column;
      if (byte < 0x80) {
        if (byte == '%' && backslashes % 2 == 0) {
          // A comment: TeX reads none of it, so it is copied as it is,
          // whatever characters it holds.
          out.Text.append(line.substr(at));
          out.EndOfChinese = std::string::npos;
          return out;
        }
        backslashes = byte == '\\' ? backslashes + 1 : 0;
        out.Text.push_back(static_cast<char>(byte));
        if (!IsLineBlank(static_cast<char>(byte))) {
          seen_visible = true;
          out.EndOfChinese = std::string::npos;
        }
        ++at;
        continue;
      }
      backslashes = 0;
      const std::size_t length = utf8_ ? Utf8Length(byte) : GbkLength(line, at);
      const std::string_view character = line.substr(at, length);
      at += length;
      const std::optional<std::string> macro = MacroOf(character, number, column);
      if (!macro) continue;
      out.Text += *macro;
      if (!seen_visible) out.StartsChinese = true;
      seen_visible = true;
      out.EndOfChinese = out.Text.size();
    }
    return out;
  }

 private:
  static std::size_t Utf8Length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;  // the text is valid UTF-8
  }

  // Two bytes for a lead byte followed by a valid second byte, else one.
  static std::size_t GbkLength(std::string_view line, std::size_t at) {
    const unsigned char lead = static_cast<unsigned char>(line[at]);
    if (lead < 0x81 || lead > 0xFE || at + 1 >= line.size()) return 1;
    const unsigned char trail = static_cast<unsigned char>(line[at + 1]);
    const bool valid = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE);
    return valid ? 2 : 1;
  }

  // The macro that sets a character, or nothing after noting the problem.
  std::optional<std::string> MacroOf(std::string_view character, std::size_t line,
                                     std::size_t column) {
    SourceProblem problem{ProblemKind::NoChineseFont, line, column, {}, 0};
    std::string gbk;
    char32_t unicode = 0;
    if (utf8_) {
      unicode = problem.CodePoint = DecodeUtf8(character);
      if (IsPrivateUse(unicode)) {
        problem.Kind = ProblemKind::PrivateUse;
        problems_.push_back(std::move(problem));
        return std::nullopt;
      }
      // Extension A and the compatibility ideographs keep their own value
      // (the system's GBK would give a compatibility ideograph the code of
      // its unified twin).
      std::size_t failed_at = 0;
      if (IsBeyondGbkIdeograph(unicode)) {
        gbk.clear();
      } else if (!platform::Utf8ToGbk(character, gbk, failed_at) || gbk.size() != 2) {
        problems_.push_back(std::move(problem));
        return std::nullopt;
      }
    } else {
      gbk = std::string(character);
      if (gbk.size() != 2) {
        problem.Kind = ProblemKind::BrokenBytes;
        problem.Gbk = gbk;
        problems_.push_back(std::move(problem));
        return std::nullopt;
      }
    }
    if (gbk.size() == 2) {
      const auto b1 = static_cast<unsigned char>(gbk[0]);
      const auto b2 = static_cast<unsigned char>(gbk[1]);
      if (IsGb2312(b1, b2)) return GbMacro(b1, b2);
      // The system's own table: GBK bytes and their Unicode agree with
      // what Windows programs read.
      const std::u16string decoded = platform::DecodeGbk(gbk);
      unicode = decoded.size() == 1 ? decoded[0] : 0;
      // The user-defined areas of GBK, Unicode's private use: no font has them.
      if (unicode == 0 || IsPrivateUse(unicode)) {
        problem.Kind = ProblemKind::PrivateUse;
        problem.Gbk = gbk;
        if (problem.CodePoint == 0) problem.CodePoint = unicode;
        problems_.push_back(std::move(problem));
        return std::nullopt;
      }
    }
    return std::string(kUnicodeCharacterMacro) + "{" + std::to_string(unicode >> 8) + "}{" +
           std::to_string(unicode & 0xFF) + "}";
  }

  std::string GbMacro(unsigned char b1, unsigned char b2) const {
    const int row = b1 - 0xA0;
    int first = row + 32;
    if (options_.Mer2Dvi && row >= kFirstCharacterRow) first += kMer2DviRowShift;
    const int second = b2 - 0xA0 + 32;
    return std::string(kCharacterMacro) + "{" + std::to_string(first) + "}{" +
           std::to_string(second) + "}";
  }

  static char32_t DecodeUtf8(std::string_view character) {
    const unsigned char lead = static_cast<unsigned char>(character[0]);
    char32_t value = character.size() == 2 ? lead & 0x1F : character.size() == 3 ? lead & 0x0F
                                                                                 : lead & 0x07;
    for (std::size_t i = 1; i < character.size(); ++i) {
      value = (value << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    }
    return value;
  }

  bool utf8_;
  const ConversionOptions& options_;
  std::vector<SourceProblem>& problems_;
};

}  // namespace

bool IsGb2312(unsigned char b1, unsigned char b2) {
  if (b1 < 0xA1 || b1 > 0xFE || b2 < 0xA1 || b2 > 0xFE) return false;
  const int row = b1 - 0xA0;
  const int cell = b2 - 0xA0;
  if (row == 1 || row == 3 || (row >= 16 && row <= 87 && row != 55)) return true;
  for (const CellRange& range : kPartialRows) {
    if (range.Row == row && cell >= range.First && cell <= range.Last) return true;
  }
  return false;
}

bool IsBeyondGbkIdeograph(char32_t character) {
  return (character >= 0x3400 && character <= 0x4DBF) ||
         (character >= 0xF900 && character <= 0xFAFF);
}

std::vector<SourceProblem> BrokenUtf8Places(std::string_view source) {
  constexpr std::size_t kSequencesABadByte = 4;
  std::vector<SourceProblem> problems;
  std::size_t sequences = 0;
  std::size_t line = 1;
  std::size_t column = 1;
  std::size_t at = 0;
  while (at < source.size()) {
    const std::size_t length = platform::Utf8SequenceLength(source, at);
    if (length == 0) {
      // The run of bytes that begin no sequence, as one problem.
      std::size_t end = at + 1;
      while (end < source.size() && platform::Utf8SequenceLength(source, end) == 0) ++end;
      problems.push_back({ProblemKind::InvalidUtf8, line, column,
                          std::string(source.substr(at, end - at)), 0});
      column += end - at;
      at = end;
      continue;
    }
    if (length > 1) ++sequences;
    if (source[at] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
    at += length;
  }
  if (problems.empty() || sequences < kSequencesABadByte * problems.size()) return {};
  return problems;
}

ConversionResult ConvertSource(std::string_view source, const ConversionOptions& options) {
  ConversionResult result;
  result.Utf8 = platform::IsUtf8Text(source);
  if (!result.Utf8) {
    result.Problems = BrokenUtf8Places(source);
    if (!result.Problems.empty()) {
      result.Utf8 = true;
      return result;
    }
  }
  // A byte order mark (as Windows editors write it) is no character of the
  // text; line 1 stays line 1 without it.
  if (result.Utf8 && source.substr(0, 3) == "\xEF\xBB\xBF") source.remove_prefix(3);

  LineConverter converter(result.Utf8, options, result.Problems);
  std::vector<std::pair<ConvertedLine, std::string_view>> lines;  // with the line end
  std::size_t start = 0;
  while (start <= source.size()) {
    const std::size_t newline = source.find('\n', start);
    std::size_t end = newline == std::string_view::npos ? source.size() : newline;
    std::size_t content_end = end;
    if (newline != std::string_view::npos && end > start && source[end - 1] == '\r') --content_end;
    const std::string_view ending =
        newline == std::string_view::npos ? std::string_view() : source.substr(content_end, end + 1 - content_end);
    lines.emplace_back(converter.Convert(source.substr(start, content_end - start), lines.size() + 1),
                       ending);
    if (newline == std::string_view::npos) break;
    start = newline + 1;
  }

  for (std::size_t i = 0; i < lines.size(); ++i) {
    ConvertedLine& line = lines[i].first;
    // A line break between two Chinese characters would be a space to TeX.
    if (line.EndOfChinese != std::string::npos && i + 1 < lines.size() &&
        !lines[i].second.empty() && lines[i + 1].first.StartsChinese) {
      line.Text.insert(line.EndOfChinese, "%");
    }
    result.Text += line.Text;
    result.Text += lines[i].second;
  }
  return result;
}

}  // namespace mox::tool
