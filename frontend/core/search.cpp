#include "frontend/core/search.h"

#include <limits>

namespace mox::varelo {
namespace {

unsigned char Fold(unsigned char byte) {
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// A buffer with the places where its characters begin.
class Characters {
 public:
  Characters(std::string_view buffer, const std::vector<bool>& starts)
      : buffer_(buffer), starts_(starts) {}

  std::ptrdiff_t Length() const { return static_cast<std::ptrdiff_t>(buffer_.size()); }
  unsigned char At(std::ptrdiff_t pos) const {
    return static_cast<unsigned char>(buffer_[static_cast<std::size_t>(pos)]);
  }
  bool StartsAt(std::ptrdiff_t pos) const { return starts_[static_cast<std::size_t>(pos)]; }
  bool IsSingleByteAt(std::ptrdiff_t pos) const { return StartsAt(pos) && StartsAt(pos + 1); }
  // A byte inside a double-byte character breaks words like its first one.
  bool IsBreakAt(std::ptrdiff_t pos) const {
    return !IsSingleByteAt(pos) || IsWordBreakByte(At(pos));
  }

  bool MatchesAt(std::ptrdiff_t pos, std::string_view text, bool match_case) const {
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (pos < 0 || pos + length > Length()) return false;
    if (!StartsAt(pos) || !StartsAt(pos + length)) return false;
    for (std::ptrdiff_t i = 0; i < length; ++i) {
      unsigned char have = At(pos + i);
      unsigned char want = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
      if (!match_case && IsSingleByteAt(pos + i)) {
        have = Fold(have);
        want = Fold(want);
      }
      if (have != want) return false;
    }
    return true;
  }

 private:
  std::string_view buffer_;
  const std::vector<bool>& starts_;
};

// SkipToWordStart: going down, past the rest of the current word and the
// break bytes after it; going up, back over break bytes and the word
// before them, to that word's first byte.
bool SkipToWordStart(const Characters& chars, int step, std::ptrdiff_t& pos,
                     std::ptrdiff_t& count) {
  while (count > 0 && (step == 1) != chars.IsBreakAt(pos)) {
    pos += step;
    --count;
  }
  while (count > 0 && (step == -1) != chars.IsBreakAt(pos)) {
    pos += step;
    --count;
  }
  if (count < 0) return false;
  if (step == -1 && chars.IsBreakAt(pos)) {
    ++pos;
    ++count;
  }
  return true;
}

}  // namespace

bool IsWordBreakByte(unsigned char byte) {
  return !((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9'));
}

std::vector<bool> GbkCharacterStarts(std::string_view text) {
  std::vector<bool> starts(text.size() + 1, false);
  std::size_t at = 0;
  while (at < text.size()) {
    starts[at] = true;
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    const bool pair = byte >= 0x81 && byte <= 0xFE && at + 1 < text.size() &&
                      IsTrailByte(static_cast<unsigned char>(text[at + 1]));
    at += pair ? 2 : 1;
  }
  starts[text.size()] = true;
  return starts;
}

std::ptrdiff_t FindInBuffer(std::string_view buffer, const std::vector<bool>& starts,
                            std::ptrdiff_t sel_start, std::ptrdiff_t sel_length,
                            std::string_view text, const SearchOptions& options) {
  const auto length = static_cast<std::ptrdiff_t>(buffer.size());
  const auto text_length = static_cast<std::ptrdiff_t>(text.size());
  if (length <= 0 || text_length == 0 || starts.size() != buffer.size() + 1) return kNotFound;
  const int step = options.Down ? 1 : -1;
  std::ptrdiff_t start = 0;
  std::ptrdiff_t count = 0;
  if (options.Down) {
    // The search begins after the current selection.
    start = sel_start + sel_length;
    count = length - start - text_length;
    if (count < 0 || start + count > length) return kNotFound;
  } else {
    start = sel_start - text_length;
    count = start;
  }
  if (start < 0 || start > length) return kNotFound;

  const Characters chars(buffer, starts);
  std::ptrdiff_t pos = start;
  // Going up, a word start found again at or after the last place tried
  // means the search has reached the front (the text there starts with a
  // break byte): without this it would try that word for ever.
  std::ptrdiff_t last_tried = std::numeric_limits<std::ptrdiff_t>::max();
  while (count >= 0) {
    if (options.WholeWord) {
      if (!SkipToWordStart(chars, step, pos, count)) return kNotFound;
      if (step == -1 && pos >= last_tried) return kNotFound;
    }
    if (chars.MatchesAt(pos, text, options.MatchCase)) {
      const std::ptrdiff_t end = pos + text_length;
      // A whole word ends at the end of the text or before a break byte.
      if (!options.WholeWord || end >= length || chars.IsBreakAt(end)) return pos;
    }
    last_tried = pos;
    pos += step;
    --count;
  }
  return kNotFound;
}

std::ptrdiff_t FindInBuffer(std::string_view buffer, std::ptrdiff_t sel_start,
                            std::ptrdiff_t sel_length, std::string_view text,
                            const SearchOptions& options) {
  return FindInBuffer(buffer, GbkCharacterStarts(buffer), sel_start, sel_length, text, options);
}

bool SameTextIgnoringCase(std::string_view selection, std::string_view text) {
  if (selection.size() != text.size()) return false;
  const std::vector<bool> starts = GbkCharacterStarts(selection);
  const Characters chars(selection, starts);
  return chars.MatchesAt(0, text, false);
}

}  // namespace mox::varelo
