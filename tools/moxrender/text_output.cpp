#include "tools/moxrender/text_output.h"

#include <optional>
#include <string>

#include "platform/console_text.h"
#include "previewer/text/copy_text.h"
#include "previewer/text/page_text.h"

namespace mox {

bool PrintPageText(ScanDocument& doc, std::FILE* out, int page) {
  std::string problem;
  const std::optional<PageText> text = ReadPageText(doc, page, &problem);
  if (!text) {
    platform::WriteConsoleText(
        stderr, "moxrender: page " + std::to_string(page + 1) + ": " + problem + "\n");
    return false;
  }
  // UTF-8 as it is, whatever the console's code page: the text is meant
  // for files and pipes.
  const std::string utf8 = PlainText(*text);
  return std::fwrite(utf8.data(), 1, utf8.size(), out) == utf8.size();
}

}  // namespace mox
