#include "frontend/core/build_panel.h"


namespace mox::varelo {
namespace {

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string_view KindName(LogRowKind kind) {
  switch (kind) {
    case LogRowKind::Error: return "错误";
    case LogRowKind::Warning: return "警告";
    case LogRowKind::Badbox: return "坏盒";
  }
  return "";
}

}  // namespace

bool RunnerCommandBuilds(std::string_view command) {
  std::string upper;
  for (char c : command) upper.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
  return upper == "MOX" || upper.find("TEX") != std::string::npos;
}

std::string RowText(const LogRow& row) {
  std::string text(KindName(row.Kind));
  text += "  ";
  std::string where = row.File.empty() ? std::string() : LogRelativeName(row.File);
  if (row.Line > 0) {
    where += (where.empty() ? "第 " : ":") + std::to_string(row.Line);
    if (row.LastLine > row.Line) where += "-" + std::to_string(row.LastLine);
    if (row.File.empty()) where += " 行";
  }
  if (!where.empty()) text += where + "  ";
  text += row.Message;
  return text;
}

std::string BuildSummary(const BuildMessages& messages) {
  const TexLog& log = messages.Log;
  std::string summary;
  const auto count = [&](LogRowKind kind, const char* name) {
    const std::size_t n = log.Count(kind);
    if (n == 0) return;
    if (!summary.empty()) summary += ", ";
    summary += std::to_string(n) + " 个" + name;
  };
  count(LogRowKind::Error, "错误");
  count(LogRowKind::Warning, "警告");
  count(LogRowKind::Badbox, "坏盒");
  if (!summary.empty()) summary += ", ";
  if (!messages.LogRead) {
    summary += "没有 TeX 的记录文件 " + FileNameOf(messages.LogFile) + ", 没有写出 DVI 文件";
  } else if (log.Pages > 0) {
    summary += "写出 " + std::to_string(log.Pages) + " 页";
  } else if (log.Pages == 0) {
    summary += "没有写出页面";
  } else {
    summary += "运行中断, 没有写出 DVI 文件";
  }
  return summary;
}

void BuildPanel::RunStarted(const std::string& what, const std::string& source) {
  running_ = true;
  rows_.clear();
  selected_.reset();
  summary_ = "正在运行 " + what + ": " + FileNameOf(source) + " ...";
}

void BuildPanel::RunEnded(const BuildMessages& messages) {
  running_ = false;
  rows_.clear();
  selected_.reset();
  for (const LogRow& row : messages.Log.Rows) {
    // mox's message file lies beside the log, with the same base name: a
    // row leads to the same place from either.
    rows_.push_back({RowText(row), SourcePlaceOf(row, messages.LogFile)});
    for (const std::string& line : row.Context) rows_.push_back({"        " + line, {}});
  }
  summary_ = BuildSummary(messages);
}

void BuildPanel::Select(std::size_t row) {
  if (row < rows_.size()) selected_ = row;
}

std::optional<std::size_t> BuildPanel::Step(bool forward) {
  const std::size_t count = rows_.size();
  if (count == 0) return std::nullopt;
  std::size_t at = selected_ ? *selected_ : (forward ? count - 1 : 0);
  for (std::size_t tried = 0; tried < count; ++tried) {
    at = forward ? (at + 1) % count : (at + count - 1) % count;
    if (!rows_[at].Place.Path.empty()) {
      selected_ = at;
      return at;
    }
  }
  return std::nullopt;
}

}  // namespace mox::varelo
