#include "frontend/core/command_completion.h"

#include <algorithm>
#include <array>
#include <map>

#include "frontend/core/data_line.h"
#include "frontend/core/gbk_chars.h"

namespace mox::varelo {
namespace {

// tex.txt's stand-in for a name of the user's own (\def\name{}): no
// command of TeX's.
constexpr std::string_view kPlaceholder = "\\name";

struct Described {
  std::string_view Name;
  std::string_view Description;
};

// \begin and \end open and close every environment: their first rows
// (\begin{document}) would describe them wrongly.
constexpr std::array<Described, 2> kEnvironmentCommands = {{
    {"\\begin", "环境开始"},
    {"\\end", "环境结束"},
}};

// LaTeX's standard environments, offered when tex.txt has no row of them.
constexpr std::array<Described, 33> kStandardEnvironments = {{
    {"abstract", "摘要"}, {"array", "数组"}, {"center", "居中"},
    {"description", "描述罗列"}, {"displaymath", "显示公式"}, {"document", "正文"},
    {"enumerate", "编号罗列"}, {"eqnarray", "多行公式"}, {"eqnarray*", "不编号多行公式"},
    {"equation", "编号公式"}, {"figure", "插图"}, {"figure*", "双栏插图"},
    {"filecontents", "写出文件"}, {"flushleft", "左对齐"}, {"flushright", "右对齐"},
    {"itemize", "无编号罗列"}, {"letter", "信件"}, {"list", "列表"},
    {"math", "行内公式"}, {"minipage", "小页"}, {"picture", "作图"},
    {"quotation", "长引文"}, {"quote", "引文"}, {"tabbing", "制表"},
    {"table", "表格环境"}, {"table*", "双栏表格"}, {"tabular", "表格"},
    {"tabular*", "定宽表格"}, {"thebibliography", "参考文献"}, {"titlepage", "标题页"},
    {"verbatim", "抄录"}, {"verbatim*", "抄录带空格"}, {"verse", "诗歌"},
}};

bool IsNameByte(char c) { return IsAsciiLetter(c) || c == '*'; }

// The end of the balanced group that opens at `at` ({...}, [...] or
// (...)), or npos.
std::size_t GroupEnd(std::string_view text, std::size_t at) {
  const char close = text[at] == '{' ? '}' : text[at] == '[' ? ']' : ')';
  std::size_t braces = 0;  // groups inside it
  for (std::size_t i = at + 1; i < text.size();) {
    const char c = text[i];
    if (c == close && braces == 0) return i + 1;
    if (c == '{') ++braces;
    if (c == '}' && braces > 0) --braces;
    // A backslash escapes the character after it.
    if (c == '\\' && i + 1 < text.size()) ++i;
    i += GbkCharLength(text, i);
  }
  return std::string_view::npos;
}

// The groups written right after a command or an environment's name.
std::string_view ArgumentsAt(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && (text[end] == '{' || text[end] == '[' || text[end] == '(')) {
    const std::size_t group = GroupEnd(text, end);
    if (group == std::string_view::npos) break;
    end = group;
  }
  return text.substr(at, end - at);
}

// Arguments with nothing written in them, which a command inserted gets.
bool AreEmpty(std::string_view arguments) {
  if (arguments.empty() || arguments.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < arguments.size(); i += 2) {
    const std::string_view pair = arguments.substr(i, 2);
    if (pair != "{}" && pair != "[]") return false;
  }
  return true;
}

bool BeginsWith(std::string_view text, std::string_view prefix, bool match_case) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char a = text[i];
    char b = prefix[i];
    if (!match_case && IsAsciiLetter(a) && IsAsciiLetter(b)) {
      a = static_cast<char>(a | 0x20);
      b = static_cast<char>(b | 0x20);
    }
    if (a != b) return false;
  }
  return true;
}

// The control words of a row's text, each with where it ends.
struct Word {
  std::string_view Name;  // with its backslash
  std::size_t End;
};

std::vector<Word> WordsOf(std::string_view text) {
  std::vector<Word> words;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] != '\\') {
      at += GbkCharLength(text, at);
      continue;
    }
    std::size_t end = at + 1;
    while (end < text.size() && IsAsciiLetter(text[end])) ++end;
    if (end > at + 1) {
      words.push_back({text.substr(at, end - at), end});
      at = end;
    } else {
      at = end < text.size() ? end + GbkCharLength(text, end) : end;
    }
  }
  return words;
}

}  // namespace

CompletionContext FindCompletionContext(std::string_view line, std::size_t caret) {
  if (caret > line.size()) return {};
  for (std::size_t at = 0; at < caret;) {
    const char c = line[at];
    if (c == '%') return {};
    if (c != '\\') {
      at += GbkCharLength(line, at);
      continue;
    }
    const std::size_t start = at++;
    if (at == line.size()) break;
    if (!IsAsciiLetter(line[at])) {
      at += GbkCharLength(line, at);  // a control symbol, \\ and \% among them
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && IsAsciiLetter(line[end])) ++end;
    if (caret <= end) {
      if (caret - start - 1 < kCompletionLetters) return {};
      return {CompletionKind::Command, start, end, std::string(line.substr(start, caret - start))};
    }
    const std::string_view word = line.substr(start + 1, end - start - 1);
    if ((word == "begin" || word == "end") && end < line.size() && line[end] == '{') {
      const std::size_t name = end + 1;
      std::size_t name_end = name;
      while (name_end < line.size() && IsNameByte(line[name_end])) ++name_end;
      if (caret >= name && caret <= name_end) {
        const std::size_t replaced =
            name_end < line.size() && line[name_end] == '}' ? name_end + 1 : name_end;
        return {word == "begin" ? CompletionKind::BeginEnvironment : CompletionKind::EndEnvironment,
                name, replaced, std::string(line.substr(name, caret - name))};
      }
    }
    at = end;
  }
  return {};
}

CommandCompletion::CommandCompletion(const std::vector<AssistantEntry>& entries) {
  std::map<std::string, CompletionItem, std::less<>> commands;
  std::map<std::string, CompletionItem, std::less<>> environments;
  for (const Described& command : kEnvironmentCommands) {
    const std::string name(command.Name);
    commands[name] = {name, std::string(command.Description), name + "{}"};
  }
  // Rows a command begins first, then the rows it is only part of.
  for (const bool leading : {true, false}) {
    for (const AssistantEntry& entry : entries) {
      const std::string_view text = WithoutTrailingSpaces(entry.Text);
      const std::string description(WithoutTrailingSpaces(entry.Description));
      const std::size_t first = text.find_first_not_of(' ');
      for (const Word& word : WordsOf(text)) {
        if (leading && word.End - word.Name.size() != first) break;
        if (word.Name != kPlaceholder && !commands.contains(word.Name)) {
          const std::string_view arguments = ArgumentsAt(text, word.End);
          const bool empty = AreEmpty(arguments) && word.End + arguments.size() == text.size();
          std::string name(word.Name);
          commands[name] = {name, description, name + std::string(empty ? arguments : "")};
        }
        if (leading || word.Name != "\\begin" || word.End == text.size() || text[word.End] != '{') {
          continue;
        }
        std::size_t name_end = word.End + 1;
        while (name_end < text.size() && IsNameByte(text[name_end])) ++name_end;
        const std::string name(text.substr(word.End + 1, name_end - word.End - 1));
        if (name.empty() || name_end == text.size() || text[name_end] != '}') continue;
        if (!environments.contains(name)) {
          environments[name] = {name, description, std::string(ArgumentsAt(text, name_end + 1))};
        }
      }
    }
  }
  for (const Described& environment : kStandardEnvironments) {
    const std::string name(environment.Name);
    if (!environments.contains(name))
      environments[name] = {name, std::string(environment.Description), ""};
  }
  for (auto& [name, item] : commands) commands_.push_back(std::move(item));
  for (auto& [name, item] : environments) environments_.push_back(std::move(item));
}

std::vector<CompletionItem> CommandCompletion::Offer(const CompletionContext& context) const {
  std::vector<CompletionItem> offered;
  const std::vector<CompletionItem>* items = &environments_;
  if (context.Kind == CompletionKind::None) return offered;
  if (context.Kind == CompletionKind::Command) {
    if (context.Prefix.size() < 1 + kCompletionLetters || context.Prefix[0] != '\\') return offered;
    items = &commands_;
  }
  for (const bool match_case : {true, false}) {
    for (const CompletionItem& item : *items) {
      if (BeginsWith(item.Command, context.Prefix, match_case) &&
          (match_case || !BeginsWith(item.Command, context.Prefix, true))) {
        offered.push_back(item);
      }
    }
  }
  return offered;
}

CompletionInsertion CommandCompletion::Insert(const CompletionContext& context,
                                              const CompletionItem& item, std::string_view line,
                                              std::string_view line_end) {
  CompletionInsertion insertion;
  switch (context.Kind) {
    case CompletionKind::Command: {
      insertion.Text = item.Text;
      const std::size_t brace = item.Text.find_first_of("{[", item.Command.size());
      insertion.Caret = brace == std::string::npos ? item.Text.size() : brace + 1;
      break;
    }
    case CompletionKind::BeginEnvironment: {
      const std::string indent(
          line.substr(0, std::min(line.find_first_not_of(" \t"), line.size())));
      insertion.Text = item.Command + "}" + item.Text;
      insertion.Text.append(line_end).append(indent);
      insertion.Caret = insertion.Text.size();
      insertion.Text.append(line_end).append(indent);
      insertion.Text += "\\end{" + item.Command + "}";
      break;
    }
    case CompletionKind::EndEnvironment:
      insertion.Text = item.Command + "}";
      insertion.Caret = insertion.Text.size();
      break;
    case CompletionKind::None:
      break;
  }
  return insertion;
}

}  // namespace mox::varelo
