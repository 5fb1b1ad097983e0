#include "frontend/core/tex_colouring.h"

#include <array>

#include "frontend/core/gbk_chars.h"

namespace mox::varelo {
namespace {

// Environments whose body is math, as $$ ... $$ is.
constexpr std::array<std::string_view, 16> kMathEnvironments = {
    "equation", "equation*", "align",       "align*",   "gather",  "gather*",
    "multline", "multline*", "flalign",     "flalign*", "alignat", "alignat*",
    "eqnarray", "eqnarray*", "displaymath", "math"};

// Environments whose body TeX reads as it is, up to their \end: a "$" or
// "%" in them opens nothing.
struct VerbatimEnvironment {
  std::string_view Name;
  TexSpanKind Kind;
};
constexpr std::array<VerbatimEnvironment, 5> kVerbatimEnvironments = {{
    {"verbatim", TexSpanKind::Verbatim},
    {"verbatim*", TexSpanKind::Verbatim},
    {"Verbatim", TexSpanKind::Verbatim},
    {"lstlisting", TexSpanKind::Verbatim},
    {"comment", TexSpanKind::Comment},
}};

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

class LineScanner {
 public:
  LineScanner(std::string_view line, TexLineState state, std::vector<TexSpan>* spans)
      : line_(line), state_(state), spans_(spans) {
    while (!line_.empty() && (line_.back() == '\r' || line_.back() == '\n')) line_.remove_suffix(1);
  }

  TexLineState Run() {
    if (state_.Verbatim == 0 && IsBlank(line_)) return TexLineState{};
    while (at_ < line_.size()) {
      if (state_.Verbatim != 0) {
        VerbatimText();
      } else if (state_.Argument == TexArgument::InBeginName ||
                 state_.Argument == TexArgument::InEndName) {
        EnvironmentName();
      } else if (!AfterBeginOrEnd()) {
        Sign();
      }
    }
    return state_;
  }

 private:
  void Emit(std::size_t start, std::size_t length, TexSpanKind kind) {
    if (spans_ == nullptr || length == 0) return;
    // Runs of math text and verbatim text make one span each.
    if (!spans_->empty() && (kind == TexSpanKind::MathText || kind == TexSpanKind::Verbatim ||
                             kind == TexSpanKind::Comment)) {
      TexSpan& last = spans_->back();
      if (last.Kind == kind && last.Start + last.Length == start) {
        last.Length += length;
        return;
      }
    }
    spans_->push_back({start, length, kind});
  }

  // Bytes without a meaning of their own: math text inside math.
  void Plain(std::size_t length) {
    if (state_.Math != TexMath::None) Emit(at_, length, TexSpanKind::MathText);
    at_ += length;
  }

  // Between \begin (or \end) and its "{": blanks, and the brace that
  // opens the name. False when something else ends the wait.
  bool AfterBeginOrEnd() {
    if (state_.Argument != TexArgument::AfterBegin && state_.Argument != TexArgument::AfterEnd) {
      return false;
    }
    const char c = line_[at_];
    if (c == ' ' || c == '\t') {
      Plain(1);
      return true;
    }
    if (c != '{') {
      state_.Argument = TexArgument::None;
      return false;
    }
    Emit(at_++, 1, TexSpanKind::Bracket);
    state_.Argument = state_.Argument == TexArgument::AfterBegin ? TexArgument::InBeginName
                                                                 : TexArgument::InEndName;
    name_start_ = at_;
    return true;
  }

  // The signs TeX reads here; every other byte is text.
  static bool IsSign(char c) {
    return c == '\\' || c == '%' || c == '$' || c == '{' || c == '}' || c == '[' || c == ']';
  }

  void Sign() {
    if (!IsSign(line_[at_])) {
      // Text up to the next sign, in one step: most of a line is text.
      std::size_t end = at_;
      while (end < line_.size() && !IsSign(line_[end])) end += GbkCharLength(line_, end);
      return Plain(end - at_);
    }
    switch (line_[at_]) {
      case '\\':
        return ControlSequence();
      case '%':
        Emit(at_, line_.size() - at_, TexSpanKind::Comment);
        at_ = line_.size();
        return;
      case '$':
        return Dollar();
      default:  // { } [ ]
        Emit(at_++, 1, TexSpanKind::Bracket);
        return;
    }
  }

  void ControlSequence() {
    const std::size_t start = at_++;
    if (at_ == line_.size()) return Emit(start, 1, TexSpanKind::ControlSequence);
    if (IsAsciiLetter(line_[at_])) {
      while (at_ < line_.size() && IsAsciiLetter(line_[at_])) ++at_;
      const std::string_view word = line_.substr(start + 1, at_ - start - 1);
      if (word == "verb") return Verb(start);
      if (word == "begin") state_.Argument = TexArgument::AfterBegin;
      if (word == "end") state_.Argument = TexArgument::AfterEnd;
      return Emit(start, at_ - start, TexSpanKind::ControlSequence);
    }
    // A control symbol: the one character after the backslash.
    const std::size_t length = GbkCharLength(line_, at_);
    const char c = length == 1 ? line_[at_] : '\0';
    at_ += length;
    TexSpanKind kind = TexSpanKind::MathDelimiter;
    if ((c == '(' || c == '[') && state_.Math == TexMath::None) {
      state_.Math = c == '(' ? TexMath::Paren : TexMath::Bracket;
    } else if ((c == ')' && state_.Math == TexMath::Paren) ||
               (c == ']' && state_.Math == TexMath::Bracket)) {
      state_.Math = TexMath::None;
    } else {
      kind = TexSpanKind::ControlSequence;
    }
    Emit(start, at_ - start, kind);
  }

  // \verb or \verb* and the text between the next character and its next
  // appearance on the line.
  void Verb(std::size_t start) {
    if (at_ < line_.size() && line_[at_] == '*') ++at_;
    Emit(start, at_ - start, TexSpanKind::ControlSequence);
    if (at_ == line_.size()) return;
    const char delimiter = line_[at_];
    if (IsAsciiLetter(delimiter) || delimiter == ' ' || GbkCharLength(line_, at_) == 2) return;
    std::size_t end = at_ + 1;
    while (end < line_.size() && line_[end] != delimiter) end += GbkCharLength(line_, end);
    end = end < line_.size() ? end + 1 : line_.size();
    Emit(at_, end - at_, TexSpanKind::Verbatim);
    at_ = end;
  }

  void Dollar() {
    const std::size_t start = at_;
    const bool twice = at_ + 1 < line_.size() && line_[at_ + 1] == '$';
    switch (state_.Math) {
      case TexMath::None:
        state_.Math = twice ? TexMath::DoubleDollar : TexMath::Dollar;
        at_ += twice ? 2 : 1;
        break;
      case TexMath::Dollar:
        state_.Math = TexMath::None;
        ++at_;
        break;
      case TexMath::DoubleDollar:
        // A single "$" here is math in a box inside the display.
        if (twice) state_.Math = TexMath::None;
        at_ += twice ? 2 : 1;
        break;
      default:  // math inside \text{...} of a display
        ++at_;
        break;
    }
    Emit(start, at_ - start, TexSpanKind::MathDelimiter);
  }

  // The name up to its "}". A name that lies whole on this line can open
  // math or verbatim text.
  void EnvironmentName() {
    const std::size_t from = at_;
    while (at_ < line_.size() && line_[at_] != '}' && line_[at_] != '%') {
      at_ += GbkCharLength(line_, at_);
    }
    Emit(from, at_ - from, TexSpanKind::EnvironmentName);
    if (at_ == line_.size()) return;
    if (line_[at_] == '%') {
      Emit(at_, line_.size() - at_, TexSpanKind::Comment);
      at_ = line_.size();
      return;
    }
    const bool begin = state_.Argument == TexArgument::InBeginName;
    const std::string_view name = line_.substr(name_start_, at_ - name_start_);
    Emit(at_++, 1, TexSpanKind::Bracket);
    state_.Argument = TexArgument::None;
    if (begin && state_.Math == TexMath::None) {
      for (std::size_t i = 0; i < kVerbatimEnvironments.size(); ++i) {
        if (kVerbatimEnvironments[i].Name == name)
          state_.Verbatim = static_cast<std::uint8_t>(i + 1);
      }
      for (std::size_t i = 0; i < kMathEnvironments.size(); ++i) {
        if (kMathEnvironments[i] == name) {
          state_.Math = TexMath::Environment;
          state_.MathEnvironment = static_cast<std::uint8_t>(i);
        }
      }
    } else if (!begin && state_.Math == TexMath::Environment &&
               kMathEnvironments[state_.MathEnvironment % kMathEnvironments.size()] == name) {
      state_.Math = TexMath::None;
      state_.MathEnvironment = 0;
    }
  }

  // Inside a verbatim environment: everything up to its own \end{name}.
  void VerbatimText() {
    const VerbatimEnvironment& environment =
        kVerbatimEnvironments[(state_.Verbatim - 1u) % kVerbatimEnvironments.size()];
    const std::string_view name = environment.Name;
    std::size_t at = at_;
    for (; at < line_.size(); at += GbkCharLength(line_, at)) {
      const std::string_view rest = line_.substr(at);
      if (rest.starts_with("\\end{") && rest.substr(5).starts_with(name) &&
          rest.size() > 5 + name.size() && rest[5 + name.size()] == '}') {
        break;
      }
    }
    Emit(at_, at - at_, environment.Kind);
    at_ = at;
    if (at_ == line_.size()) return;
    Emit(at_, 4, TexSpanKind::ControlSequence);
    Emit(at_ + 4, 1, TexSpanKind::Bracket);
    Emit(at_ + 5, name.size(), TexSpanKind::EnvironmentName);
    Emit(at_ + 5 + name.size(), 1, TexSpanKind::Bracket);
    at_ += 6 + name.size();
    state_.Verbatim = 0;
  }

  std::string_view line_;
  TexLineState state_;
  std::vector<TexSpan>* spans_;
  std::size_t at_ = 0;
  std::size_t name_start_ = 0;  // a name begun on the line before starts here
};

}  // namespace

TexLineColours ColourTexLine(std::string_view line, TexLineState start) {
  TexLineColours colours;
  colours.End = LineScanner(line, start, &colours.Spans).Run();
  return colours;
}

TexLineState TexStateAfter(std::string_view line, TexLineState start) {
  return LineScanner(line, start, nullptr).Run();
}

}  // namespace mox::varelo
