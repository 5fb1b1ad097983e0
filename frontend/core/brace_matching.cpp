#include "frontend/core/brace_matching.h"

#include <optional>
#include <vector>

#include "frontend/core/gbk_chars.h"

namespace mox::varelo {
namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Each sign beside its partner.
constexpr std::string_view kBraceSigns = "{}[]()";

bool IsBraceSign(char c) { return kBraceSigns.find(c) != std::string_view::npos; }

char PartnerOf(char c) { return kBraceSigns[kBraceSigns.find(c) ^ 1]; }

struct Line {
  std::size_t Start;
  std::size_t End;  // before its line end
};

Line LineAt(std::string_view bytes, std::size_t at) {
  std::size_t start = at;
  while (start > 0 && !IsLineEnd(bytes[start - 1])) --start;
  std::size_t end = at;
  while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
  return {start, end};
}

// The line after (a CR LF is one line end) and the line before.
std::optional<Line> NextLine(std::string_view bytes, Line line) {
  if (line.End == bytes.size()) return std::nullopt;
  std::size_t next = line.End + 1;
  if (bytes[line.End] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
  return LineAt(bytes, next);
}

std::optional<Line> PreviousLine(std::string_view bytes, Line line) {
  if (line.Start == 0) return std::nullopt;
  std::size_t end = line.Start - 1;
  if (bytes[end] == '\n' && end > 0 && bytes[end - 1] == '\r') --end;
  return LineAt(bytes, end);
}

// The braces and brackets of a line that count: not escaped, not in its
// comment, not the trail byte of a Chinese character.
void BracesOf(std::string_view bytes, Line line, std::vector<std::size_t>& braces) {
  braces.clear();
  const std::string_view text = bytes.substr(line.Start, line.End - line.Start);
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    if (c == '%') break;
    if (c == '\\') {
      // The backslash and the character it escapes.
      if (++at < text.size()) at += GbkCharLength(text, at);
      continue;
    }
    if (IsBraceSign(c)) braces.push_back(line.Start + at);
    at += GbkCharLength(text, at);
  }
}

// Counts the signs met on the way from a brace to its partner.
class PartnerSearch {
 public:
  explicit PartnerSearch(char brace) : brace_(brace), partner_(PartnerOf(brace)) {}

  // Matched when the sign is the partner, Unmatched when it closes the
  // group a bracket stands in; nothing while the search goes on.
  std::optional<BraceOutcome> Meet(char sign) {
    const bool braces = brace_ == '{' || brace_ == '}';
    if (!braces && (sign == '{' || sign == '}')) {
      // A group's braces, seen from inside a bracket's group.
      if (sign == GroupExit()) {
        if (groups_ == 0) return BraceOutcome::Unmatched;
        --groups_;
      } else {
        ++groups_;
      }
      return std::nullopt;
    }
    if (groups_ != 0) return std::nullopt;
    if (sign == brace_) {
      ++depth_;
    } else if (sign == partner_) {
      if (depth_ == 0) return BraceOutcome::Matched;
      --depth_;
    }
    return std::nullopt;
  }

 private:
  // The brace that leaves a group in the search's direction.
  char GroupExit() const { return brace_ == '[' || brace_ == '(' ? '}' : '{'; }

  char brace_;
  char partner_;
  std::size_t depth_ = 0;
  std::size_t groups_ = 0;
};

}  // namespace

BraceMatch MatchBrace(const BraceText& text, std::size_t caret) {
  const std::string_view bytes = text.Bytes;
  BraceMatch match;
  if (caret > bytes.size()) return match;
  Line line = LineAt(bytes, caret);
  std::vector<std::size_t> braces;
  BracesOf(bytes, line, braces);
  const auto has = [&](std::size_t at) {
    for (std::size_t brace : braces) {
      if (brace == at) return true;
    }
    return false;
  };
  if (caret > line.Start && has(caret - 1)) {
    match.Brace = caret - 1;
  } else if (caret < line.End && has(caret)) {
    match.Brace = caret;
  } else {
    return match;
  }
  const char brace = bytes[match.Brace];
  const bool forward = brace == '{' || brace == '[' || brace == '(';
  PartnerSearch search(brace);
  // Whether the search ends at a sign: its partner, the end of its group,
  // or a sign farther from the brace than the bound (the same distance
  // both ways, so that a partner found leads back).
  const std::size_t from = match.Brace;
  const auto ends_at = [&](std::size_t at) {
    if ((forward ? at - from : from - at) > text.MaxBytes) {
      match.Outcome = BraceOutcome::BeyondBound;
      return true;
    }
    const std::optional<BraceOutcome> outcome = search.Meet(bytes[at]);
    if (outcome) {
      match.Outcome = *outcome;
      match.Partner = at;
    }
    return outcome.has_value();
  };
  for (bool first = true;; first = false) {
    bool ended = false;
    if (forward) {
      for (auto it = braces.begin(); it != braces.end() && !ended; ++it) {
        ended = !(first && *it <= from) && ends_at(*it);
      }
    } else {
      for (auto it = braces.rbegin(); it != braces.rend() && !ended; ++it) {
        ended = !(first && *it >= from) && ends_at(*it);
      }
    }
    if (ended) break;
    const std::optional<Line> next = forward ? NextLine(bytes, line) : PreviousLine(bytes, line);
    if (!next) {
      const bool whole = forward ? text.ReachesEnd : text.ReachesStart;
      match.Outcome = whole ? BraceOutcome::Unmatched : BraceOutcome::BeyondBound;
      break;
    }
    line = *next;
    // A line wholly beyond the bound is not read.
    if ((forward ? line.Start - from : from - line.End) > text.MaxBytes) {
      match.Outcome = BraceOutcome::BeyondBound;
      break;
    }
    BracesOf(bytes, line, braces);
  }
  if (match.Outcome != BraceOutcome::Matched) {
    match.Partner = 0;
    return match;
  }
  match.CaretTarget = match.Partner + 1;
  return match;
}

}  // namespace mox::varelo
