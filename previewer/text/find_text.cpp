#include "previewer/text/find_text.h"

#include <algorithm>

#include "previewer/dvi/scan_document.h"
#include "previewer/text/text_flow.h"

namespace mox {
namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\n' || c == U'\t' || c == U'\r'; }

char32_t Folded(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

// Text as it is compared: ASCII letters in lower case, every run of blanks
// one space; `origin` keeps, for each code point, where it came from.
std::u32string Normalized(std::u32string_view text, std::vector<std::size_t>* origin) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsBlank(text[i])) {
      if (!out.empty() && out.back() == U' ') continue;
      out += U' ';
    } else {
      out += Folded(text[i]);
    }
    if (origin != nullptr) origin->push_back(i);
  }
  return out;
}

// The query without blanks at either end.
std::u32string NormalizedQuery(std::string_view utf8) {
  std::u32string query = Normalized(Utf32Of(utf8), nullptr);
  if (!query.empty() && query.front() == U' ') query.erase(0, 1);
  if (!query.empty() && query.back() == U' ') query.pop_back();
  return query;
}

std::optional<TextMatch> MatchInPage(const PageText& page, const std::u32string& query, int from) {
  if (query.empty()) return std::nullopt;
  const TextFlow flow = FlowOf(page);
  std::vector<std::size_t> origin;
  const std::u32string text = Normalized(flow.Text, &origin);
  for (std::size_t at = text.find(query); at != std::u32string::npos;
       at = text.find(query, at + 1)) {
    int first = -1;
    int last = -1;
    for (std::size_t i = at; i < at + query.size(); ++i) {
      const int character = flow.CharacterOf[origin[i]];
      if (character < 0) continue;
      if (first < 0) first = character;
      last = character;
    }
    if (first < from) continue;
    TextMatch match;
    match.First = first;
    match.Last = last;
    for (int c = first; c <= last; ++c) {
      match.Boxes.push_back(page.Characters[static_cast<std::size_t>(c)].Box);
    }
    return match;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TextMatch> FindInPage(const PageText& page, std::string_view utf8_query, int from) {
  return MatchInPage(page, NormalizedQuery(utf8_query), from);
}

std::optional<TextMatch> FindText(ScanDocument& doc, std::string_view utf8_query,
                                  TextPosition from, bool wrap) {
  const std::u32string query = NormalizedQuery(utf8_query);
  if (query.empty()) return std::nullopt;
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  const int count = static_cast<int>(pages.size());
  if (count == 0) return std::nullopt;
  const int start = std::clamp(from.Page, 0, count - 1);
  // The start page from its position, the pages after it, and with `wrap`
  // the pages before it and the start page's part before the position.
  const int steps = wrap ? count + 1 : count - start;
  for (int step = 0; step < steps; ++step) {
    const int page = (start + step) % count;
    if (!doc.IsPageSelected(pages[static_cast<std::size_t>(page)].Count0, page + 1)) continue;
    const std::optional<PageText> text = ReadPageText(doc, page);
    if (!text) continue;
    std::optional<TextMatch> match = MatchInPage(*text, query, step == 0 ? from.Character : 0);
    if (step == count && match && match->First >= from.Character) match.reset();
    if (match) {
      match->Page = page;
      return match;
    }
  }
  return std::nullopt;
}

}  // namespace mox
