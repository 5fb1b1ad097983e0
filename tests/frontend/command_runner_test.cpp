// The TeX command runner without its window: the parameter file, saving
// with the copy of the view batch file, and running a command with its
// checks in order, its messages and its quoted command line.
#include "frontend/core/command_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/core/file_io.h"
#include "platform/directories.h"
#include "platform/file_system.h"

namespace mox::varelo {
namespace {

class FakeRunnerWindow final : public CommandRunnerHost {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override {
    Messages.push_back(caption + "|" + text);
  }
  void Start(const ProgramStart& program) override { Started.push_back(program); }
  bool SetCurrentFolder(const std::string& folder) override {
    ++FolderAttempts;
    if (FolderSticks) Current = folder;
    return FolderSticks;
  }
  std::string CurrentFolder() override { return Current; }
  void SetOpenDialogFolder(const std::string& folder) override { DialogFolder = folder; }
  std::optional<std::string> ChooseSourceFile(const std::string& preset) override {
    Preset = preset;
    return Chosen;
  }
  void ShowTexDir(const std::string& folder) override { TexDirShown = folder; }
  void ShowSource(const std::string& path) override { SourceShown = path; }
  void ShowFolderBrowser(bool shown) override { Browsing = shown; }
  void HideDialog() override { Hidden = true; }

  std::vector<std::string> Messages;
  std::vector<ProgramStart> Started;
  std::string Current = "/";
  bool FolderSticks = true;
  int FolderAttempts = 0;
  std::string DialogFolder;
  std::optional<std::string> Chosen;
  std::string Preset;
  std::string TexDirShown, SourceShown;
  bool Browsing = false, Hidden = false;
};

void Write(const std::string& path, const std::string& bytes = "") {
  std::string reason;
  ASSERT_TRUE(WriteWholeFile(path, bytes, reason)) << reason;
}

std::string Read(const std::string& path) {
  std::string bytes, reason;
  EXPECT_TRUE(ReadWholeFile(path, bytes, reason)) << reason;
  return bytes;
}

class CommandRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = platform::MakeTemporaryDirectory("runner ");
    ASSERT_FALSE(root_.empty());
    program_ = JoinPath(root_, "Program Files");
    tex_ = JoinPath(root_, "TeX tools");
    work_ = JoinPath(root_, "中文 work");
    for (const std::string& folder : {program_, tex_, work_}) {
      ASSERT_TRUE(platform::MakeDirectories(folder));
    }
    source_ = JoinPath(work_, "paper.ctx");
    Write(source_);
  }
  void TearDown() override { platform::RemoveDirectoryTree(root_); }

  // A runner on tex_ and source_ running command.
  CommandRunner Runner(const std::string& command) {
    CommandRunner runner(window_, program_);
    runner.SetTexDir(tex_);
    runner.SetSource(source_);
    runner.SetCommand(command);
    return runner;
  }

  FakeRunnerWindow window_;
  std::string root_, program_, tex_, work_, source_;
};

TEST_F(CommandRunnerTest, ParameterFile) {
  // Without it the folder box starts at the TeX tools folder beside the program.
  CommandRunner fresh(window_, program_);
  EXPECT_EQ(fresh.Parameters().TexDir, JoinPath(program_, "TeX"));
  EXPECT_EQ(fresh.Parameters().Source, kDefaultSource);

  const std::string long_folder = "D:\\" + std::string(200, 'x');
  Write(JoinPath(program_, "tex.loc"), long_folder + "\r\n");
  EXPECT_EQ(CommandRunner(window_, program_).Parameters().TexDir, long_folder);
  EXPECT_EQ(CommandRunner(window_, program_).Parameters().Source, kDefaultSource);

  CommandRunner runner = Runner("MOXVIEW");
  runner.SaveParameters();
  EXPECT_EQ(Read(JoinPath(program_, "tex.loc")), tex_ + "\r\n" + source_ + "\r\n");
  const CommandRunner reloaded(window_, program_);
  EXPECT_EQ(reloaded.Parameters().TexDir, tex_);
  EXPECT_EQ(reloaded.Parameters().Source, source_);
}

TEST_F(CommandRunnerTest, SaveChecksThenReplacesTheViewBatch) {
  CommandRunner runner = Runner("MOXVIEW");
  runner.SetTexDir(JoinPath(root_, "gone"));
  runner.SaveParameters();
  runner.SetTexDir(tex_);
  runner.SaveParameters();
  EXPECT_EQ(window_.Messages,
            (std::vector<std::string>{std::string(kEnvironmentCaption) + "|中西文 TeX 路径不存在，请重新选择！",
                                      std::string(kEnvironmentCaption) + "|系统文件 MOXVIEW.Bat 未发现！"}));
  // One file on Windows, whose names ignore case; two natively.
  Write(JoinPath(program_, "MOXVIEW.BAT"), "new\r\n");
  Write(JoinPath(program_, "moxview.bat"), "new\r\n");
  Write(JoinPath(tex_, "moxview.bat"), "edited\r\n");
  runner.SaveParameters();
  EXPECT_EQ(Read(JoinPath(tex_, "moxview.bat")), "new\r\n");
}

TEST_F(CommandRunnerTest, RunChecksInOrder) {
  CommandRunner runner = Runner("LaTeX (MOX5.10)");
  const std::string env = kEnvironmentCaption;
  runner.SetTexDir(JoinPath(root_, "gone"));
  runner.Run();
  runner.SetTexDir(tex_);
  runner.SetSource("");
  runner.Run();
  runner.SetSource(source_);
  runner.Run();  // no tex.exe
  Write(JoinPath(tex_, "tex.exe"));
  runner.Run();  // no paper.TEX
  EXPECT_EQ(window_.Messages,
            (std::vector<std::string>{
                env + "|中西文 TeX 路径不存在，请重新选择！",
                " 发生错误|文件不存在，请重新选择中西文TeX文件!",
                env + "|TeX 系统文件 TeX.exe 未发现，请重新选择 TeX 系统路径！",
                " 发生错误|文件paper.TEX不存在，请先用MOX命令或选择 TeX 文件！"}));
  EXPECT_TRUE(window_.Started.empty());

  Write(JoinPath(work_, "paper.TEX"));
  runner.Run();
  ASSERT_EQ(window_.Started.size(), 1u);
  EXPECT_EQ(window_.Started[0].CommandLine,
            "\"" + JoinPath(tex_, "tex") + "\" &latex \"paper\"");
  EXPECT_EQ(window_.Started[0].WorkingFolder, work_);
  EXPECT_EQ(window_.Started[0].ShowMode, kShowNormal);
  EXPECT_EQ(window_.Current, work_);
  EXPECT_EQ(window_.DialogFolder, JoinPath(work_, ""));
}

TEST_F(CommandRunnerTest, CommandLinesOfTheRows) {
  for (const char* tool : {"mox.exe", "SETPRT.EXE", "MOXVIEW.BAT"}) Write(JoinPath(tex_, tool));
  Write(JoinPath(program_, "MOXWIN32.EXE"));
  Write(JoinPath(work_, "paper.DVI"));
  for (const char* command : {"MOX", "SETPRT", "SetPrt", "MOXWIN32", "MOXVIEW", "latex"}) {
    Runner(command).Run();
  }
  std::vector<std::string> lines;
  for (const ProgramStart& start : window_.Started) lines.push_back(start.CommandLine);
  // Only MOX passes the name with its extension; "SetPrt" finds its tool
  // as setprt.exe on Windows only (names there ignore case).
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "\"" + JoinPath(tex_, "mox") + "\" \"paper.ctx\"",
                       "\"" + JoinPath(tex_, "setprt.exe") + "\"",
#ifdef _WIN32
                       "\"" + JoinPath(tex_, "setprt") + "\"",
#endif
                       "\"" + JoinPath(program_, "MOXWIN32.EXE") + "\" \"paper.DVI\"",
                       "\"" + JoinPath(tex_, "moxview.bat") + "\" \"paper\""}));
}

TEST_F(CommandRunnerTest, DosEraToolsAndPreviewerReportMissingTools) {
  Runner("DVI24P").Run();
  Runner("MOXWIN16").Run();
  EXPECT_EQ(window_.Messages,
            (std::vector<std::string>{
                std::string(kEnvironmentCaption) +
                    "|TeX 系统文件 Dvi24p.exe 未发现，请重新选择中文 TeX 系统路径！",
                "错误|Varelo 系统文件 MOXWIN16.EXE 未发现！"}));
}

TEST_F(CommandRunnerTest, RunCopiesTheViewBatchButNeverReplacesIt) {
  Write(JoinPath(program_, "moxview.bat"), "shipped\r\n");
  Runner("none").Run();
  EXPECT_EQ(Read(JoinPath(tex_, "moxview.bat")), "shipped\r\n");
  Write(JoinPath(tex_, "moxview.bat"), "edited\r\n");
  Runner("none").Run();
  EXPECT_EQ(Read(JoinPath(tex_, "moxview.bat")), "edited\r\n");
  EXPECT_TRUE(window_.Messages.empty());
}

TEST_F(CommandRunnerTest, FolderThatDoesNotStickIsTriedAHundredTimes) {
  window_.FolderSticks = false;
  Write(JoinPath(tex_, "MOXVIEW.BAT"));
  Runner("MOXVIEW").Run();
  EXPECT_EQ(window_.FolderAttempts, 100);
  ASSERT_EQ(window_.Started.size(), 1u);
  EXPECT_EQ(window_.Started[0].WorkingFolder, work_);
}

TEST_F(CommandRunnerTest, Browsing) {
  CommandRunner runner = Runner("MOX");
  runner.BrowseFolders();
  EXPECT_TRUE(window_.Browsing);
  runner.FolderChosen(work_);
  runner.EndFolderBrowsing();
  EXPECT_FALSE(window_.Browsing);
  EXPECT_EQ(runner.Parameters().TexDir, work_);
  EXPECT_EQ(window_.TexDirShown, work_);
  runner.BrowseSourceFile();  // cancelled
  EXPECT_EQ(window_.Preset, source_);
  EXPECT_EQ(runner.Parameters().Source, source_);
  window_.Chosen = JoinPath(JoinPath(root_, "gone"), "x.tex");
  runner.BrowseSourceFile();
  EXPECT_EQ(window_.SourceShown, window_.Chosen);
  // A source whose folder is gone presets the chooser to its name alone.
  runner.BrowseSourceFile();
  EXPECT_EQ(window_.Preset, "x.tex");
}

}  // namespace
}  // namespace mox::varelo
