#include "platform/text_document.h"

#include <algorithm>

namespace mox::platform {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The starts of the lines that begin after `begin` and before `end` in
// text (a line begins after each line end), appended to starts; a line end
// that ends exactly at `end` counts only when nothing follows: the line
// after it is not kept from before.
void AppendLineStarts(std::u16string_view text, std::size_t begin, std::size_t end,
                      std::vector<std::size_t>& starts, bool to_text_end = true) {
  for (std::size_t i = begin; i < end; ++i) {
    const char16_t unit = text[i];
    if (unit != u'\r' && unit != u'\n') continue;
    if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    const std::size_t next = i + 1;
    if (next < end || (to_text_end && next == text.size())) starts.push_back(next);
  }
}

}  // namespace

TextDocument::TextDocument() { line_starts_.push_back(0); }

void TextDocument::SetText(std::u16string text, std::u16string_view new_line_end) {
  text_ = std::move(text);
  new_line_end_ = new_line_end.empty() ? std::u16string(u"\r\n") : std::u16string(new_line_end);
  line_starts_.assign(1, 0);
  AppendLineStarts(text_, 0, text_.size(), line_starts_);
  anchor_ = caret_ = 0;
  undo_.clear();
  redo_.clear();
  history_units_ = 0;
  step_closed_ = true;
  modified_ = false;
  ++version_;
  for (TextDocumentListener* listener : listeners_) listener->TextReset();
}

std::u16string_view TextDocument::Range(std::size_t start, std::size_t end) const {
  end = std::min(end, text_.size());
  start = std::min(start, end);
  return std::u16string_view(text_).substr(start, end - start);
}

std::size_t TextDocument::LineStart(std::size_t line) const {
  return line < line_starts_.size() ? line_starts_[line] : text_.size();
}

std::size_t TextDocument::LineEnd(std::size_t line) const {
  if (line + 1 >= line_starts_.size()) return text_.size();
  std::size_t end = line_starts_[line + 1] - 1;
  if (text_[end] == u'\n' && end > line_starts_[line] && text_[end - 1] == u'\r') --end;
  return end;
}

std::size_t TextDocument::LineOf(std::size_t position) const {
  const auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), position);
  return static_cast<std::size_t>(after - line_starts_.begin()) - 1;
}

std::size_t TextDocument::Boundary(std::size_t position) const {
  position = std::min(position, text_.size());
  if (position == 0 || position == text_.size()) return position;
  const char16_t before = text_[position - 1];
  const char16_t at = text_[position];
  if ((before == u'\r' && at == u'\n') || (IsHighSurrogate(before) && IsLowSurrogate(at))) {
    return position - 1;
  }
  return position;
}

void TextDocument::Select(std::size_t anchor, std::size_t caret) {
  step_closed_ = true;
  SetSelection(Boundary(anchor), Boundary(caret));
}

void TextDocument::SetSelection(std::size_t anchor, std::size_t caret) {
  if (anchor == anchor_ && caret == caret_) return;
  anchor_ = anchor;
  caret_ = caret;
  NotifySelection();
}

void TextDocument::ReplaceSelection(std::u16string_view text, EditKind kind) {
  Replace(SelectionStart(), SelectionEnd(), text, kind);
}

void TextDocument::Replace(std::size_t start, std::size_t end, std::u16string_view text,
                           EditKind kind) {
  end = std::min(end, text_.size());
  start = std::min(start, end);
  if (start == end && text.empty()) return;
  Step step;
  step.Position = start;
  step.Removed.assign(text_, start, end - start);
  step.Inserted.assign(text);
  step.AnchorBefore = anchor_;
  step.CaretBefore = caret_;
  step.Kind = kind;
  const TextChange change = Apply(start, end, text);
  Record(std::move(step));
  // The new selection first, so that listeners see the caret where it is.
  anchor_ = caret_ = start + text.size();
  NotifyChange(change);
  NotifySelection();
}

bool TextDocument::Undo() {
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  const TextChange change =
      Apply(step.Position, step.Position + step.Inserted.size(), step.Removed);
  anchor_ = std::min(step.AnchorBefore, text_.size());
  caret_ = std::min(step.CaretBefore, text_.size());
  redo_.push_back(std::move(step));
  step_closed_ = true;
  NotifyChange(change);
  NotifySelection();
  return true;
}

bool TextDocument::Redo() {
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  const TextChange change =
      Apply(step.Position, step.Position + step.Removed.size(), step.Inserted);
  anchor_ = caret_ = step.Position + step.Inserted.size();
  undo_.push_back(std::move(step));
  step_closed_ = true;
  NotifyChange(change);
  NotifySelection();
  return true;
}

TextChange TextDocument::Apply(std::size_t start, std::size_t end, std::u16string_view text) {
  // The lines whose ends the edit may change: from the line before the
  // edit (a CR there may meet an LF put after it) to the line after the
  // one the edit ends in. The line ends at both ends of that stretch are
  // not touched, so the lines outside it keep their starts.
  const std::size_t first = LineOf(start) > 0 ? LineOf(start) - 1 : 0;
  const std::size_t stop = std::min(LineOf(end) + 2, line_starts_.size());
  const std::size_t region_begin = line_starts_[first];
  const std::size_t region_end = stop < line_starts_.size() ? line_starts_[stop] : text_.size();

  text_.replace(start, end - start, text);
  const std::ptrdiff_t delta =
      static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(end - start);
  const std::size_t new_region_end = static_cast<std::size_t>(
      static_cast<std::ptrdiff_t>(region_end) + delta);

  std::vector<std::size_t> starts{region_begin};
  AppendLineStarts(text_, region_begin, new_region_end, starts, stop == line_starts_.size());
  const auto old_begin = line_starts_.begin() + static_cast<std::ptrdiff_t>(first);
  const auto old_end = line_starts_.begin() + static_cast<std::ptrdiff_t>(stop);
  const auto inserted_at = line_starts_.erase(old_begin, old_end);
  const auto moved = line_starts_.insert(inserted_at, starts.begin(), starts.end()) +
                     static_cast<std::ptrdiff_t>(starts.size());
  for (auto it = moved; it != line_starts_.end(); ++it) {
    *it = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(*it) + delta);
  }

  modified_ = true;
  ++version_;
  TextChange change;
  change.Position = start;
  change.Removed = end - start;
  change.Inserted = text.size();
  change.FirstLine = first;
  change.OldLines = stop - first;
  change.NewLines = starts.size();
  return change;
}

void TextDocument::Record(Step step) {
  for (const Step& undone : redo_) history_units_ -= undone.Removed.size() + undone.Inserted.size();
  redo_.clear();
  const bool merge = !step_closed_ && !undo_.empty() && MergeInto(undo_.back(), step);
  history_units_ += step.Removed.size() + step.Inserted.size();
  if (!merge) undo_.push_back(std::move(step));
  step_closed_ = false;
  TrimHistory();
}

bool TextDocument::MergeInto(Step& last, const Step& step) const {
  if (last.Kind != step.Kind) return false;
  if (step.Kind == EditKind::Typing) {
    // One more character after those typed; a line break ends the step.
    const bool follows = step.Removed.empty() && step.Position == last.Position + last.Inserted.size();
    if (!follows || last.Inserted.empty() || last.Inserted.back() == u'\n' ||
        last.Inserted.back() == u'\r') {
      return false;
    }
    last.Inserted += step.Inserted;
    return true;
  }
  if (step.Kind == EditKind::Deleting && step.Inserted.empty() && last.Inserted.empty()) {
    if (step.Position + step.Removed.size() == last.Position) {  // Backspace
      last.Removed.insert(0, step.Removed);
      last.Position = step.Position;
      return true;
    }
    if (step.Position == last.Position) {  // Delete
      last.Removed += step.Removed;
      return true;
    }
  }
  return false;
}

void TextDocument::TrimHistory() {
  std::size_t drop = 0;
  while (history_units_ > kUndoLimit && undo_.size() - drop > 1) {
    history_units_ -= undo_[drop].Removed.size() + undo_[drop].Inserted.size();
    ++drop;
  }
  undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(drop));
}

void TextDocument::AddListener(TextDocumentListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
  }
}

void TextDocument::RemoveListener(TextDocumentListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TextDocument::NotifyChange(const TextChange& change) {
  for (TextDocumentListener* listener : listeners_) listener->TextChanged(change);
}

void TextDocument::NotifySelection() {
  for (TextDocumentListener* listener : listeners_) listener->SelectionChanged();
}

std::u16string WithLineEnds(std::u16string_view text, std::u16string_view line_end) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r' || unit == u'\n') {
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += line_end;
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

}  // namespace mox::platform
