// The assistant's list: lines split at byte 18 without cutting a Chinese
// character, the topic search and opening at a keyword, and every topic and
// structure-bar keyword finding its own group in the installed tex.txt.
#include "frontend/core/command_assistant.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "frontend/core/data_line.h"
#include "frontend/core/structure_bar.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

TEST(CommandAssistantTest, LinesSplitAtByte18WithoutCuttingACharacter) {
  const std::string bytes =
      "ABC               \\frac{}{}   \r\n"
      "exactly 18 bytes..\r\n"
      "short\n"
      "ab\xB1\xED\xB8\xF1\xBF\xD8\xD6\xC6\xD0\xD0\xBE\xE0\xB6\xD4" "c\xC6\xEB\\hfil\r\n";
  const std::vector<AssistantEntry> entries = ParseAssistantEntries(bytes);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].Description, "ABC               ");
  EXPECT_EQ(entries[0].Text, " \\frac{}{} ");
  EXPECT_EQ(entries[1].Description, "exactly 18 bytes..");
  EXPECT_EQ(entries[1].Text, "  ");
  EXPECT_EQ(entries[2].Description, "short");
  // The 18th byte begins a character (齐): it goes to the text whole.
  EXPECT_EQ(entries[3].Description.size(), 17u);
  EXPECT_EQ(entries[3].Text, " \xC6\xEB\\hfil ");
}

TEST(CommandAssistantTest, ReadsAtMost780LinesAndAMissingFileGivesAnEmptyList) {
  test::TempDir dir;
  std::string bytes;
  for (int i = 0; i < 800; ++i) bytes += "row " + std::to_string(i) + "\r\n";
  test::WriteFile(dir.File("tex.txt"), bytes);
  CommandAssistant assistant;
  assistant.Load(dir.File("tex.txt"));
  ASSERT_EQ(assistant.Entries().size(), kAssistantRows);
  EXPECT_EQ(assistant.Entries().back().Description, "row 779");
  assistant.Load(dir.File("none.txt"));
  EXPECT_TRUE(assistant.Entries().empty());
}

TEST(CommandAssistantTest, SearchingSelectsTheFirstMatchingRowOrChangesNothing) {
  CommandAssistant assistant;
  const auto line = [](std::string_view description, std::string_view text) {
    return FixedDescription(description) + std::string(text) + "\r\n";
  };
  assistant.SetEntries(ParseAssistantEntries(line("表格控制", "\\hline") +
                                             line("图表 figure", "\\begin{figure}") +
                                             line("图表标题", "\\caption{}")));
  assistant.ClickRow(2);
  EXPECT_EQ(assistant.Topic, FixedDescription("图表标题"));
  EXPECT_EQ(assistant.Insertion, " \\caption{} ");

  EXPECT_FALSE(assistant.SearchTopic(""));
  EXPECT_FALSE(assistant.ShowAt("矩阵"));
  EXPECT_EQ(assistant.SelectedRow, 2u);
  EXPECT_EQ(assistant.Topic, FixedDescription("图表标题"));

  // The typed topic stays as typed; opening at a keyword shows the keyword.
  ASSERT_TRUE(assistant.SearchTopic("表"));
  EXPECT_EQ(assistant.TopRow, 0u);
  EXPECT_EQ(assistant.Topic, FixedDescription("图表标题"));
  ASSERT_TRUE(assistant.ShowAt("图表"));
  EXPECT_EQ(assistant.SelectedRow, 1u);
  EXPECT_EQ(assistant.TopRow, 1u);
  EXPECT_EQ(assistant.Insertion, " \\begin{figure} ");
  EXPECT_EQ(assistant.Topic, "图表");
  // A row below the file's lines is empty.
  assistant.ClickRow(500);
  EXPECT_EQ(assistant.Insertion, "");
}

// The installed list: each topic of the box lands on the head of its own
// group, whose description is the topic (and perhaps a word after a space),
// and each structure-bar keyword on the group it is meant to open.
TEST(CommandAssistantTest, EveryTopicAndKeywordOpensItsOwnGroupOfTheInstalledList) {
  CommandAssistant assistant;
  assistant.Load(std::string(VARELO_DATA_DIR) + "/tex.txt");
  ASSERT_GT(assistant.Entries().size(), 200u);
  const auto head_of = [&](std::string_view text) -> std::string {
    const int row = FindFirstRow(assistant.Entries(), text);
    if (row < 0) return "(none)";
    return std::string(WithoutTrailingSpaces(assistant.Entries()[row].Description));
  };
  const auto opens = [](const std::string& head, std::string_view group) {
    return head == group || head.rfind(std::string(group) + " ", 0) == 0;
  };
  for (std::string_view topic : AssistantTopics()) {
    EXPECT_TRUE(opens(head_of(topic), topic)) << topic << " -> " << head_of(topic);
  }
  const std::map<std::string_view, std::string_view> group_of_keyword = {
      {"格式", "LaTeX论文格式"}, {"页面", "页面控制"},    {"章节", "章节布局"},
      {"字体", "字体"},          {"字号", "字号"},        {"表格", "表格"},
      {"填充", "行填充"},        {"对齐", "对齐方式"},    {"间距", "纵横间距"},
      {"换行", "换行控制"},      {"修饰", "TeX表达式修饰"}, {"分数", "TeX分式"},
      {"根式", "AMS根式"},       {"极限", "极限"},        {"矩阵", "AMS矩阵"},
      {"方程", "AMS方程"},       {"框盒", "框盒"},        {"图表", "图表"},
  };
  for (const StructureButton& button : StructureButtons()) {
    if (button.Action != StructureAction::ShowTopic) continue;
    const auto group = group_of_keyword.find(button.Argument);
    ASSERT_NE(group, group_of_keyword.end()) << button.Argument;
    EXPECT_TRUE(opens(head_of(button.Argument), group->second))
        << button.Argument << " -> " << head_of(button.Argument);
  }
}

}  // namespace
}  // namespace mox::varelo
