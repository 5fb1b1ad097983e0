#include "previewer/shell/page_choice.h"

#include <cctype>
#include <climits>

#include "platform/text_format.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/shell_texts.h"

namespace mox {
namespace {

std::int32_t PageCount(const ScanDocument& doc) {
  return static_cast<std::int32_t>(doc.Dvi.Pages.size());
}

}  // namespace

std::vector<std::string> PageListLines(const ScanDocument& doc) {
  std::vector<std::string> lines;
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  for (std::int32_t page = 0; page < PageCount(doc); ++page) {
    if (!IsSelectablePage(doc, page)) continue;
    lines.push_back(Format(doc.Say(kPageListLine),
                           static_cast<long>(pages[static_cast<std::size_t>(page)].Count0)));
  }
  return lines;
}

std::int32_t PageOfListPosition(const ScanDocument& doc, std::int32_t position) {
  if (position < 0) return -1;
  std::int32_t page = FirstSelectablePage(doc);
  for (std::int32_t k = 0; k < position && page >= 0; ++k) page = NextSelectablePage(doc, page);
  return page;
}

std::int32_t ListPositionOfPage(const ScanDocument& doc, std::int32_t page) {
  if (!IsSelectablePage(doc, page)) return 0;
  std::int32_t position = 0;
  for (std::int32_t p = 0; p < page; ++p) position += IsSelectablePage(doc, p) ? 1 : 0;
  return position;
}

std::int32_t LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT32_MAX) + 1) value = static_cast<long long>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<std::int32_t>(value);
}

std::int32_t NextPageNumbered(const ScanDocument& doc, std::int32_t number,
                              std::int32_t current) {
  const std::int32_t count = PageCount(doc);
  if (count == 0) return current;
  const std::int32_t start = current >= 0 && current < count ? current : 0;
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  for (std::int32_t i = (start + 1) % count; i != start; i = (i + 1) % count) {
    if (IsSelectablePage(doc, i) && pages[static_cast<std::size_t>(i)].Count0 == number) return i;
  }
  return start;
}

}  // namespace mox
