// The batch menu, the templates and the tutorial: which file an item uses,
// what is started, quoted, and in which folder.
#include "frontend/core/batch_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/directories.h"
#include "platform/file_system.h"

namespace mox::varelo {
namespace {

// 乗 is 0x81 0x5C in GBK: its trail byte is the code of the backslash.
const std::string kTrailBackslash = "\x81\x5C";

std::string Path(const std::string& root, const char* folder, const char* name) {
  return JoinPath(JoinPath(root, folder), name);
}

void Touch(const std::string& path) {
  platform::FilePtr file = platform::OpenFile(path, "wb");
  ASSERT_TRUE(file) << path;
}

class BatchMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = platform::MakeTemporaryDirectory("batch menu ");
    ASSERT_FALSE(root_.empty());
    program_ = JoinPath(root_, "Program Files");
    ASSERT_TRUE(platform::MakeDirectories(JoinPath(program_, "Batch")));
    ASSERT_TRUE(platform::MakeDirectories(JoinPath(program_, "Template")));
  }
  void TearDown() override { platform::RemoveDirectoryTree(root_); }

  std::string root_;
  std::string program_;
};

TEST_F(BatchMenuTest, BatchFileOrFallback) {
  Touch(Path(program_, "Batch", "view.bat"));
  const BatchItem& mox = *FindBatchItem("MOXexbat1");
  EXPECT_EQ(BatchCommandOf(mox, program_), "mox");
  Touch(Path(program_, "Batch", "moxex.bat"));
  EXPECT_EQ(BatchCommandOf(mox, program_), Path(program_, "Batch", "moxex.bat"));
  // "C&lean.bat" runs the view batch file, like "&View.bat".
  EXPECT_EQ(BatchCommandOf(*FindBatchItem("View1"), program_), Path(program_, "Batch", "view.bat"));
  EXPECT_EQ(BatchCommandOf(*FindBatchItem("View2"), program_), Path(program_, "Batch", "view.bat"));
  EXPECT_EQ(BatchCommandOf(*FindBatchItem("N6"), program_), "latex.bat");
  EXPECT_EQ(FindBatchItem("Clean1"), nullptr);
}

TEST_F(BatchMenuTest, RunBatchQuotesAndRunsInTheSourceFolder) {
  const std::string folder = JoinPath(root_, "论文 " + kTrailBackslash);
  ASSERT_TRUE(platform::MakeDirectories(folder));
  const std::string source = JoinPath(folder, "a.b.ctx");
  const std::string command = Path(program_, "Batch", "latex.bat");
  EXPECT_FALSE(RunBatch(command, source));  // not saved yet
  EXPECT_FALSE(RunBatch(command, ""));
  Touch(source);
  const auto start = RunBatch(command, source);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->CommandLine, "\"" + command + "\" \"a.b\"");
  EXPECT_EQ(start->WorkingFolder, folder);
  EXPECT_EQ(start->ShowMode, kShowNormal);
}

TEST_F(BatchMenuTest, TemplatesAndTutorial) {
  const TemplateItem& letter = *FindTemplateItem("LaTeX3");
  EXPECT_FALSE(TemplatePathOf(letter, program_));
  Touch(Path(program_, "Template", "letter.tex"));
  EXPECT_EQ(TemplatePathOf(letter, program_), Path(program_, "Template", "letter.tex"));

  const ProgramStart tutorial = TutorialStart("C:\\Program Files\\Varelo");
  EXPECT_EQ(tutorial.CommandLine,
            "\"C:\\Program Files\\Varelo\\moxwin32.exe\" \"C:\\Program Files\\Varelo\\tutor.dvi\"");
  EXPECT_EQ(tutorial.ShowMode, kShowHidden);
}

TEST(ProgramStartTest, PathParts) {
  EXPECT_EQ(BaseNameOf("D:\\work\\paper.ctx"), "paper");
  EXPECT_EQ(BaseNameOf("paper"), "paper");
  EXPECT_EQ(BaseNameOf("D:\\w.x\\" + kTrailBackslash), kTrailBackslash);
  EXPECT_EQ(FolderPartOf("D:\\work\\" + kTrailBackslash + "\\a.ctx"),
            "D:\\work\\" + kTrailBackslash);
  EXPECT_EQ(FolderPartOf("C:\\a.ctx"), "C:\\");
  EXPECT_EQ(FolderPartOf("/a.ctx"), "/");
  EXPECT_EQ(FolderPartOf("C:a.ctx"), "C:");
  EXPECT_EQ(FolderPartOf("a.ctx"), "");
  EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
  EXPECT_EQ(JoinPath("C:\\TeX", "x"), "C:\\TeX\\x");
  EXPECT_EQ(JoinPath("C:\\" + kTrailBackslash, "x"), "C:\\" + kTrailBackslash + "\\x");
}

// Names with a Korean word and an emoji (GB18030 four-byte codes, whose
// second and fourth bytes are digits) split and reach TeX as they are; a
// character TeX takes as syntax in the base name is refused, but not one
// in the folder or a GBK trail byte that looks like one ('亊' is 81 7E).
TEST(ProgramStartTest, FileNamesBeyondGbk) {
  const std::string korean = "\x83\x36\x84\x33\x82\x38\x84\x37";
  const std::string emoji = "\x94\x39\xFC\x36";
  const std::string path = "D:\\" + korean + "\\" + emoji + ".ctx";
  EXPECT_EQ(BaseNameOf(path), emoji);
  EXPECT_EQ(FolderPartOf(path), "D:\\" + korean);
  EXPECT_EQ(TexFileNameProblem("LaTeX", path), "");
  EXPECT_EQ(TexFileNameProblem("LaTeX", "D:\\50%\\\x81\x7E.ctx"), "");
  EXPECT_NE(TexFileNameProblem("LaTeX", "D:\\a\\" + emoji + "#2.ctx").find("\"#\""),
            std::string::npos);
}

}  // namespace
}  // namespace mox::varelo
