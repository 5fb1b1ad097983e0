// mox's conversion of a 2 MB Chinese TeX source, in UTF-8 and in GBK: a
// third of its characters beyond GB 2312 (GBK's own, and Extension A in
// the UTF-8 one), the rest GB 2312 and TeX. The goal is under 0.5 s.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/text_encoding.h"
#include "tools/mox/source_converter.h"

namespace {

constexpr std::size_t kSourceBytes = 2 * 1024 * 1024;

// A line of Chinese and TeX; `extension_a` adds 㐀-range characters,
// which only a UTF-8 source can hold.
std::u16string Line(bool extension_a) {
  const std::u16string gb2312 = u"中文排版系统测试数学公式表格";
  const std::u16string gbk = u"镕堃琦旻喆昇";
  const std::u16string beyond = extension_a ? u"\u3400\u3401\u4DB5" : u"丂丄丅";
  std::u16string line;
  for (int i = 0; i < 4; ++i) line += gb2312 + u" \\emph{word} " + gbk + beyond + u"$x^2$ ";
  line += u"\n";
  return line;
}

// The encoded line repeated up to the size.
std::string Repeated(const std::string& line) {
  std::string source;
  while (source.size() + line.size() <= kSourceBytes) source += line;
  return source;
}

void Convert(benchmark::State& state, const std::string& source) {
  const mox::tool::ConversionOptions options;
  for (auto _ : state) {
    mox::tool::ConversionResult result = mox::tool::ConvertSource(source, options);
    if (!result.Problems.empty()) std::abort();
    benchmark::DoNotOptimize(result.Text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(source.size()));
  state.counters["bytes"] = static_cast<double>(source.size());
}

void Utf8Source(benchmark::State& state) {
  std::string utf8;
  std::size_t failed_at = 0;
  mox::platform::EncodeUtf8(Line(true), utf8, failed_at);
  Convert(state, Repeated(utf8));
}

void GbkSource(benchmark::State& state) {
  std::string gbk;
  std::size_t failed_at = 0;
  mox::platform::EncodeGbk(Line(false), gbk, failed_at);
  Convert(state, Repeated(gbk));
}

}  // namespace

BENCHMARK(Utf8Source)->Unit(benchmark::kMillisecond);
BENCHMARK(GbkSource)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
