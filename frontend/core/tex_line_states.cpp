#include "frontend/core/tex_line_states.h"

#include <algorithm>

namespace mox::varelo {

void TexLineStates::Reset(std::size_t line_count) {
  entries_.assign(std::max<std::size_t>(line_count, 1) + 1, Entry{});
  entries_.back().Unsure = false;
  first_unsure_ = 0;
}

void TexLineStates::Changed(const platform::TextChange& change) {
  const std::size_t lines = LineCount();
  const std::size_t first = std::min(change.FirstLine, lines);
  const std::size_t old_lines = std::min(change.OldLines, lines - first);
  // The first line's start depends only on the lines above it.
  const TexLineState start = entries_[first].Start;
  const auto at = entries_.begin() + static_cast<std::ptrdiff_t>(first);
  entries_.erase(at, at + static_cast<std::ptrdiff_t>(old_lines));
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(first), change.NewLines, Entry{});
  if (LineCount() == 0) return Reset(1);
  // The line after the change keeps its stored start, which the new lines'
  // end is compared with. Where no line took the place of the old ones,
  // that line is unsure itself, its start being the first one's now.
  entries_[first].Start = start;
  const std::size_t end = std::min(first + std::max<std::size_t>(change.NewLines, 1), LineCount());
  for (std::size_t line = first; line < end; ++line) entries_[line].Unsure = true;
  first_unsure_ = std::min(first_unsure_, first);
}

std::size_t TexLineStates::Advance(const LineText& text) {
  const std::size_t line = first_unsure_;
  const std::string_view bytes = text(line);
  const TexLineState end = TexStateAfter(bytes, entries_[line].Start);
  entries_[line].Unsure = false;
  Entry& next = entries_[line + 1];
  if (next.Start != end) {
    next.Start = end;
    if (line + 1 < LineCount()) next.Unsure = true;
  }
  // The next line whose state may not follow: the next one, or, where the
  // states agree again, the first one an earlier edit left unsure.
  ++first_unsure_;
  while (first_unsure_ < LineCount() && !entries_[first_unsure_].Unsure) ++first_unsure_;
  return bytes.size() + 1;
}

TexLineStates::Answer TexLineStates::StartOf(std::size_t line, const LineText& text,
                                             std::size_t byte_budget) {
  line = std::min(line, LineCount());
  std::size_t bytes = 0;
  // The last kGuessLines lines are always computed: a guess would read as
  // many.
  while (first_unsure_ < line && (bytes < byte_budget || line - first_unsure_ <= kGuessLines)) {
    bytes += Advance(text);
  }
  if (first_unsure_ >= line) return {entries_[line].Start, true};
  TexLineState guess;
  for (std::size_t at = line - kGuessLines; at < line; ++at) guess = TexStateAfter(text(at), guess);
  return {guess, false};
}

bool TexLineStates::CatchUp(const LineText& text, std::size_t byte_budget) {
  std::size_t bytes = 0;
  while (first_unsure_ < LineCount() && bytes < byte_budget) bytes += Advance(text);
  return first_unsure_ >= LineCount();
}

}  // namespace mox::varelo
