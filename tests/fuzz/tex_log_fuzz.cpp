// Any bytes as a TeX log and as mox's messages file, which the editor reads
// after every run: the rows must be whole (a line range never runs
// backwards, an error's context is TeX's two lines), the logical lines must
// begin in order on the log's physical lines, and nothing may crash or hang
// whatever the parentheses, ^^ forms and line lengths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "frontend/core/mox_messages.h"
#include "frontend/core/tex_log.h"
#include "frontend/core/tex_log_lines.h"
#include "frontend/core/tex_log_place.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckRows(const std::vector<mox::varelo::LogRow>& rows) {
  for (const mox::varelo::LogRow& row : rows) {
    Require(row.Line >= 0 && row.Column >= 0);
    Require(row.Line == 0 ? row.LastLine == 0 : row.LastLine >= row.Line);
    Require(row.Context.size() <= 2);
    Require(row.Message.find('\n') == std::string::npos);
    mox::varelo::LogFilePath(row.File, "C:\\work");
    mox::varelo::LogRelativeName(row.File);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const mox::varelo::LogLines lines = mox::varelo::SplitTexLog(bytes);
  std::size_t number = 0;
  for (const mox::varelo::LogLine& line : lines.Lines) {
    Require(line.Number > number);
    number = line.Number;
    for (const std::size_t join : line.Joins) Require(join <= line.Text.size());
  }
  for (const bool gbk : {true, false}) {
    mox::varelo::TexLogOptions options;
    options.Gbk = gbk;
    // Some names "exist", so that the names broken at a line's end are tried.
    options.Exists = [](const std::string& name) { return name.size() % 3 == 0; };
    const mox::varelo::TexLog log = mox::varelo::ParseTexLog(bytes, options);
    CheckRows(log.Rows);
    Require(log.Pages >= -1);
  }
  CheckRows(mox::varelo::ParseMoxMessages(bytes));
  return 0;
}
