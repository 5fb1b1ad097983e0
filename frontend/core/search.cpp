#include "frontend/core/search.h"

#include <limits>
#include <type_traits>

namespace mox::varelo {
namespace {

bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// GBK bytes with the places where their characters begin.
class GbkUnits {
 public:
  GbkUnits(std::string_view buffer, const std::vector<bool>& starts)
      : buffer_(buffer), starts_(starts) {}
  std::ptrdiff_t Length() const { return static_cast<std::ptrdiff_t>(buffer_.size()); }
  unsigned At(std::ptrdiff_t pos) const {
    return static_cast<unsigned char>(buffer_[static_cast<std::size_t>(pos)]);
  }
  bool StartsAt(std::ptrdiff_t pos) const { return starts_[static_cast<std::size_t>(pos)]; }
  // A one-byte character: only those may be letters.
  bool IsNarrowAt(std::ptrdiff_t pos) const { return StartsAt(pos) && StartsAt(pos + 1); }

 private:
  std::string_view buffer_;
  const std::vector<bool>& starts_;
};

// UTF-16 units: every unit starts a character but the second of a
// surrogate pair.
class Utf16Units {
 public:
  explicit Utf16Units(std::u16string_view text) : text_(text) {}
  std::ptrdiff_t Length() const { return static_cast<std::ptrdiff_t>(text_.size()); }
  unsigned At(std::ptrdiff_t pos) const { return text_[static_cast<std::size_t>(pos)]; }
  bool StartsAt(std::ptrdiff_t pos) const {
    if (pos <= 0 || pos >= Length()) return true;
    return !(At(pos) >= 0xDC00 && At(pos) <= 0xDFFF && At(pos - 1) >= 0xD800 &&
             At(pos - 1) <= 0xDBFF);
  }
  bool IsNarrowAt(std::ptrdiff_t pos) const { return At(pos) < 0x80; }

 private:
  std::u16string_view text_;
};

unsigned Fold(unsigned unit) { return unit >= 'a' && unit <= 'z' ? unit - ('a' - 'A') : unit; }

template <typename Units>
class Characters {
 public:
  explicit Characters(const Units& units) : units_(units) {}

  std::ptrdiff_t Length() const { return units_.Length(); }
  // A unit inside a wide character breaks words like its first one.
  bool IsBreakAt(std::ptrdiff_t pos) const {
    return !units_.IsNarrowAt(pos) || IsWordBreakByte(static_cast<unsigned char>(units_.At(pos)));
  }

  template <typename Text>
  bool MatchesAt(std::ptrdiff_t pos, const Text& text, bool match_case) const {
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (pos < 0 || pos + length > Length()) return false;
    if (!units_.StartsAt(pos) || !units_.StartsAt(pos + length)) return false;
    for (std::ptrdiff_t i = 0; i < length; ++i) {
      unsigned have = units_.At(pos + i);
      unsigned want = static_cast<std::make_unsigned_t<typename Text::value_type>>(
          text[static_cast<std::size_t>(i)]);
      if (!match_case && units_.IsNarrowAt(pos + i)) {
        have = Fold(have);
        want = Fold(want);
      }
      if (have != want) return false;
    }
    return true;
  }

 private:
  const Units& units_;
};

// SkipToWordStart: going down, past the rest of the current word and the
// break bytes after it; going up, back over break bytes and the word
// before them, to that word's first byte.
template <typename Chars>
bool SkipToWordStart(const Chars& chars, int step, std::ptrdiff_t& pos, std::ptrdiff_t& count) {
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

template <typename Units, typename Text>
std::ptrdiff_t Find(const Units& units, std::ptrdiff_t sel_start, std::ptrdiff_t sel_length,
                    const Text& text, const SearchOptions& options) {
  const std::ptrdiff_t length = units.Length();
  const auto text_length = static_cast<std::ptrdiff_t>(text.size());
  if (length <= 0 || text_length == 0) return kNotFound;
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

  const Characters<Units> chars(units);
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
  if (starts.size() != buffer.size() + 1) return kNotFound;
  return Find(GbkUnits(buffer, starts), sel_start, sel_length, text, options);
}

std::ptrdiff_t FindInBuffer(std::string_view buffer, std::ptrdiff_t sel_start,
                            std::ptrdiff_t sel_length, std::string_view text,
                            const SearchOptions& options) {
  return FindInBuffer(buffer, GbkCharacterStarts(buffer), sel_start, sel_length, text, options);
}

std::ptrdiff_t FindInText(std::u16string_view text, std::ptrdiff_t sel_start,
                          std::ptrdiff_t sel_length, std::u16string_view what,
                          const SearchOptions& options) {
  return Find(Utf16Units(text), sel_start, sel_length, what, options);
}

bool SameTextIgnoringCase(std::string_view selection, std::string_view text) {
  if (selection.size() != text.size()) return false;
  const std::vector<bool> starts = GbkCharacterStarts(selection);
  const GbkUnits units(selection, starts);
  return Characters<GbkUnits>(units).MatchesAt(0, text, false);
}

bool SameTextIgnoringCase(std::u16string_view selection, std::u16string_view text) {
  if (selection.size() != text.size()) return false;
  const Utf16Units units(selection);
  return Characters<Utf16Units>(units).MatchesAt(0, text, false);
}

}  // namespace mox::varelo
