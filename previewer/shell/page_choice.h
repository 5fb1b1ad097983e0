// Choosing a page by its TeX page number: the lines of the page list (one a
// page that passes the page filter, in file order), the mapping of a list
// position to a page, and the search for a typed page number. The page list
// of the print dialog is the same list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "previewer/dvi/scan_document.h"

namespace mox {

// " Page %ld" (" 第%ld页") for every selectable page, in physical order.
std::vector<std::string> PageListLines(const ScanDocument& doc);

// The page of list position k: the k-th selectable page, or -1 past the
// last one.
std::int32_t PageOfListPosition(const ScanDocument& doc, std::int32_t position);

// The list position of a page: its line, or 0 (the first line) when the
// page is not in the list.
std::int32_t ListPositionOfPage(const ScanDocument& doc, std::int32_t page);

// A decimal integer as the longest valid prefix of the text (leading white
// space and a sign allowed), 0 when there is none; saturated at the 32-bit
// limits.
std::int32_t LeadingInteger(std::string_view text);

// The TeX page numbers a text typed into the Enter page number box may
// mean, to be tried in order: the leading integer when the text starts
// with digits (after white space and a sign); for a roman numeral ("ii",
// "XIV", either case, surrounded by white space), first its negative,
// since plain TeX prints negative page numbers in roman, then the number
// itself, which LaTeX's roman page numbering keeps. Nothing for any other
// text.
std::vector<std::int32_t> TypedPageNumbers(std::string_view text);

// The page that shows TeX page number n next after `current`, searched
// cyclically over the selectable pages (wrapping from the last page to the
// first); `current` itself when no other page has the number. A current
// page that is no valid index counts as page 0.
std::int32_t NextPageNumbered(const ScanDocument& doc, std::int32_t number,
                              std::int32_t current);

}  // namespace mox
