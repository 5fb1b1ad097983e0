// The TeX state at the start of every line of an editor's text, kept up
// to date through its edits at a cost that does not grow with the text.
//
// Each line's entry holds the state at its start and whether the next
// line's state is known to follow from it. An edit marks the lines it made
// unsure; the states are brought up to date only when asked for, from the
// first unsure line forward, and a line whose end state equals the state
// already stored for the next line ends the work: the lines below it are as
// they were. So a keystroke costs the lines from the edit to the first line
// whose state did not change: one line for ordinary typing, and for a "$"
// that opens math, the lines down to the last one the window shows (the
// window asks no further); the lines below stay unsure until they are
// shown, and a later edit that closes the math again finds their old
// states still right and stops there.
//
// One answer computes at most about kBytesPerQuery bytes of lines (a jump
// to the end of a text whose states are unknown, after a paste at its top):
// past that it is a guess made from a neutral state kGuessLines lines above
// the line asked for, and says so. The guess is right for ordinary
// documents, since a blank line (at the end of every paragraph) ends math
// and a \begin waiting for its name; only inside a verbatim environment,
// or math, of more than kGuessLines lines without a blank one can it be
// wrong, and the window repaints the lines when CatchUp, run while the
// program is idle, has made the states exact.
//
// A keystroke thus costs at most the lines of one window plus
// kBytesPerQuery bytes, and a move of the entries when it adds or takes
// away lines (5 bytes a line). Measured natively (-O2, processor time) on a
// 2 MB text of 45,000 lines: all its states 11 ms, so a query's 1 MB about
// 5 ms; typing on a line in its middle, every tenth key a new line and
// every other a "$", with 60 lines coloured after each, 0.05 ms a key on
// average and 0.5 ms at most.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "frontend/core/tex_colouring.h"
#include "platform/text_document.h"

namespace mox::varelo {

class TexLineStates {
 public:
  // A line's text (GBK bytes, without its line end) by its number, valid
  // until the next call (a window converts each line into one buffer).
  using LineText = std::function<std::string_view(std::size_t line)>;

  struct Answer {
    TexLineState State;
    bool Exact = true;  // false: a guess, the line will need colouring again
  };

  static constexpr std::size_t kBytesPerQuery = 1u << 20;
  static constexpr std::size_t kGuessLines = 100;

  explicit TexLineStates(std::size_t line_count = 1) { Reset(line_count); }

  // A new text: every state unknown but the first line's.
  void Reset(std::size_t line_count);
  // Lines [FirstLine, FirstLine + OldLines) became NewLines others.
  void Changed(const platform::TextChange& change);

  // The state at the start of a line (LineCount() for the end of the text).
  Answer StartOf(std::size_t line, const LineText& text, std::size_t byte_budget = kBytesPerQuery);
  // Brings more states up to date; true when every one is exact.
  bool CatchUp(const LineText& text, std::size_t byte_budget);

  std::size_t LineCount() const { return entries_.size() - 1; }
  // How many lines from the top have exact start states.
  std::size_t ExactLines() const {
    return first_unsure_ < LineCount() ? first_unsure_ + 1 : LineCount();
  }

 private:
  struct Entry {
    TexLineState Start;
    bool Unsure = true;  // the next line's start may not follow from this one
  };

  // Computes the first unsure line's end; the bytes it read.
  std::size_t Advance(const LineText& text);

  // One a line, and one for the end of the text.
  std::vector<Entry> entries_;
  std::size_t first_unsure_ = 0;
};

}  // namespace mox::varelo
