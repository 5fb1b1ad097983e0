// moxrender: opens a document the way the previewer does (reading it,
// pre-scanning it and loading its glyphs) and shows what is inside: its
// header, page index and fonts (--info), the page items of its pages
// (--items) or their text as UTF-8 (--text, pages parted by a form feed),
// or draws them as PNG files (the default; --out names them, --null draws
// without writing). The previewer's options work as they do
// there: -Z the zoom, -R the resolution, -^ the gamma, -B the margins.
//
// Exit status: 0 done, 1 the document could not be opened or a page could
// not be scanned, drawn or written, 2 an invalid option.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/console_text.h"
#include "platform/text_format.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/face_table.h"
#include "previewer/fonts/load_run.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/render/page_renderer.h"
#include "previewer/render/preview_document.h"
#include "previewer/startup/box_reporter.h"
#include "tools/moxrender/console_user_interface.h"
#include "tools/moxrender/document_report.h"
#include "tools/moxrender/page_pictures.h"
#include "tools/moxrender/png_output.h"
#include "tools/moxrender/text_output.h"
#include "tools/moxrender/tool_arguments.h"


namespace mox {
namespace {

// The 0-based pages to print: those asked for, or every selected page.
std::vector<int> PagesToShow(const PreviewDocument& doc, const ToolArguments& tool) {
  std::vector<int> pages;
  const DviDocument& document = doc.Dvi;
  if (!tool.Pages.empty()) {
    for (int page : tool.Pages) pages.push_back(page - 1);
    return pages;
  }
  for (std::size_t i = 0; i < document.Pages.size(); ++i) {
    if (doc.IsPageSelected(document.Pages[i].Count0, static_cast<std::int32_t>(i + 1))) {
      pages.push_back(static_cast<int>(i));
    }
  }
  return pages;
}

// The zoom of -Z; fitting to a window means nothing here, so it is 1:1.
double PictureZoom(const Options& options) {
  const double zoom = options.InitialZoom;
  return zoom > 0.0 ? std::clamp(zoom, 0.05, 1.0) : 1.0;
}

// The default pattern: the document's base name, the page number, ".png".
std::string DefaultPattern(const Options& options) {
  std::string name = options.DocumentName;
  const std::size_t separator = FindLastOfGbk(name, "/\\:");
  if (separator != std::string::npos) name = name.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name = name.substr(0, dot);
  return name + "-%d.png";
}

// Takes the bands and keeps nothing: --null draws without writing.
class NullDevice final : public RenderDevice {
 public:
  int ColourCount() const override { return -1; }
  void CopyBand(const BandImage&, int, int, int) override {}
  void DrawFrame(int, int, int, int) override {}
};

bool DrawOnePage(PreviewDocument& doc, const ToolArguments& tool, int page, bool several) {
  const double zoom = PictureZoom(doc.Settings);
  const PictureGeometry geometry = PictureGeometryAt(doc, zoom);
  if (!PictureFits(geometry)) {
    std::fprintf(stderr,
                 "moxrender: page %d is too large to draw: %d by %d pixels (at most %d a side "
                 "and %lld in all)\n",
                 page + 1, geometry.Width, geometry.Height, kMaxPictureSide, kMaxPicturePixels);
    return false;
  }
  if (tool.Null) {
    NullDevice device;
    return DrawPicture(doc, device, geometry, zoom, tool.LeaveOutFrame);
  }
  const std::string pattern =
      tool.OutPattern.empty() ? DefaultPattern(doc.Settings) : tool.OutPattern;
  return WritePagePng(doc, PictureFileName(pattern, page + 1, several), geometry, zoom,
                      tool.LeaveOutFrame);
}

int Run(const std::vector<std::string>& arguments) {
  const std::optional<ToolArguments> tool = SplitToolArguments(arguments);
  if (!tool) return 2;
  ConsoleUserInterface ui(tool->Verbose, tool->Strict);
  platform::SetUi(&ui);

  Options options;
  if (std::optional<std::string> error = ReadOptions(tool->Rest, options)) {
    platform::WriteConsoleText(stderr, *error + "\n");
    return 2;
  }
  // The boxes go to standard error through the console interface.
  BoxReporter report(options.Lang);
  const std::string name = options.DocumentName;
  if (name.empty()) {
    std::fprintf(stderr,
                 "usage: moxrender [--info | --items | --text | --links | --out PATTERN | --null]\n"
                 "                 [--page N]... [--no-frame] [--verbose] [--strict]\n"
                 "                 [previewer options] FILE\n");
    return 2;
  }
  // The face table beside the program says which ziti TrueType faces serve.
  PreviewDocument doc(report, options);
  LoadFaceTable(doc.Faces, FaceTableFileName(options.ProgramPath));
  if (OpenDviFile(doc, name) != 0 || PreScan(doc) != 0 || LoadFonts(doc) != 0) return 1;
  doc.SelectPages(options.PageSelectionText);
  if (tool->Info) PrintDocumentInfo(doc, stdout);
  const bool draw = !tool->Info && !tool->Items && !tool->Text;
  const std::vector<int> pages = PagesToShow(doc, *tool);
  if (tool->Items || tool->Text || draw) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const int page = pages[i];
      if (page < 0 || static_cast<std::size_t>(page) >= doc.Dvi.Pages.size()) {
        std::fprintf(stderr, "moxrender: the document has no page %d\n", page + 1);
        return 1;
      }
      if (tool->Text) {
        if (i > 0) std::fputs("\f", stdout);
        if (!PrintPageText(doc, stdout, page, tool->Links)) return 1;
        continue;
      }
      if (ScanPage(doc, page) != 0) return 1;
      if (tool->Items) PrintPageItems(doc, stdout, page);
      if (draw && !DrawOnePage(doc, *tool, page, pages.size() > 1)) return 1;
    }
  }
  CloseDviFile(doc);
  return 0;
}

}  // namespace
}  // namespace mox

int main(int argc, char** argv) {
  const int status = mox::Run(mox::platform::CommandLineArguments(argc, argv));
  mox::platform::SetUi(nullptr);
  return status;
}
