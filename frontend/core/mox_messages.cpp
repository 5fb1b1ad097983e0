#include "frontend/core/mox_messages.h"

#include <optional>

#include "frontend/core/frame_files.h"
#include "frontend/core/program_start.h"

namespace mox::varelo {
namespace {

// The number of digits at `at` (1 to 9, so that it fits a line), or none.
std::optional<std::int32_t> Number(std::string_view text, std::size_t& at) {
  std::int32_t value = 0;
  const std::size_t start = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 9) {
    value = value * 10 + (text[at++] - '0');
  }
  if (at == start || (at < text.size() && text[at] >= '0' && text[at] <= '9')) return std::nullopt;
  return value;
}

// "file:line:column: message": the first ":" followed by two numbers and
// ": " ends the file's name (a drive's colon is followed by no number).
LogRow RowOf(std::string_view line) {
  LogRow row;
  row.Kind = LogRowKind::Error;
  for (std::size_t colon = line.find(':', 1); colon != std::string_view::npos;
       colon = line.find(':', colon + 1)) {
    std::size_t at = colon + 1;
    const std::optional<std::int32_t> number = Number(line, at);
    if (!number || at >= line.size() || line[at] != ':') continue;
    ++at;
    const std::optional<std::int32_t> column = Number(line, at);
    if (!column || line.substr(at, 2) != ": ") continue;
    row.File = std::string(line.substr(0, colon));
    row.Line = row.LastLine = *number;
    row.Column = *column;
    row.Message = std::string(line.substr(at + 2));
    return row;
  }
  row.Message = std::string(line);
  return row;
}

}  // namespace

std::string MoxMessageFileOf(const std::string& path) {
  const std::string folder = FolderPartOf(path);
  const std::string base = BaseNameOf(path) + kMoxMessageExtension;
  return folder.empty() ? base : JoinPath(folder, base);
}

std::vector<LogRow> ParseMoxMessages(std::string_view bytes) {
  std::vector<LogRow> rows;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) rows.push_back(RowOf(line));
  }
  return rows;
}

}  // namespace mox::varelo
