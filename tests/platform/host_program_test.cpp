// Running a host program to its end: what MAKEPK runs mktexpk with. Under
// Wine the Unix commands go through the Unix route, cmd.exe through the
// Windows one.
#include "platform/host_program.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/temp_dir.h"

namespace mox::platform {
namespace {

using Outcome = HostRun::Outcome;

class MakepkHostRunTest : public ::testing::Test {
 protected:
  // A Unix shell command; skipped where there is no Unix system (Windows
  // without Wine).
  HostRun Shell(const std::string& script, std::vector<HostArgument> more = {},
                int timeout = 60) {
    std::vector<HostArgument> command = {{"sh"}, {"-c"}, {script}};
    command.insert(command.end(), more.begin(), more.end());
    return RunHostProgram(command, dir_.Path(), timeout);
  }

  test::TempDir dir_;
};

TEST_F(MakepkHostRunTest, GivesOutputErrorsAndExitStatus) {
  const HostRun run = Shell("echo out; echo err >&2; exit 3");
  if (run.Result == Outcome::NotStarted) GTEST_SKIP() << "no Unix shell";
  EXPECT_EQ(run.Result, Outcome::Finished);
  EXPECT_EQ(run.ExitCode, 3);
  EXPECT_EQ(run.Output, "out\n");
  EXPECT_EQ(run.Errors, "err\n");
}

TEST_F(MakepkHostRunTest, RunsInTheFolderWithPathsItUnderstands) {
  test::WriteFile(dir_.File("input file.txt"), "content");
  const HostRun run = Shell("cat \"$0\"; ls", {{dir_.File("input file.txt"), true}});
  if (run.Result == Outcome::NotStarted) GTEST_SKIP() << "no Unix shell";
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  EXPECT_EQ(run.Output.substr(0, 7), "content");
  EXPECT_NE(run.Output.find("input file.txt"), std::string::npos) << run.Output;
}

TEST_F(MakepkHostRunTest, EndsAProgramThatTakesTooLong) {
  const auto start = std::chrono::steady_clock::now();
  // The shell's child must end too, or the run would wait for it.
  const HostRun run = Shell("sleep 30 & sleep 30; echo late", {}, 1);
  if (run.Result == Outcome::NotStarted) GTEST_SKIP() << "no Unix shell";
  EXPECT_EQ(run.Result, Outcome::TimedOut);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_EQ(run.Output.find("late"), std::string::npos);
}

TEST_F(MakepkHostRunTest, ReportsAProgramThatIsNotThere) {
  const HostRun run = RunHostProgram({{"no-such-program-here"}, {"x"}}, dir_.Path(), 30);
  EXPECT_EQ(run.Result, Outcome::NotStarted);
}

#ifdef _WIN32
TEST_F(MakepkHostRunTest, RunsAWindowsProgram) {
  const HostRun run =
      RunHostProgram({{"cmd.exe"}, {"/c"}, {"echo windows& exit 4"}}, dir_.Path(), 60);
  EXPECT_EQ(run.Result, Outcome::Finished);
  EXPECT_EQ(run.ExitCode, 4);
  EXPECT_NE(run.Output.find("windows"), std::string::npos) << run.Output;
}
#endif

}  // namespace
}  // namespace mox::platform
