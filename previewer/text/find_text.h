// Finding text in a document, page by page: the next place after a
// position where a query's text stands, with the boxes of its characters.
// ASCII letters match without regard to case; a run of blanks in the
// query matches any run of spaces and line breaks of the text, so that a
// phrase is found across the end of a line.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "previewer/text/page_text.h"

namespace mox {

struct ScanDocument;

// A place in a document: a page (index in the page index) and a character
// of its text (index in PageText::Characters).
struct TextPosition {
  int Page = 0;
  int Character = 0;
};

struct TextMatch {
  int Page = 0;
  int First = 0;              // the matched characters: [First, Last]
  int Last = 0;
  std::vector<TextBox> Boxes; // each matched character's, in order
};

// The first match in a page's text that begins at character `from` or
// later; nothing for none, or for a query of nothing but blanks.
std::optional<TextMatch> FindInPage(const PageText& page, std::string_view utf8_query, int from);

// The first match at `from` or after it: on from's page from its
// character on, then on the selected pages after it; with `wrap`, then
// from the first selected page on to where the search began. Pages that
// cannot be read are passed over.
std::optional<TextMatch> FindText(ScanDocument& doc, std::string_view utf8_query,
                                  TextPosition from, bool wrap);

}  // namespace mox
