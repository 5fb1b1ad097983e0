// The reporter of the programs that answer in message boxes and a caption.
#include "previewer/startup/box_reporter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/recording_user_interface.h"

namespace mox {
namespace {

using platform::kAnswerNo;
using platform::kAnswerYes;

class MessagesTest : public ::testing::Test {
 protected:
  void SetLanguage(Language language) { report.SetLanguage(language); }
  void ShowError(std::string_view text) { report.Error(text); }
  void ShowStatus(std::string_view text) { report.Status(text); }
  bool ShowWarning(std::string_view text, bool ask) {
    if (ask) return report.Question(text);
    report.Warning(text);
    return true;
  }

  test::RecordingUserInterface ui;
  BoxReporter report;
};

TEST_F(MessagesTest, ErrorBoxHasCaptionAndStyleOfEachLanguage) {
  ShowError("Invalid DVI file");
  SetLanguage(Language::Chinese);
  ShowError("非法DVI文件");
  ASSERT_EQ(ui.Boxes.size(), 2u);
  EXPECT_EQ(ui.Boxes[0].Text, "Invalid DVI file");
  EXPECT_EQ(ui.Boxes[0].Caption, "Error message");
  EXPECT_EQ(ui.Boxes[0].Style, 0x40u);  // MB_OK | MB_ICONINFORMATION
  EXPECT_EQ(ui.Boxes[1].Caption, "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2");  // 错误信息 in GBK
  EXPECT_TRUE(ui.Captions.empty());
}

TEST_F(MessagesTest, StatusReplacesTheCaptionOnly) {
  ShowStatus("Scanning page 3");
  EXPECT_TRUE(ui.Boxes.empty());
  ASSERT_EQ(ui.Captions.size(), 1u);
  EXPECT_EQ(ui.Captions[0], "Scanning page 3");
}

TEST_F(MessagesTest, WarningWithoutQuestionIsAStatusLineAndContinues) {
  EXPECT_TRUE(ShowWarning("undefined character(s) found", false));
  SetLanguage(Language::Chinese);
  EXPECT_TRUE(ShowWarning("字库中缺字", false));
  EXPECT_TRUE(ui.Boxes.empty());
  ASSERT_EQ(ui.Captions.size(), 2u);
  EXPECT_EQ(ui.Captions[0], "Warning: undefined character(s) found");
  EXPECT_EQ(ui.Captions[1], "字库中缺字");  // no prefix in Chinese
}

TEST_F(MessagesTest, WarningQuestionContinuesOnlyOnYes) {
  ui.AnswerNext(kAnswerYes);
  ui.AnswerNext(kAnswerNo);
  EXPECT_TRUE(ShowWarning("Invalid Chinese code", true));
  EXPECT_FALSE(ShowWarning("Invalid Chinese code", true));
  ASSERT_EQ(ui.Boxes.size(), 2u);
  EXPECT_EQ(ui.Boxes[0].Text, "Warning: Invalid Chinese code\n\nContinue?");
  EXPECT_EQ(ui.Boxes[0].Caption, "Warning");
  EXPECT_EQ(ui.Boxes[0].Style, 0x24u);  // MB_YESNO | MB_ICONQUESTION
  EXPECT_TRUE(ui.Captions.empty());
}

TEST_F(MessagesTest, ChineseQuestionUsesChineseWordsAndCaption) {
  SetLanguage(Language::Chinese);
  ui.AnswerNext(kAnswerYes);
  EXPECT_TRUE(ShowWarning("非法汉字编码", true));
  ASSERT_EQ(ui.Boxes.size(), 1u);
  EXPECT_EQ(ui.Boxes[0].Text, "非法汉字编码\n\n是否继续?");
  EXPECT_EQ(ui.Boxes[0].Caption, "报警");
}

TEST_F(MessagesTest, LongWarningIsCutToTheBufferWithoutSplittingACharacter) {
  ShowWarning(std::string(1000, 'x'), false);
  ASSERT_EQ(ui.Captions.size(), 1u);
  EXPECT_EQ(ui.Captions[0].size(), kWarningBufferSize - 1);
  EXPECT_EQ(ui.Captions[0].substr(0, 9), "Warning: ");

  // "Warning: " and one letter leave an odd number of bytes for two-byte
  // characters, so the last one cannot fit in half.
  std::string chinese = "a";
  for (int i = 0; i < 200; ++i) chinese += "字";
  ShowWarning(chinese, false);
  EXPECT_EQ(ui.Captions[1].size(), kWarningBufferSize - 2);
  EXPECT_EQ(ui.Captions[1].substr(ui.Captions[1].size() - 2), "字");
}

TEST_F(MessagesTest, SilentDefaultNeverBlocks) {
  platform::UserInterface* mine = platform::SetUi(nullptr);
  ShowError("x");
  EXPECT_FALSE(ShowWarning("x", true));
  EXPECT_TRUE(ShowWarning("x", false));
  platform::SetUi(mine);
  EXPECT_TRUE(ui.Boxes.empty());
}

}  // namespace
}  // namespace mox
