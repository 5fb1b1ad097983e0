#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/temp_dir.h"

namespace mox::platform {
namespace {

TEST(ProcessTest, StartsAProgramWithoutWaitingForIt) {
  test::TempDir dir;
  const std::string marker = dir.File("started");
#ifdef _WIN32
  const std::string command = "cmd.exe /c echo yes> \"" + marker + "\"";
#else
  // Arguments are split as Windows splits them: the quotes group the script.
  const std::string command = "/bin/sh -c \"echo yes > '" + marker + "'\"";
#endif
  EXPECT_EQ(StartProgramCode(command, 0), kProgramStarted);
  for (int i = 0; i < 200 && test::ReadFile(marker).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_NE(test::ReadFile(marker).find("yes"), std::string::npos);
}

// A watched program runs in its folder and is seen to end; a program it
// starts is not waited for.
TEST(ProcessTest, AWatchedProgramIsSeenToEnd) {
  test::TempDir dir;
#ifdef _WIN32
  const std::string command = "cmd.exe /c echo yes> here.txt";
#else
  const std::string command = "/bin/sh -c \"echo yes > here.txt; sleep 5 > /dev/null &\"";
#endif
  int code = 0;
  const std::unique_ptr<WatchedProgram> program = StartWatchedProgram(command, dir.Path(), 0, code);
  ASSERT_TRUE(program);
  EXPECT_EQ(code, kProgramStarted);
  for (int i = 0; i < 200 && !program->HasEnded(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(program->HasEnded());
  EXPECT_NE(test::ReadFile(dir.File("here.txt")).find("yes"), std::string::npos);
  EXPECT_FALSE(StartWatchedProgram(command, dir.File("no-such-folder"), 0, code));
  EXPECT_LT(code, 32);
}

TEST(ProcessTest, GivesWinExecsCodeForAProgramThatCannotStart) {
  test::TempDir dir;
  EXPECT_EQ(StartProgramCode(dir.File("no-such-program.exe") + " -x", 5), 2);
  EXPECT_FALSE(StartProgram(dir.File("no-such-program.exe"), 5));
  const std::string missing_folder = dir.File("no-such-folder") + test::kSeparator + "a.exe";
#ifdef _WIN32
  // CreateProcess searches for the program; Wine then says "file not found".
  const int code = StartProgramCode(missing_folder, 5);
  EXPECT_TRUE(code == 2 || code == 3) << code;
#else
  EXPECT_EQ(StartProgramCode(missing_folder, 5), 3);
  // Natively a file that may not be executed is as good as missing.
  test::WriteFile(dir.File("plain.txt"), "text");
  EXPECT_EQ(StartProgramCode(dir.File("plain.txt"), 5), 2);
  EXPECT_EQ(StartProgramCode("no-such-program-on-the-path", 5), 2);
#endif
}

}  // namespace
}  // namespace mox::platform
