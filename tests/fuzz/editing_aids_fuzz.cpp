// Any bytes as the lines of a TeX source, as the assistant's tex.txt and
// as Varelo.ini. Every line is coloured from the state the line above
// leaves, in spans inside it, in order, each beginning on a character; the
// states kept through an edit are those computed afresh; a brace's partner
// leads back to it; a completion's context lies in its line and what it
// inserts ends an environment it begins; the recent files read, written
// and read again are the same, eight at most, none twice.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/brace_matching.h"
#include "frontend/core/command_completion.h"
#include "frontend/core/recent_files.h"
#include "frontend/core/search.h"
#include "frontend/core/tex_colouring.h"
#include "frontend/core/tex_line_states.h"

namespace {

using namespace mox::varelo;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> LinesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find('\n', start)) != std::string_view::npos;
       start = end + 1) {
    lines.emplace_back(bytes.substr(start, end - start));
  }
  lines.emplace_back(bytes.substr(start));
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

// The state at the start of each line, and one for the end.
std::vector<TexLineState> ColourAll(const std::vector<std::string>& lines) {
  std::vector<TexLineState> starts{TexLineState{}};
  for (const std::string& line : lines) {
    const TexLineColours colours = ColourTexLine(line, starts.back());
    const std::vector<bool> characters = GbkCharacterStarts(line);
    std::size_t end = 0;
    for (const TexSpan& span : colours.Spans) {
      Require(span.Length > 0 && span.Start >= end && span.Start + span.Length <= line.size());
      Require(characters[span.Start] && characters[span.Start + span.Length]);
      end = span.Start + span.Length;
    }
    Require(colours.End == TexStateAfter(line, starts.back()));
    starts.push_back(colours.End);
  }
  return starts;
}

void CheckStates(std::vector<std::string> lines, std::string_view bytes) {
  const std::vector<TexLineState> starts = ColourAll(lines);
  TexLineStates states(lines.size());
  const auto text = [&lines](std::size_t line) -> std::string_view { return lines.at(line); };
  for (std::size_t line = 0; line <= lines.size(); ++line) {
    Require(states.StartOf(line, text, SIZE_MAX).State == starts[line]);
  }
  // One line made two, the first a line from elsewhere in the text.
  const std::size_t first = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % lines.size();
  const std::string copied = lines.back();
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(first), copied);
  mox::platform::TextChange change;
  change.FirstLine = first;
  change.OldLines = 1;
  change.NewLines = 2;
  states.Changed(change);
  const std::vector<TexLineState> again = ColourAll(lines);
  for (std::size_t line = lines.size() + 1; line-- > 0;) {
    Require(states.StartOf(line, text, SIZE_MAX).State == again[line]);
  }
}

void CheckBraces(std::string_view bytes) {
  // A short bound: the search's cost and its stop are tried, not only
  // its pairs.
  BraceText text{bytes};
  text.MaxBytes = 4096;
  std::size_t tried = 0;
  for (std::size_t at = 0; at < bytes.size() && tried < 40; ++at) {
    if (std::string_view("{}[]()").find(bytes[at]) == std::string_view::npos) continue;
    ++tried;
    const BraceMatch match = MatchBrace(text, at + 1);
    if (match.Outcome != BraceOutcome::Matched) continue;
    Require(match.Partner < bytes.size() && match.CaretTarget == match.Partner + 1);
    const BraceMatch back = MatchBrace(text, match.CaretTarget);
    Require(back.Outcome == BraceOutcome::Matched && back.Brace == match.Partner &&
            back.Partner == match.Brace);
  }
}

void CheckCompletion(const std::vector<std::string>& lines, std::string_view bytes) {
  const CommandCompletion completion(ParseAssistantEntries(bytes));
  for (const CompletionItem& item : completion.Commands()) {
    Require(item.Command.size() > 1 && item.Command[0] == '\\' &&
            item.Text.starts_with(item.Command));
  }
  std::size_t tried = 0;
  for (const std::string& line : lines) {
    const std::size_t step = line.size() / 64 + 1;
    for (std::size_t caret = 0; caret <= line.size() && tried < 400; caret += step, ++tried) {
      const CompletionContext context = FindCompletionContext(line, caret);
      if (context.Kind == CompletionKind::None) continue;
      Require(context.Start <= caret && caret <= context.End && context.End <= line.size());
      Require(context.Prefix == line.substr(context.Start, caret - context.Start));
      const std::vector<CompletionItem> offered = completion.Offer(context);
      if (offered.empty()) continue;
      const CompletionInsertion insertion =
          CommandCompletion::Insert(context, offered[0], line, "\n");
      Require(insertion.Caret <= insertion.Text.size());
      if (context.Kind == CompletionKind::BeginEnvironment) {
        Require(insertion.Text.ends_with("\\end{" + offered[0].Command + "}"));
      }
    }
  }
}

void CheckRecentFiles(std::string_view bytes) {
  SettingsFile file = SettingsFile::Parse(bytes);
  const RecentFiles files = ReadRecentFiles(file);
  Require(files.Paths().size() <= kRecentFileCount);
  Require(files.MenuCaptions().size() == files.Paths().size());
  WriteRecentFiles(files, file);
  Require(ReadRecentFiles(SettingsFile::Parse(file.Text())).Paths() == files.Paths());
  RecentFiles again;
  for (auto it = files.Paths().rbegin(); it != files.Paths().rend(); ++it) again.Add(*it);
  Require(again.Paths() == files.Paths());  // none twice
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = LinesOf(bytes);
  CheckStates(lines, bytes);
  CheckBraces(bytes);
  CheckCompletion(lines, bytes);
  CheckRecentFiles(bytes);
  return 0;
}
