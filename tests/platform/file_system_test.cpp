#include "platform/file_system.h"

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "tests/support/temp_dir.h"

namespace mox::platform {
namespace {

TEST(FileSystemTest, RenameRefusesToReplaceAnExistingFile) {
  test::TempDir dir;
  test::WriteFile(dir.File("a"), "old");
  test::WriteFile(dir.File("b"), "other");
  EXPECT_FALSE(Files().Rename(dir.File("a"), dir.File("b")));
  EXPECT_EQ(test::ReadFile(dir.File("b")), "other");
  EXPECT_TRUE(Files().Rename(dir.File("a"), dir.File("c")));
  EXPECT_FALSE(Files().Exists(dir.File("a")));
  EXPECT_EQ(test::ReadFile(dir.File("c")), "old");
}

TEST(FileSystemTest, TextModeWritesThePlatformsLineEnds) {
  test::TempDir dir;
  FilePtr file = OpenFile(dir.File("t.ini"), "w+t");
  ASSERT_TRUE(file);
  std::fputs("-R300\n", file.get());
  EXPECT_TRUE(CloseChecked(file));
#ifdef _WIN32
  EXPECT_EQ(test::ReadFile(dir.File("t.ini")), "-R300\r\n");
#else
  EXPECT_EQ(test::ReadFile(dir.File("t.ini")), "-R300\n");
#endif
}

TEST(FileSystemTest, CloseCheckedReportsAFailedWrite) {
  test::TempDir dir;
  test::WriteFile(dir.File("r"), "x");
  FilePtr file = OpenFile(dir.File("r"), "rb");
  ASSERT_TRUE(file);
  std::fputs("cannot go to a stream opened for reading", file.get());
  EXPECT_FALSE(CloseChecked(file));
  FilePtr none;
  EXPECT_FALSE(CloseChecked(none));
}

TEST(FileSystemTest, ChineseFileNamesRoundTrip) {
  test::TempDir dir;
  const std::string name = dir.File("论文.dvi");
  FilePtr file = OpenFile(name, "wb");
  ASSERT_TRUE(file);
  EXPECT_TRUE(CloseChecked(file));
  EXPECT_TRUE(Files().Exists(name));
  EXPECT_TRUE(Files().Remove(name));
  EXPECT_FALSE(Files().Exists(name));
}

TEST(EnvironmentTest, SetReadAndRemove) {
  const std::string name = "MOXTEST_VARIABLE";
  SetEnvironmentText(name, std::string("  -R300 字"));
  EXPECT_EQ(GetEnvironmentText(name), std::optional<std::string>("  -R300 字"));
  SetEnvironmentText(name, std::string());
  SetEnvironmentText(name, std::nullopt);
  EXPECT_EQ(GetEnvironmentText(name), std::nullopt);
}

}  // namespace
}  // namespace mox::platform
