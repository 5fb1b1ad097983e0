#include "previewer/shell/page_navigation.h"

#include "platform/text_format.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/startup/page_selection.h"
#include "previewer/render/process_document.h"

namespace mox {
namespace {

std::int32_t PageCount() { return static_cast<std::int32_t>(Document().Pages.size()); }

}  // namespace

bool IsSelectablePage(std::int32_t page) {
  if (page < 0 || page >= PageCount()) return false;
  return IsPageSelected(Document().Pages[static_cast<std::size_t>(page)].Count0, page + 1);
}

std::int32_t FirstSelectablePage() { return NextSelectablePage(-1); }

std::int32_t PreviousSelectablePage(std::int32_t page) {
  if (page > PageCount()) page = PageCount();
  for (std::int32_t i = page - 1; i >= 0; --i) {
    if (IsSelectablePage(i)) return i;
  }
  return -1;
}

std::int32_t NextSelectablePage(std::int32_t page) {
  if (page < -1) page = -1;
  for (std::int32_t i = page + 1; i < PageCount(); ++i) {
    if (IsSelectablePage(i)) return i;
  }
  return -1;
}

std::string PageTitle(const std::string& document_name, std::int32_t page) {
  if (document_name.empty() || page < 0 || page >= PageCount()) return ProgramTitle();
  const std::size_t separator = FindLastOfGbk(document_name, "/\\:");
  const std::string base =
      separator == std::string::npos ? document_name : document_name.substr(separator + 1);
  const long count0 = Document().Pages[static_cast<std::size_t>(page)].Count0;
  return Format(Tr("%s - 第%ld页", "%s - Page %ld"), base.c_str(), count0);
}

}  // namespace mox
