// moxrender: opens a document the way the previewer does and shows what is
// inside: its header, page index and fonts (--info) or the page items of its
// pages (--items). The previewer's options work as they do there.
//
// Exit status: 0 done, 1 the document could not be opened or a page could
// not be scanned, 2 an invalid option.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/console_text.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "tools/moxrender/console_user_interface.h"
#include "tools/moxrender/document_report.h"
#include "tools/moxrender/tool_arguments.h"

#ifdef _WIN32
#include "platform/win32/arguments.h"
#endif

namespace mox {
namespace {

std::vector<std::string> CommandLine(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  return platform::ProgramArguments();
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

// The 0-based pages to print: those asked for, or every selected page.
std::vector<int> PagesToShow(const ToolArguments& tool) {
  std::vector<int> pages;
  const DviDocument& document = Document();
  if (!tool.Pages.empty()) {
    for (int page : tool.Pages) pages.push_back(page - 1);
    return pages;
  }
  for (std::size_t i = 0; i < document.Pages.size(); ++i) {
    if (IsPageSelected(document.Pages[i].Count0, static_cast<std::int32_t>(i + 1))) {
      pages.push_back(static_cast<int>(i));
    }
  }
  return pages;
}

int Run(const std::vector<std::string>& arguments) {
  const std::optional<ToolArguments> tool = SplitToolArguments(arguments);
  if (!tool) return 2;
  ConsoleUserInterface ui(tool->Verbose, tool->Strict);
  platform::SetUi(&ui);

  if (std::optional<std::string> error = ReadOptions(tool->Rest)) {
    platform::WriteConsoleText(stderr, *error + "\n");
    return 2;
  }
  const std::string& name = CurrentOptions().DocumentName;
  if (name.empty()) {
    std::fprintf(stderr, "usage: moxrender --info|--items [--page N]... [--verbose] [--strict] "
                         "[previewer options] FILE\n");
    return 2;
  }
  if (OpenDviFile(name) != 0 || PreScan() != 0) return 1;
  ParsePageRanges(CurrentOptions().PageSelectionText);
  if (tool->Info) PrintDocumentInfo(stdout);
  if (tool->Items) {
    for (int page : PagesToShow(*tool)) {
      if (page < 0 || static_cast<std::size_t>(page) >= Document().Pages.size()) {
        std::fprintf(stderr, "moxrender: the document has no page %d\n", page + 1);
        return 1;
      }
      if (ScanPage(page) != 0) return 1;
      PrintPageItems(stdout, page);
    }
  }
  CloseDviFile();
  return 0;
}

}  // namespace
}  // namespace mox

int main(int argc, char** argv) {
  const int status = mox::Run(mox::CommandLine(argc, argv));
  mox::platform::SetUi(nullptr);
  return status;
}
