#include "previewer/shell/page_navigation.h"

#include "platform/text_format.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/startup/page_selection.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

std::int32_t PageCount(const ScanDocument& doc) {
  return static_cast<std::int32_t>(doc.Dvi.Pages.size());
}

}  // namespace

bool IsSelectablePage(const ScanDocument& doc, std::int32_t page) {
  if (page < 0 || page >= PageCount(doc)) return false;
  return doc.IsPageSelected(doc.Dvi.Pages[static_cast<std::size_t>(page)].Count0, page + 1);
}

std::int32_t FirstSelectablePage(const ScanDocument& doc) { return NextSelectablePage(doc, -1); }

std::int32_t PreviousSelectablePage(const ScanDocument& doc, std::int32_t page) {
  if (page > PageCount(doc)) page = PageCount(doc);
  for (std::int32_t i = page - 1; i >= 0; --i) {
    if (IsSelectablePage(doc, i)) return i;
  }
  return -1;
}

std::int32_t NextSelectablePage(const ScanDocument& doc, std::int32_t page) {
  if (page < -1) page = -1;
  for (std::int32_t i = page + 1; i < PageCount(doc); ++i) {
    if (IsSelectablePage(doc, i)) return i;
  }
  return -1;
}

std::string PageTitle(const ScanDocument& doc, const std::string& document_name,
                      std::int32_t page) {
  if (document_name.empty() || page < 0 || page >= PageCount(doc)) return doc.Say(kProgramTitle);
  const std::size_t separator = FindLastOfGbk(document_name, "/\\:");
  const std::string base =
      separator == std::string::npos ? document_name : document_name.substr(separator + 1);
  const long count0 = doc.Dvi.Pages[static_cast<std::size_t>(page)].Count0;
  return Format(doc.Say(kPageTitle), base.c_str(), count0);
}

}  // namespace mox
