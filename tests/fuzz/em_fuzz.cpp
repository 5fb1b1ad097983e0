// Any text as an em: special, at any resolution. The input's first line
// holds the pixels per inch (as strtod reads it, so "nan", "inf", "-0" and
// "1e-320" are all there) and the magnification in thousandths; the rest is
// the text after "em:" (without a line break the whole input is, at 600 dpi
// and 1000). Parsing must give a known command with sane fields or -1, and
// the item's width units must stay within their 24 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "previewer/dvi/em_graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  double pixels_per_inch = 600.0;
  std::uint32_t magnification = 1000;
  if (const std::size_t end = text.find('\n'); end != std::string_view::npos) {
    const std::string first(text.substr(0, end));
    char* rest = nullptr;
    pixels_per_inch = std::strtod(first.c_str(), &rest);
    magnification = static_cast<std::uint32_t>(std::strtoul(rest, nullptr, 10));
    text.remove_prefix(end + 1);
  }

  mox::EmCommand command;
  const int code = mox::ParseEm(text, pixels_per_inch, command);
  if (code < -1 || code > mox::EmLineTo) std::abort();
  const bool cuts_known = command.Cut1 >= mox::EmCutH && command.Cut1 <= mox::EmCutP &&
                          command.Cut2 >= mox::EmCutH && command.Cut2 <= mox::EmCutP;
  if (!cuts_known || command.WidthInches < 0.0) std::abort();
  // The scanner stores the width at the resolution it parsed with.
  if (mox::EmWidthUnits(command.WidthInches, pixels_per_inch, magnification) > 0xFFFFFFu) {
    std::abort();
  }
  return 0;
}
