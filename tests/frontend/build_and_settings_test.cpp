// What a build saves first (the active window, a name for a new one, the
// other modified windows after one question), and Varelo's settings file:
// its defaults, damaged values and the lines it does not know.
#include <gtest/gtest.h>

#include <string>

#include "frontend/core/build_saving.h"
#include "frontend/core/settings_file.h"
#include "tests/frontend/fake_editor_window.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

using ::mox::test::ReadFile;
using ::mox::test::WriteFile;

TEST(BuildSavingTest, TheActiveWindowIsSavedOrNamedAndTheOthersAskedAbout) {
  ::mox::test::TempDir dir;
  ::mox::test::RecordingUserInterface ui;
  test::FakeEditorWindow active_window;
  test::FakeEditorWindow other_window;
  Editor active(active_window);
  Editor other(other_window);
  active.InitializeNew();
  // A new window asks for a name; cancelled, nothing runs or is written.
  EXPECT_EQ(SaveForBuild(active, {&active, &other}), BuildSaving::NoFile);
  ASSERT_EQ(active_window.SavePresets.size(), 1u);
  active_window.Type(u"\\input moxplain");
  active_window.SaveAnswers.push_back(dir.File("paper.ctx"));
  EXPECT_EQ(SaveForBuild(active, {&active, &other}), BuildSaving::Ready);
  EXPECT_EQ(ReadFile(dir.File("paper.ctx")), "\\input moxplain");
  // Modified and named: saved without a question.
  active_window.Type(u" \\bye");
  WriteFile(dir.File("other.tex"), "x");
  ASSERT_TRUE(other.OpenFile(dir.File("other.tex")));
  EXPECT_EQ(SaveForBuild(active, {&active, &other}), BuildSaving::Ready);
  EXPECT_EQ(ReadFile(dir.File("paper.ctx")), "\\input moxplain \\bye");
  EXPECT_TRUE(ui.Boxes.empty());
  // Another modified window: one question; Cancel runs nothing, No runs
  // without saving it, Yes saves it.
  other_window.Type(u"y");
  ui.AnswerNext(platform::kAnswerCancel);
  EXPECT_EQ(SaveForBuild(active, {&active, &other}), BuildSaving::Cancelled);
  ASSERT_EQ(ui.Boxes.size(), 1u);
  EXPECT_EQ(ui.Boxes[0].Text, "这些窗口的文本改动了, 还没有保存:\n    other.tex\n编译前保存它们吗?");
  ui.AnswerNext(platform::kAnswerNo);
  EXPECT_EQ(SaveForBuild(active, {&active, &other}), BuildSaving::Ready);
  EXPECT_EQ(ReadFile(dir.File("other.tex")), "x");
  ui.AnswerNext(platform::kAnswerYes);
  EXPECT_EQ(SaveForBuild(active, {&active, &other}), BuildSaving::Ready);
  EXPECT_EQ(ReadFile(dir.File("other.tex")), "yx");
}

TEST(SettingsFileTest, DefaultsDamagedValuesAndUnknownLinesKept) {
  ::mox::test::TempDir dir;
  const std::string path = dir.File(kSettingsFileName);
  // No file: the defaults.
  VareloSettings settings = ReadSettings(LoadSettingsFile(path));
  EXPECT_FALSE(settings.SourcePositions);
  EXPECT_TRUE(settings.PaletteBar);
  EXPECT_FALSE(settings.StructureBar);
  EXPECT_FALSE(settings.Frame);

  WriteFile(path, "; written by a newer Varelo\nRecentFile1=Z:\\论文\\a.ctx\n"
                  "SourcePositions=1\r\nFrame=10,20,800,600,0\nPaletteBar=yes\n\xff\xfe junk\n");
  SettingsFile file = LoadSettingsFile(path);
  settings = ReadSettings(file);
  EXPECT_TRUE(settings.SourcePositions);
  EXPECT_TRUE(settings.PaletteBar);  // "yes" is no value: the default
  ASSERT_TRUE(settings.Frame);
  EXPECT_EQ(settings.Frame->Width, 800);
  EXPECT_FALSE(settings.Frame->Maximized);
  EXPECT_FALSE(ReadSettings(SettingsFile::Parse("Frame=1,2,3\n")).Frame);
  EXPECT_FALSE(ReadSettings(SettingsFile::Parse("Frame=1,2,30,40,1\n")).Frame);  // too small

  settings.StructureBar = true;
  settings.Frame->Maximized = true;
  WriteSettings(settings, file);
  ASSERT_TRUE(SaveSettingsFile(path, file));
  EXPECT_EQ(ReadFile(path),
            "; written by a newer Varelo\r\nRecentFile1=Z:\\论文\\a.ctx\r\nSourcePositions=1\r\n"
            "Frame=10,20,800,600,1\r\nPaletteBar=1\r\n\xff\xfe junk\r\nStructureBar=1\r\n");
}

}  // namespace
}  // namespace mox::varelo
