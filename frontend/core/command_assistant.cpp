#include "frontend/core/command_assistant.h"

#include <array>

#include "frontend/core/data_line.h"
#include "frontend/core/file_io.h"
#include "platform/file_system.h"

namespace mox::varelo {
namespace {

constexpr std::array<std::string_view, 55> kTopics = {
    "LaTeX论文格式", "AMSTeX格式",   "章节布局",     "字体",         "字号",
    "纵横间距",      "行距",         "换行控制",     "对齐方式",     "行填充",
    "列填充",        "页面控制",     "页码编号",     "段落缩进",     "题注",
    "致谢",          "表格控制",     "表格",         "罗列",         "抄录",
    "框盒",          "图表",         "数学模式",     "数学表达式",   "AMSTeX格式",
    "TeX数学模式",   "TeX格式",      "TeX字体",      "AMS字体",      "TeX对齐",
    "TeX间格",       "TeX点号",      "TeX换行控制",  "AMS章节定理",  "TeX行距",
    "TeX换页控制",   "TeX页面",      "TeX页码",      "TeX脚注",      "TeX专用符",
    "TeX外文",       "TeX外文修饰",  "TeX特殊符号",  "TeX重音修饰",  "TeX表达式修饰",
    "TeX上下标",     "TeX分式",      "AMS根式",      "AMS选择",      "AMS矩阵",
    "AMS方程",       "AMS表格",      "AMS边界",      "TeX数学表达式", "AMS数学表达式",
};

}  // namespace

std::span<const std::string_view> AssistantTopics() { return kTopics; }

std::vector<AssistantEntry> ParseAssistantEntries(std::string_view bytes) {
  std::vector<AssistantEntry> entries;
  for (std::string_view line : SplitDataLines(bytes)) {
    if (entries.size() == kAssistantRows) break;
    const std::size_t split = DescriptionLength(line);
    AssistantEntry entry;
    entry.Description.assign(line.substr(0, split));
    entry.Text = " ";
    entry.Text += WithoutTrailingSpaces(line.substr(split));
    entry.Text += ' ';
    entries.push_back(std::move(entry));
  }
  return entries;
}

int FindFirstRow(const std::vector<AssistantEntry>& entries, std::string_view text) {
  if (text.empty()) return -1;
  for (std::size_t row = 0; row < entries.size(); ++row) {
    if (entries[row].Description.find(text) != std::string::npos) return static_cast<int>(row);
  }
  return -1;
}

void CommandAssistant::Load(const std::string& path) {
  entries_.clear();
  if (!platform::Files().Exists(path)) return;
  std::string bytes;
  std::string reason;
  if (ReadWholeFile(path, bytes, reason)) entries_ = ParseAssistantEntries(bytes);
}

bool CommandAssistant::SearchTopic(std::string_view topic) {
  const int row = FindFirstRow(entries_, topic);
  if (row < 0) return false;
  SelectedRow = TopRow = static_cast<std::size_t>(row);
  Insertion = entries_[SelectedRow].Text;
  return true;
}

bool CommandAssistant::ShowAt(std::string_view keyword) {
  if (!SearchTopic(keyword)) return false;
  Topic.assign(keyword);
  return true;
}

void CommandAssistant::ClickRow(std::size_t row) {
  if (row >= kAssistantRows) return;
  SelectedRow = row;
  // Rows past the file's last line are empty cells.
  const bool filled = row < entries_.size();
  Insertion = filled ? entries_[row].Text : std::string();
  Topic = filled ? entries_[row].Description : std::string();
}

}  // namespace mox::varelo
