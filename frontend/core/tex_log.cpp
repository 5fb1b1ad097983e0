#include "frontend/core/tex_log.h"

#include <algorithm>
#include <optional>

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The number at the start of text and how many digits it has; none for no
// digit or a number too large for a line.
std::optional<std::int32_t> NumberAt(std::string_view text, std::size_t& digits) {
  digits = 0;
  std::int64_t value = 0;
  while (digits < text.size() && IsDigit(text[digits])) {
    value = value * 10 + (text[digits] - '0');
    if (value > 0x7FFFFFFF) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// The line of TeX's context that names the current line: "l.12 text".
std::optional<std::int32_t> ContextLineNumber(std::string_view line) {
  if (!StartsWith(line, "l.")) return std::nullopt;
  std::size_t digits = 0;
  const std::optional<std::int32_t> number = NumberAt(line.substr(2), digits);
  if (!number || (2 + digits < line.size() && line[2 + digits] != ' ')) return std::nullopt;
  return number;
}

bool StartsError(std::string_view line) {
  if (StartsWith(line, "!  ==> ")) return false;  // pdfTeX's closing words after an error
  return StartsWith(line, "! ") || StartsWith(line, "!pdfTeX error");
}

// LaTeX's errors and warnings (of the kernel, a class or a package) go on
// over lines of their own: indented, or behind "(name)".
bool IsLatexMessage(std::string_view message) {
  return message.find(" Error: ") != std::string_view::npos ||
         message.find(" Warning: ") != std::string_view::npos ||
         StartsWith(message, "LaTeX Error: ");
}

bool ContinuesMessage(std::string_view line) {
  if (line.empty()) return false;
  if (line[0] == ' ' || line[0] == '\t') return !Trimmed(line).empty();
  if (line[0] != '(') return false;
  const std::size_t close = line.find(')');
  return close != std::string_view::npos && line.substr(0, close).find(' ') == std::string_view::npos;
}

// "LaTeX Warning: ", "LaTeX Font Warning: ", "Package x Warning: ",
// "Class x Warning: ": the kind is one word at most.
bool StartsWarning(std::string_view line) {
  if (StartsWith(line, "pdfTeX warning")) return true;
  if (!StartsWith(line, "LaTeX ") && !StartsWith(line, "Package ") && !StartsWith(line, "Class ")) {
    return false;
  }
  const std::size_t at = line.find(" Warning: ");
  if (at == std::string_view::npos) return false;
  const std::string_view words = line.substr(0, at);
  return std::count(words.begin(), words.end(), ' ') <= 1;
}

// "Overfull \hbox (", and "Loose" and "Tight" for boxes whose badness
// passes a low \hbadness or \vbadness.
bool StartsBox(std::string_view line) {
  for (std::string_view kind : {"Overfull ", "Underfull ", "Loose ", "Tight "}) {
    if (!StartsWith(line, kind)) continue;
    const std::string_view box = line.substr(kind.size());
    return StartsWith(box, "\\hbox (") || StartsWith(box, "\\vbox (");
  }
  return false;
}

class LogReader {
 public:
  LogReader(const LogLines& lines, const TexLogOptions& options)
      : lines_(lines.Lines), files_(options.Exists) {
    log_.LineWidth = lines.Width;
  }

  TexLog Read() {
    while (at_ < lines_.size()) {
      const std::string& text = lines_[at_].Text;
      if (StartsError(text)) {
        ReadError();
      } else if (StartsWith(text, "Runaway ") && EndsWith(text, "?")) {
        // "Runaway argument?" and the text it took, told with the error after.
        runaway_ = text;
        ++at_;
        if (at_ < lines_.size() && !StartsError(lines_[at_].Text)) {
          runaway_ += " " + std::string(Trimmed(lines_[at_].Text));
          ++at_;
        }
      } else if (StartsWarning(text)) {
        ReadWarning();
      } else if (StartsBox(text)) {
        ReadBox();
      } else if (StartsWith(text, "Missing character: There is no ")) {
        Add(LogRowKind::Warning, text, 0, 0);
        ++at_;
      } else {
        ReadSummary(text);
        files_.Read(lines_[at_]);
        ++at_;
      }
    }
    return std::move(log_);
  }

 private:
  LogRow& Add(LogRowKind kind, std::string message, std::int32_t line, std::int32_t last) {
    LogRow row;
    row.Kind = kind;
    row.File = files_.Current();
    row.Line = line;
    row.LastLine = last;
    row.Message = std::move(message);
    log_.Rows.push_back(std::move(row));
    return log_.Rows.back();
  }

  // The line and the indented or "(name)" lines that go on with it, joined
  // by blanks; at_ then follows them.
  std::string MessageLines(std::string_view first) {
    std::string message(Trimmed(first));
    ++at_;
    if (!IsLatexMessage(message)) return message;
    while (at_ < lines_.size() && ContinuesMessage(lines_[at_].Text)) {
      std::string_view more = Trimmed(lines_[at_].Text);
      if (more.front() == '(') more = Trimmed(more.substr(more.find(')') + 1));
      message += " ";
      message += more;
      ++at_;
    }
    return message;
  }

  // "! message", LaTeX's explanation, the context with "l.NN" and the help
  // text up to an empty line. None of it is output whose parentheses open
  // or close files: the context and the help may show any text.
  void ReadError() {
    std::string_view text = lines_[at_].Text;
    text.remove_prefix(text[1] == ' ' ? 2 : 1);
    std::string message = MessageLines(text);
    if (!runaway_.empty()) {
      message += " (" + runaway_ + ")";
      runaway_.clear();
    }
    LogRow& row = Add(LogRowKind::Error, std::move(message), 0, 0);
    const bool emergency = row.Message == "Emergency stop.";
    // The context ends the error's lines; LaTeX's explanation has one empty
    // line, the context none.
    std::size_t empty_lines = 0;
    for (std::size_t k = at_; k < lines_.size(); ++k) {
      if (StartsError(lines_[k].Text)) break;
      if (lines_[k].Text.empty() && ++empty_lines == 2) break;
      const std::optional<std::int32_t> number = ContextLineNumber(lines_[k].Text);
      if (!number) continue;
      row.Line = row.LastLine = *number;
      row.Context.push_back(lines_[k].Text);
      if (k + 1 < lines_.size()) row.Context.push_back(lines_[k + 1].Text);
      at_ = std::min(k + 2, lines_.size());
      SkipHelp();
      break;
    }
    // A LaTeX error that asks for a file name ends in an emergency stop in
    // the modes that cannot ask: the stop's line is where the error was.
    if (emergency && log_.Rows.size() >= 2) {
      LogRow& before = log_.Rows[log_.Rows.size() - 2];
      if (before.Kind == LogRowKind::Error && before.Line == 0 && before.File == row.File &&
          error_rows_ + 1 == log_.Rows.size()) {
        before.Line = before.LastLine = row.Line;
        before.Context = row.Context;
      }
    }
    error_rows_ = log_.Rows.size();
  }

  // The help after an error's context, up to the empty line that ends it;
  // nothing when a user answered TeX's "?" at the terminal.
  void SkipHelp() {
    if (at_ < lines_.size() && StartsWith(lines_[at_].Text, "?")) return;
    while (at_ < lines_.size() && !lines_[at_].Text.empty() && !StartsError(lines_[at_].Text)) ++at_;
  }

  void ReadWarning() {
    std::string message = MessageLines(lines_[at_].Text);
    std::int32_t line = 0;
    // "... on input line 12." becomes the row's line.
    constexpr std::string_view kOnInputLine = " on input line ";
    const std::size_t on = message.rfind(kOnInputLine);
    if (on != std::string::npos) {
      std::size_t digits = 0;
      const std::string_view after = std::string_view(message).substr(on + kOnInputLine.size());
      const std::optional<std::int32_t> number = NumberAt(after, digits);
      if (number && (digits == after.size() || after.substr(digits) == ".")) {
        line = *number;
        message.erase(on, kOnInputLine.size() + digits);
      }
    }
    Add(LogRowKind::Warning, std::move(message), line, line);
  }

  // "Overfull \hbox (12.0pt too wide) in paragraph at lines 5--9", then the
  // box's material (any text of the document) up to an empty line.
  void ReadBox() {
    std::string message = lines_[at_].Text;
    std::int32_t first = 0;
    std::int32_t last = 0;
    std::size_t digits = 0;
    for (std::string_view place : {") in paragraph at lines ", ") in alignment at lines "}) {
      const std::size_t at = message.find(place);
      if (at == std::string::npos) continue;
      const std::string_view range = std::string_view(message).substr(at + place.size());
      if (const std::optional<std::int32_t> a = NumberAt(range, digits)) {
        first = last = *a;
        std::size_t more = 0;
        if (range.substr(digits, 2) == "--") {
          if (const std::optional<std::int32_t> b = NumberAt(range.substr(digits + 2), more)) last = *b;
        }
      }
    }
    constexpr std::string_view kDetected = ") detected at line ";
    const std::size_t detected = message.find(kDetected);
    if (detected != std::string::npos) {
      if (const std::optional<std::int32_t> a = NumberAt(message.substr(detected + kDetected.size()), digits)) {
        first = last = *a;
      }
    }
    // A range that runs backwards, or from no line, is none.
    if (last < first || first == 0) last = first;
    if (EndsWith(message, " []")) message.resize(message.size() - 3);
    const bool hbox = message.find("\\hbox") != std::string::npos;
    Add(LogRowKind::Badbox, std::string(Trimmed(message)), first, last);
    ++at_;
    // An hbox shows its text on one line first (empty for an empty line),
    // then the box.
    if (hbox && at_ < lines_.size()) ++at_;
    while (at_ < lines_.size() && !lines_[at_].Text.empty() && !StartsError(lines_[at_].Text)) ++at_;
  }

  void ReadSummary(std::string_view text) {
    if (text == "No pages of output.") {
      log_.Pages = 0;
      return;
    }
    constexpr std::string_view kWritten = "Output written on ";
    if (!StartsWith(text, kWritten)) return;
    const std::size_t open = text.rfind(" (");
    if (open == std::string_view::npos || open < kWritten.size()) return;
    std::size_t digits = 0;
    const std::optional<std::int32_t> pages = NumberAt(text.substr(open + 2), digits);
    if (!pages) return;
    log_.Pages = *pages;
    log_.OutputFile = std::string(text.substr(kWritten.size(), open - kWritten.size()));
  }

  const std::vector<LogLine>& lines_;
  LogFileStack files_;
  TexLog log_;
  std::size_t at_ = 0;
  std::string runaway_;
  std::size_t error_rows_ = 0;  // the rows up to the last error
};

}  // namespace

std::size_t TexLog::Count(LogRowKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(Rows.begin(), Rows.end(), [kind](const LogRow& row) { return row.Kind == kind; }));
}

std::string Utf8AsGbk(std::string_view utf8) {
  std::string gbk;
  std::size_t failed_at = 0;
  if (!platform::EncodeGb18030(platform::DecodeUtf8(utf8), gbk, failed_at)) return std::string(utf8);
  return gbk;
}

TexLog ParseTexLog(std::string_view bytes, const TexLogOptions& options) {
  const LogLines lines = SplitTexLog(bytes);
  TexLog log = LogReader(lines, options).Read();
  std::string all;
  for (const LogLine& line : lines.Lines) all += line.Text;
  log.Utf8 = platform::IsUtf8Text(all);
  if (options.Gbk && log.Utf8) {
    for (LogRow& row : log.Rows) {
      row.File = Utf8AsGbk(row.File);
      row.Message = Utf8AsGbk(row.Message);
      for (std::string& context : row.Context) context = Utf8AsGbk(context);
    }
    log.OutputFile = Utf8AsGbk(log.OutputFile);
  }
  return log;
}

}  // namespace mox::varelo
