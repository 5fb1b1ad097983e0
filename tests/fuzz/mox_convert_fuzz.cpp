// Any bytes as a Chinese TeX source for mox: the conversion never fails,
// names problems only at lines and columns the source has, and without
// problems keeps the source's line count and writes only ASCII for what it
// converts (every
// character above 127 outside a comment becomes a macro of numbers).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/mox/source_converter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  for (const bool mer2dvi : {false, true}) {
    mox::tool::ConversionOptions options;
    options.Mer2Dvi = mer2dvi;
    const mox::tool::ConversionResult result = mox::tool::ConvertSource(source, options);
    const auto lines = static_cast<std::size_t>(std::count(source.begin(), source.end(), '\n'));
    for (const mox::tool::SourceProblem& problem : result.Problems) {
      if (problem.Line < 1 || problem.Line > lines + 1 || problem.Column < 1 ||
          problem.Column > size) {
        std::abort();
      }
    }
    // With problems nothing is written: the text means nothing.
    if (!result.Problems.empty()) continue;
    if (static_cast<std::size_t>(std::count(result.Text.begin(), result.Text.end(), '\n')) != lines) {
      std::abort();
    }
    // Outside comments the text is ASCII: a "%" that starts one (not
    // escaped) lets the rest of its line through as it was.
    std::size_t at = 0;
    while (at < result.Text.size()) {
      const std::size_t end = std::min(result.Text.find('\n', at), result.Text.size());
      std::size_t backslashes = 0;
      for (std::size_t i = at; i < end; ++i) {
        const char c = result.Text[i];
        if (c == '%' && backslashes % 2 == 0) break;
        if (static_cast<unsigned char>(c) > 127) std::abort();
        backslashes = c == '\\' ? backslashes + 1 : 0;
      }
      at = end + 1;
    }
  }
  return 0;
}
