#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>

namespace mox::platform {
namespace {

#ifdef _WIN32
const char* const kTwoLinesExit3 = "cmd.exe /c \"echo one& echo two& exit 3\"";
const char* const kMuchOutput = "cmd.exe /c \"for /l %i in (1,1,1000) do @echo 0123456789abcdef\"";
const char* const kSleeper = "cmd.exe /c \"ping -n 6 127.0.0.1 >nul\"";
#else
const char* const kTwoLinesExit3 = "/bin/sh -c \"echo one; echo two; echo error >&2; exit 3\"";
const char* const kMuchOutput = "head -c 200000 /dev/zero";
const char* const kSleeper = "sleep 5";
#endif

TEST(ProgramOutputTest, GivesStandardOutputAndExitCode) {
  const std::optional<ProgramOutput> run = RunProgramForOutput(kTwoLinesExit3, 20000, 1000);
  ASSERT_TRUE(run.has_value());
  EXPECT_EQ(run->ExitCode, 3);
  std::string text = run->Output;
  std::erase(text, '\r');
  EXPECT_EQ(text, "one\ntwo\n");  // standard error is not in it
}

// More output than a pipe holds: the program still ends, the rest dropped.
TEST(ProgramOutputTest, DropsOutputBeyondTheLimit) {
  const std::optional<ProgramOutput> run = RunProgramForOutput(kMuchOutput, 20000, 1000);
  ASSERT_TRUE(run.has_value());
  EXPECT_EQ(run->ExitCode, 0);
  EXPECT_EQ(run->Output.size(), 1000u);
}

TEST(ProgramOutputTest, NothingForAProgramThatDoesNotStartOrEndInTime) {
  EXPECT_FALSE(RunProgramForOutput("no-such-program-anywhere --x", 1000, 100).has_value());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(RunProgramForOutput(kSleeper, 300, 100).has_value());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace mox::platform
