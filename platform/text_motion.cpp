#include "platform/text_motion.h"

#include <algorithm>

namespace mox::platform {
namespace {

enum class Kind { Blank, LineEnd, Letter, Wide, Sign };

Kind KindOf(char16_t unit) {
  if (unit == u' ' || unit == u'\t') return Kind::Blank;
  if (unit == u'\r' || unit == u'\n') return Kind::LineEnd;
  if ((unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') ||
      (unit >= u'a' && unit <= u'z') || unit == u'_') {
    return Kind::Letter;
  }
  if (unit < 0x80) return Kind::Sign;
  // Surrogates are the halves of characters beyond the first plane,
  // ideographs for the most part.
  if (unit >= 0x2E80 && !(unit >= 0xE000 && unit <= 0xF8FF)) return Kind::Wide;
  return Kind::Letter;
}

Kind KindAt(const TextDocument& document, std::size_t position) {
  return KindOf(document.Text()[position]);
}

}  // namespace

std::size_t NextCharacter(const TextDocument& document, std::size_t position) {
  if (position >= document.Length()) return document.Length();
  return document.Boundary(position + 1) == position ? std::min(position + 2, document.Length())
                                                     : position + 1;
}

std::size_t PreviousCharacter(const TextDocument& document, std::size_t position) {
  if (position == 0) return 0;
  return document.Boundary(position - 1);
}

std::size_t NextWordStart(const TextDocument& document, std::size_t position) {
  const std::size_t length = document.Length();
  if (position >= length) return length;
  if (KindAt(document, position) == Kind::LineEnd) return NextCharacter(document, position);
  const Kind kind = KindAt(document, position);
  if (kind != Kind::Blank) {
    while (position < length && KindAt(document, position) == kind) ++position;
  }
  while (position < length && KindAt(document, position) == Kind::Blank) ++position;
  return document.Boundary(position);
}

std::size_t PreviousWordStart(const TextDocument& document, std::size_t position) {
  if (position == 0) return 0;
  while (position > 0 && KindAt(document, position - 1) == Kind::Blank) --position;
  if (position == 0) return 0;
  const Kind kind = KindAt(document, position - 1);
  if (kind == Kind::LineEnd) return PreviousCharacter(document, position);
  while (position > 0 && KindAt(document, position - 1) == kind) --position;
  return document.Boundary(position);
}

void WordAround(const TextDocument& document, std::size_t position, std::size_t& start,
                std::size_t& end) {
  const std::size_t length = document.Length();
  position = document.Boundary(position);
  start = end = position;
  if (length == 0) return;
  // At the end of a word (or of the line), the word before it.
  if (position > 0 && (position == length || KindAt(document, position) == Kind::LineEnd ||
                       KindAt(document, position) == Kind::Blank) &&
      KindAt(document, position - 1) != Kind::LineEnd &&
      KindAt(document, position - 1) != Kind::Blank) {
    position = PreviousCharacter(document, position);
  }
  if (position >= length || KindAt(document, position) == Kind::LineEnd) {
    start = end = position;
    return;
  }
  const Kind kind = KindAt(document, position);
  start = position;
  end = position;
  while (start > 0 && KindAt(document, start - 1) == kind) --start;
  while (end < length && KindAt(document, end) == kind) ++end;
  start = document.Boundary(start);
  end = document.Boundary(end);
  if (end <= start) end = NextCharacter(document, start);
}

}  // namespace mox::platform
