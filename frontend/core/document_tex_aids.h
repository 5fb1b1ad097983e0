// The editing aids of a TeX source applied to the editor's UTF-16 text:
// the colouring, brace matching and completion work on GBK bytes of a
// line or a stretch of lines, and the window works in UTF-16 units; this
// converts the stretch and maps the byte offsets back to the units, so a
// character without a GBK code (one byte 0xFF, matching nothing) shifts
// no offset after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/brace_matching.h"
#include "frontend/core/command_completion.h"
#include "frontend/core/tex_colouring.h"
#include "platform/text_document.h"

namespace mox::varelo {

// UTF-16 units as GBK bytes with each unit's first byte; kept between
// uses so a window converting line after line allocates once.
class GbkUnits {
 public:
  void Assign(std::u16string_view text);
  const std::string& Bytes() const { return bytes_; }
  // The first byte of a unit (the byte count for the end).
  std::size_t ByteOf(std::size_t unit) const;
  // The unit that begins at or holds a byte (the unit count for the end).
  std::size_t UnitOf(std::size_t byte) const;

 private:
  std::string bytes_;
  std::string chunk_;
  std::vector<std::size_t> offsets_;  // per unit, plus the end
};

// A coloured stretch of a line, in units from the line's start.
struct TexUnitRun {
  std::size_t Start = 0;
  std::size_t End = 0;
  TexSpanKind Kind = TexSpanKind::ControlSequence;
};
void TexRunsInUnits(const GbkUnits& line, const std::vector<TexSpan>& spans,
                    std::vector<TexUnitRun>& runs);

// The brace beside the caret and its partner, as document positions.
// Only a brace or bracket right before or after the caret is looked at;
// the lines handed over reach at most `max_units` either side of it.
struct DocumentBrace {
  BraceOutcome Outcome = BraceOutcome::NoBrace;
  std::size_t Brace = 0;
  std::size_t Partner = 0;
  std::size_t CaretTarget = 0;
};
DocumentBrace MatchBraceAt(const platform::TextDocument& document, std::size_t caret,
                           std::size_t max_units = kBraceSearchBytes / 2);

// The completion context of the caret's line, in its bytes; Line is the
// caret's line.
struct DocumentCompletion {
  CompletionContext Context;
  std::size_t Line = 0;
};
DocumentCompletion CompletionAt(const platform::TextDocument& document, std::size_t caret);

// The choice in place of the context's text, as one undo step, the caret
// where the insertion puts it.
void InsertCompletion(platform::TextDocument& document, const DocumentCompletion& where,
                      const CompletionItem& item);

}  // namespace mox::varelo
