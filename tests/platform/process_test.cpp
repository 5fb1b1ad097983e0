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
  const std::string command = "echo yes > '" + marker + "'";
#endif
  ASSERT_TRUE(StartProgram(command, 0));
  for (int i = 0; i < 200 && test::ReadFile(marker).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_NE(test::ReadFile(marker).find("yes"), std::string::npos);
}

#ifdef _WIN32
TEST(ProcessTest, ReportsAProgramThatCannotStart) {
  EXPECT_FALSE(StartProgram("C:\\no\\such\\program.exe", 0));
}
#endif

}  // namespace
}  // namespace mox::platform
