#include "previewer/text/postscript_tokens.h"

namespace mox {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
  return IsBlank(c) || c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' ||
         c == '{' || c == '}' || c == '/' || c == '%';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A literal string from after its "(" to its matching ")", nested
// parentheses kept, escapes undone.
std::string LiteralString(std::string_view text, std::size_t& at) {
  std::string bytes;
  int depth = 1;
  while (at < text.size()) {
    const char c = text[at++];
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth == 0) return bytes;
    } else if (c == '\\' && at < text.size()) {
      const char e = text[at++];
      switch (e) {
        case 'n': bytes += '\n'; continue;
        case 'r': bytes += '\r'; continue;
        case 't': bytes += '\t'; continue;
        case 'b': bytes += '\b'; continue;
        case 'f': bytes += '\f'; continue;
        case '\n': continue;  // a line continued
        case '\r':
          if (at < text.size() && text[at] == '\n') ++at;
          continue;
        default: break;
      }
      if (e >= '0' && e <= '7') {
        int value = e - '0';
        for (int digits = 1; digits < 3 && at < text.size() && text[at] >= '0' && text[at] <= '7';
             ++digits) {
          value = value * 8 + (text[at++] - '0');
        }
        bytes += static_cast<char>(value & 0xFF);
        continue;
      }
      bytes += e;  // \\, \(, \) and any other escaped character
      continue;
    }
    bytes += c;
  }
  return bytes;
}

// A hex string from after its "<" to its ">"; an odd last digit counts as
// followed by 0, and anything but digits and blanks is passed over.
std::string HexString(std::string_view text, std::size_t& at) {
  std::string bytes;
  int high = -1;
  while (at < text.size() && text[at] != '>') {
    const int value = HexValue(text[at++]);
    if (value < 0) continue;
    if (high < 0) {
      high = value;
    } else {
      bytes += static_cast<char>(high << 4 | value);
      high = -1;
    }
  }
  if (at < text.size()) ++at;
  if (high >= 0) bytes += static_cast<char>(high << 4);
  return bytes;
}

}  // namespace

std::vector<PsToken> PostScriptTokens(std::string_view text, std::size_t limit) {
  std::vector<PsToken> tokens;
  std::size_t at = 0;
  while (at < text.size() && tokens.size() < limit) {
    const char c = text[at];
    if (IsBlank(c)) {
      ++at;
    } else if (c == '%') {  // a comment, to the end of its line
      while (at < text.size() && text[at] != '\n' && text[at] != '\r') ++at;
    } else if (c == '(') {
      ++at;
      tokens.push_back({PsTokenKind::String, LiteralString(text, at)});
    } else if (c == '<' && at + 1 < text.size() && text[at + 1] == '<') {
      at += 2;
      tokens.push_back({PsTokenKind::Open, "<<"});
    } else if (c == '>' && at + 1 < text.size() && text[at + 1] == '>') {
      at += 2;
      tokens.push_back({PsTokenKind::Close, ">>"});
    } else if (c == '<') {
      ++at;
      tokens.push_back({PsTokenKind::String, HexString(text, at)});
    } else if (c == '[' || c == '{') {
      ++at;
      tokens.push_back({PsTokenKind::Open, std::string(1, c)});
    } else if (c == ']' || c == '}') {
      ++at;
      tokens.push_back({PsTokenKind::Close, std::string(1, c)});
    } else if (c == ')' || c == '>') {
      ++at;  // a stray closing bracket: not PostScript, passed over
    } else {
      const bool name = c == '/';
      if (name) ++at;
      const std::size_t start = at;
      while (at < text.size() && !IsDelimiter(text[at])) ++at;
      tokens.push_back({name ? PsTokenKind::Name : PsTokenKind::Word,
                        std::string(text.substr(start, at - start))});
    }
  }
  return tokens;
}

}  // namespace mox
