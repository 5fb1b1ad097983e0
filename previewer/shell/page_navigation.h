// Which pages of the open document the view may show: those that pass the
// page filter (ranges, parity, numbering), found forwards or backwards from
// a page; and the caption that names the page shown.
#pragma once

#include <cstdint>
#include <string>

#include "previewer/dvi/scan_document.h"

namespace mox {

// Whether physical page i (0-based) exists and passes the filter.
bool IsSelectablePage(const ScanDocument& doc, std::int32_t page);

// The first selectable page, or -1.
std::int32_t FirstSelectablePage(const ScanDocument& doc);
// The nearest selectable page before / after `page`, or -1 (no wrap-around).
std::int32_t PreviousSelectablePage(const ScanDocument& doc, std::int32_t page);
std::int32_t NextSelectablePage(const ScanDocument& doc, std::int32_t page);

// "%s - Page %ld" with the document's base name and the \count0 of the page;
// the program title when there is no name or no page.
std::string PageTitle(const ScanDocument& doc, const std::string& document_name,
                      std::int32_t page);

}  // namespace mox
