#include "previewer/startup/option_tokens.h"

#include <algorithm>

#include "previewer/startup/number_syntax.h"

namespace mox {

std::vector<std::string> SplitOptionTokens(std::string_view text) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsOptionSpace(text[i])) {
      ++i;
      continue;
    }
    // White space inside double quotes belongs to the token (a path such as
    // -P"C:\Program Files\MOX\PIXEL\DPI$d"); the quotes stay in it.
    std::size_t end = i;
    bool quoted = false;
    while (end < text.size() && (quoted || !IsOptionSpace(text[end]))) {
      if (text[end] == '"') quoted = !quoted;
      ++end;
    }
    end = std::min(end, i + kOptionTokenLimit);
    tokens.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return tokens;
}

bool ReadOptionLine(std::FILE* file, std::string& piece) {
  piece.clear();
  std::size_t bytes_read = 0;
  bool after_nul = false;
  while (bytes_read < kOptionLineLimit) {
    const int c = std::fgetc(file);
    if (c == EOF) break;
    ++bytes_read;
    if (c == '\0') after_nul = true;
    if (!after_nul) piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return bytes_read > 0;
}

}  // namespace mox
