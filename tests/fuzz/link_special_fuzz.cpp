// Any text as hyperref's link specials, a line each, put together as the
// page reader does at positions moving down the page, with a character's
// box after each. The tokens of a special stay within their limit and its
// bytes, a corner's raise is finite, and every rectangle of a link from
// the dvips driver's marks has a positive area.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "previewer/base/document.h"
#include "previewer/text/link_collector.h"
#include "previewer/text/link_specials.h"
#include "previewer/text/postscript_tokens.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  mox::DviDocument document;
  document.Num = 25400000;
  document.Den = 473628672;
  document.ConversionX = document.ConversionY = 600.0 / 72.27 / 65536.0;
  mox::PageText page;
  mox::LinkCollector links(document, page);
  std::int32_t v = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view special = text.substr(start, end - start);
    const auto tokens = mox::PostScriptTokens(special, 64);
    Check(tokens.size() <= 64);
    std::size_t bytes = 0;
    for (const mox::PsToken& token : tokens) bytes += token.Text.size();
    Check(bytes <= special.size());
    if (const auto link = mox::ParseLinkSpecial(special)) {
      Check(std::isfinite(link->RaisePoints));
      const std::size_t before = page.Links.size();
      links.Mark(*link, static_cast<std::int32_t>(start * 1000), v);
      if (link->Kind == mox::LinkSpecialKind::Annotation && page.Links.size() > before) {
        Check(!page.Links.back().Rectangles.front().Empty());
      }
    }
    const std::int32_t x = static_cast<std::int32_t>(start % 4096);
    links.Ink({x, static_cast<std::int32_t>(v / 65536), x + 10, static_cast<std::int32_t>(v / 65536) + 8},
              v, 655360);
    v += 65536 * static_cast<std::int32_t>(special.size() % 17);
    start = end + 1;
  }
  return 0;
}
