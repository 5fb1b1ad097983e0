// The build panel: what it says while a run goes on and after it, the
// rows of a real log with the places they lead to, and F4's way through
// them.
#include "frontend/core/build_panel.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace mox::varelo {
namespace {

std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(MOX_FIXTURES_DIR) + "/texlog/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(BuildPanelTest, ARunIsToldWhileItGoesAndItsMessagesAfter) {
  BuildPanel panel;
  panel.RunStarted("LateX.bat", "D:\\work\\paper.tex");
  EXPECT_TRUE(panel.Running());
  EXPECT_EQ(panel.Summary(), "正在运行 LateX.bat: paper.tex ...");

  BuildMessages messages;
  messages.LogFile = "/work/chapters.log";
  messages.LogRead = true;
  messages.Log = ParseTexLog(Fixture("chapters.log"));
  ASSERT_GT(messages.Log.Count(LogRowKind::Error), 0u);
  panel.RunEnded(messages);
  EXPECT_FALSE(panel.Running());
  EXPECT_NE(panel.Summary().find("个错误"), std::string::npos) << panel.Summary();

  // F4 goes from row to row that leads somewhere, round at the end;
  // Shift+F4 back. Context lines lead nowhere.
  std::size_t placed = 0;
  for (const BuildPanelRow& row : panel.Rows()) placed += !row.Place.Path.empty();
  ASSERT_GT(placed, 1u);
  const std::optional<std::size_t> first = panel.Step(true);
  ASSERT_TRUE(first);
  EXPECT_FALSE(panel.Rows()[*first].Place.Path.empty());
  // The undefined macro is on line 2 of the file brought in with \input.
  bool undefined = false;
  for (const BuildPanelRow& row : panel.Rows()) {
    if (row.Text.find("Undefined control sequence") == std::string::npos) continue;
    undefined = true;
    EXPECT_EQ(row.Place.Line, 2);
    EXPECT_NE(row.Place.Path.find("work"), std::string::npos) << row.Place.Path;
    EXPECT_EQ(row.Place.Path.find("chapters.tex"), std::string::npos) << row.Place.Path;
  }
  EXPECT_TRUE(undefined);
  std::optional<std::size_t> at = first;
  for (std::size_t i = 0; i < placed; ++i) at = panel.Step(true);
  EXPECT_EQ(at, first);
  EXPECT_NE(panel.Step(false), first);
}

TEST(BuildPanelTest, TheTotalsSayWhatWasWritten) {
  BuildMessages messages;
  messages.LogFile = "paper.log";
  EXPECT_EQ(BuildSummary(messages), "没有 TeX 的记录文件 paper.log, 没有写出 DVI 文件");
  messages.LogRead = true;
  messages.Log.Pages = 14;
  LogRow error;
  LogRow badbox;
  badbox.Kind = LogRowKind::Badbox;
  messages.Log.Rows = {error, error, badbox};
  EXPECT_EQ(BuildSummary(messages), "2 个错误, 1 个坏盒, 写出 14 页");
  messages.Log.Pages = -1;
  EXPECT_EQ(BuildSummary(messages), "2 个错误, 1 个坏盒, 运行中断, 没有写出 DVI 文件");

  LogRow row;
  row.Kind = LogRowKind::Warning;
  row.File = "./chapter.tex";
  row.Line = 12;
  row.LastLine = 15;
  row.Message = "Overfull \\hbox";
  EXPECT_EQ(RowText(row), "警告  chapter.tex:12-15  Overfull \\hbox");
  EXPECT_TRUE(RunnerCommandBuilds("AmsTeX (MOX5.0)"));
  EXPECT_TRUE(RunnerCommandBuilds("MOX"));
  EXPECT_FALSE(RunnerCommandBuilds("MOXVIEW"));
}

}  // namespace
}  // namespace mox::varelo
