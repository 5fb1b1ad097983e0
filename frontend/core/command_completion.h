// Completion while typing: after a backslash and two letters the window
// offers the commands of the assistant's list (tex.txt) that begin with
// them, with their descriptions; after "\begin{" or "\end{" the
// environments. The list is read once from the assistant's entries: every
// control word a row holds counts (a row such as "\ifx  \else  \fi" gives
// three), a command is offered once, with the description of its first
// row (a row it begins before a row it only appears in). The environments
// are the names of the rows' \begin{...} with the arguments written after
// them, and LaTeX's standard ones the file lacks. Lines and columns are
// GBK bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/command_assistant.h"

namespace mox::varelo {

// Letters typed after the backslash before commands are offered.
inline constexpr std::size_t kCompletionLetters = 2;

enum class CompletionKind { None, Command, BeginEnvironment, EndEnvironment };

// What the caret stands in: [Start, End) of the line is replaced by the
// choice. For a command, from its backslash to the end of its letters; for
// an environment, the name in the braces and the "}" after it, if there is
// one.
struct CompletionContext {
  CompletionKind Kind = CompletionKind::None;
  std::size_t Start = 0;
  std::size_t End = 0;
  std::string Prefix;  // typed before the caret: "\se", or "ite" of "\begin{ite"
};

// The context of a caret column in a line: a control word of at least two
// letters (or an environment name, even an empty one) just before the
// caret, not in a comment, its backslash not escaped nor a trail byte.
CompletionContext FindCompletionContext(std::string_view line, std::size_t caret);

struct CompletionItem {
  std::string Command;      // "\section", or an environment's name
  std::string Description;  // from tex.txt, its padding left out
  // For a command: its text as inserted, with the empty braces its row
  // gives it ("\section{}"); for an environment, the arguments its row
  // writes after \begin{name} ("{|c|c|}").
  std::string Text;
};

// What replaces the context's [Start, End), and the caret's place in it.
struct CompletionInsertion {
  std::string Text;
  std::size_t Caret = 0;
};

class CommandCompletion {
 public:
  explicit CommandCompletion(const std::vector<AssistantEntry>& entries);

  // Those that begin with the prefix: first those of the same case, then
  // those that differ only in the case of ASCII letters, each part in
  // byte order. Nothing for a command prefix shorter than a backslash and
  // two letters.
  std::vector<CompletionItem> Offer(const CompletionContext& context) const;

  // A command: its text, the caret in its first braces or after it. An
  // environment after \begin{: the name, "}", its arguments, a blank line
  // with the caret and "\end{name}" on a line of its own, both indented as
  // `line` is; after \end{: the name and "}".
  static CompletionInsertion Insert(const CompletionContext& context, const CompletionItem& item,
                                    std::string_view line, std::string_view line_end);

  const std::vector<CompletionItem>& Commands() const { return commands_; }
  const std::vector<CompletionItem>& Environments() const { return environments_; }

 private:
  std::vector<CompletionItem> commands_;      // in byte order
  std::vector<CompletionItem> environments_;  // in byte order
};

}  // namespace mox::varelo
