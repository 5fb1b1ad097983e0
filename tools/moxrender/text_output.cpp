#include "tools/moxrender/text_output.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/console_text.h"
#include "previewer/text/copy_text.h"
#include "previewer/text/page_text.h"

namespace mox {

bool PrintPageText(ScanDocument& doc, std::FILE* out, int page, bool links) {
  std::string problem;
  const std::optional<PageText> text = ReadPageText(doc, page, &problem);
  if (!text) {
    platform::WriteConsoleText(
        stderr, "moxrender: page " + std::to_string(page + 1) + ": " + problem + "\n");
    return false;
  }
  // UTF-8 as it is, whatever the console's code page: the text is meant
  // for files and pipes.
  std::string utf8 = PlainText(*text);
  for (const PageLink& link : links ? text->Links : std::vector<PageLink>{}) {
    for (const TextBox& box : link.Rectangles) {
      utf8 += "link " + std::string(link.Internal ? "#" : "") + link.Target + " " +
              std::to_string(box.Left) + " " + std::to_string(box.Top) + " " +
              std::to_string(box.Right) + " " + std::to_string(box.Bottom) + "\n";
    }
  }
  return std::fwrite(utf8.data(), 1, utf8.size(), out) == utf8.size();
}

}  // namespace mox
