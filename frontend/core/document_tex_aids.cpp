#include "frontend/core/document_tex_aids.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

constexpr char kNoCode = static_cast<char>(0xFF);

bool IsBraceUnit(char16_t unit) {
  return unit == u'{' || unit == u'}' || unit == u'[' || unit == u']' || unit == u'(' ||
         unit == u')';
}

}  // namespace

void GbkUnits::Assign(std::u16string_view text) {
  bytes_.clear();
  offsets_.clear();
  offsets_.reserve(text.size() + 1);
  // Whole stretches at once; a unit without a code becomes one byte.
  std::size_t done = 0;
  while (done < text.size()) {
    std::size_t failed_at = 0;
    const bool whole = platform::EncodeGbk(text.substr(done), chunk_, failed_at);
    const std::size_t base = bytes_.size();
    bytes_ += chunk_;
    // A unit takes two bytes when it is no ASCII nor escape and its first
    // byte is a lead byte.
    std::size_t at = base;
    for (std::size_t i = done; i < done + failed_at; ++i) {
      offsets_.push_back(at);
      const char16_t unit = text[i];
      const auto byte = static_cast<unsigned char>(bytes_[at]);
      const bool escape =
          unit >= platform::kByteEscapeBase && unit <= platform::kByteEscapeBase + 0xFF;
      at += (unit >= 0x80 && !escape && byte >= 0x81 && byte <= 0xFE) ? 2 : 1;
    }
    done += failed_at;
    if (!whole) {
      offsets_.push_back(bytes_.size());
      bytes_.push_back(kNoCode);
      ++done;
    }
  }
  offsets_.push_back(bytes_.size());
}

std::size_t GbkUnits::ByteOf(std::size_t unit) const {
  if (offsets_.empty()) return 0;
  return offsets_[std::min(unit, offsets_.size() - 1)];
}

std::size_t GbkUnits::UnitOf(std::size_t byte) const {
  if (offsets_.empty()) return 0;
  const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), byte);
  return static_cast<std::size_t>(after - offsets_.begin()) - 1;
}

void TexRunsInUnits(const GbkUnits& line, const std::vector<TexSpan>& spans,
                    std::vector<TexUnitRun>& runs) {
  runs.clear();
  for (const TexSpan& span : spans) {
    const std::size_t start = line.UnitOf(span.Start);
    // The end rounded up to the next unit's start.
    std::size_t end = line.UnitOf(span.Start + span.Length);
    if (line.ByteOf(end) < span.Start + span.Length) ++end;
    if (start < end) runs.push_back({start, end, span.Kind});
  }
}

DocumentBrace MatchBraceAt(const platform::TextDocument& document, std::size_t caret,
                           std::size_t max_units) {
  DocumentBrace result;
  caret = std::min(caret, document.Length());
  const std::u16string& text = document.Text();
  const bool before = caret > 0 && IsBraceUnit(text[caret - 1]);
  const bool after = caret < text.size() && IsBraceUnit(text[caret]);
  if (!before && !after) return result;
  // Whole lines round the caret, up to max_units either side.
  const std::size_t line = document.LineOf(caret);
  std::size_t first = line;
  while (first > 0 && caret - document.LineStart(first - 1) <= max_units) --first;
  std::size_t last = line;
  while (last + 1 < document.LineCount() && document.LineStart(last + 1) - caret <= max_units) {
    ++last;
  }
  const std::size_t start = document.LineStart(first);
  const std::size_t end =
      last + 1 < document.LineCount() ? document.LineStart(last + 1) : document.Length();
  GbkUnits units;
  units.Assign(document.Range(start, end));
  BraceText bytes;
  bytes.Bytes = units.Bytes();
  bytes.ReachesStart = first == 0;
  bytes.ReachesEnd = end == document.Length();
  const BraceMatch match = MatchBrace(bytes, units.ByteOf(caret - start));
  result.Outcome = match.Outcome;
  result.Brace = start + units.UnitOf(match.Brace);
  result.Partner = start + units.UnitOf(match.Partner);
  result.CaretTarget = start + units.UnitOf(match.CaretTarget);
  return result;
}

DocumentCompletion CompletionAt(const platform::TextDocument& document, std::size_t caret) {
  DocumentCompletion result;
  caret = std::min(caret, document.Length());
  result.Line = document.LineOf(caret);
  const std::size_t start = document.LineStart(result.Line);
  GbkUnits line;
  line.Assign(document.Range(start, document.LineEnd(result.Line)));
  result.Context = FindCompletionContext(line.Bytes(), line.ByteOf(caret - start));
  return result;
}

void InsertCompletion(platform::TextDocument& document, const DocumentCompletion& where,
                      const CompletionItem& item) {
  if (where.Context.Kind == CompletionKind::None || where.Line >= document.LineCount()) return;
  const std::size_t start = document.LineStart(where.Line);
  GbkUnits line;
  line.Assign(document.Range(start, document.LineEnd(where.Line)));
  std::string line_end;
  std::size_t failed_at = 0;
  platform::EncodeGbk(document.NewLineEnd(), line_end, failed_at);
  const CompletionInsertion insertion =
      CommandCompletion::Insert(where.Context, item, line.Bytes(), line_end);
  const std::size_t from = start + line.UnitOf(where.Context.Start);
  const std::size_t to = start + line.UnitOf(where.Context.End);
  const std::u16string text = platform::DecodeGbk(insertion.Text);
  const std::size_t caret =
      from + platform::DecodeGbk(std::string_view(insertion.Text)
                                     .substr(0, std::min(insertion.Caret, insertion.Text.size())))
                 .size();
  document.Replace(from, to, text);
  document.Select(caret, caret);
}

}  // namespace mox::varelo
