// The stamp that tells the previewer that TeX has rewritten its document.
#include "platform/file_stamp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace mox::platform {
namespace {

using std::chrono::seconds;

class FileStampTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    const std::string path = dir_.File("doc.dvi");
    test::WriteFile(path, text);
    return path;
  }
  void Shift(const std::string& path, seconds by) {
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + by);
  }
  test::TempDir dir_;
};

TEST_F(FileStampTest, RecordsPathLengthAndTime) {
  const std::string path = Write("12345");
  const FileStamp stamp = RecordFileStamp(path);
  EXPECT_EQ(stamp.Path, path);
  EXPECT_EQ(stamp.Length, 5);
  EXPECT_GE(stamp.Year, 46);  // 2026 or later
  EXPECT_GE(stamp.Month, 1);
  EXPECT_LE(stamp.Month, 12);
  EXPECT_LT(stamp.Seconds, 30);
  EXPECT_TRUE(FileUnchanged(path, stamp));
}

TEST_F(FileStampTest, MissingFileGivesTheEmptyStampAndCountsAsChanged) {
  const FileStamp missing = RecordFileStamp(dir_.File("none.dvi"));
  EXPECT_EQ(missing.Path, "");
  EXPECT_EQ(missing.Length, -1);
  EXPECT_EQ(missing.Year, 0);
  EXPECT_EQ(missing.Seconds, 0);
  // Even against its own empty stamp.
  EXPECT_FALSE(FileUnchanged(dir_.File("none.dvi"), missing));
  const std::string path = Write("x");
  const FileStamp stamp = RecordFileStamp(path);
  std::filesystem::remove(path);
  EXPECT_FALSE(FileUnchanged(path, stamp));
}

TEST_F(FileStampTest, LengthOrTimeChangesAreNoticed) {
  const std::string path = Write("12345");
  const FileStamp stamp = RecordFileStamp(path);
  Write("123456");
  Shift(path, seconds(0));
  EXPECT_FALSE(FileUnchanged(path, stamp));
  Write("12345");
  const FileStamp again = RecordFileStamp(path);
  Shift(path, seconds(10));
  EXPECT_FALSE(FileUnchanged(path, again));
}

TEST_F(FileStampTest, TimesWithinOneTwoSecondStepAreTheSame) {
  const std::string path = Write("abc");
  // An even second, then one second later: the same DOS time.
  const auto now = std::chrono::floor<seconds>(std::filesystem::last_write_time(path));
  const auto even = now - seconds(now.time_since_epoch().count() % 2);
  std::filesystem::last_write_time(path, even);
  const FileStamp stamp = RecordFileStamp(path);
  std::filesystem::last_write_time(path, even + seconds(1));
  EXPECT_TRUE(FileUnchanged(path, stamp));
  std::filesystem::last_write_time(path, even + seconds(2));
  EXPECT_FALSE(FileUnchanged(path, stamp));
}

TEST_F(FileStampTest, DosTimeFields) {
  FileStamp stamp;
  SetDosTime(stamp, 2026, 12, 7, 23, 59, 59);
  EXPECT_EQ(stamp.Year, 46);
  EXPECT_EQ(stamp.Month, 12);
  EXPECT_EQ(stamp.Day, 7);
  EXPECT_EQ(stamp.Hours, 23);
  EXPECT_EQ(stamp.Minutes, 59);
  EXPECT_EQ(stamp.Seconds, 29);
  SetDosTime(stamp, 1970, 1, 1, 0, 0, 0);
  EXPECT_EQ(stamp.Year, 0);
  SetDosTime(stamp, 2200, 1, 1, 0, 0, 0);
  EXPECT_EQ(stamp.Year, 127);
}

TEST_F(FileStampTest, ExclusiveOpenOfAFreeFile) {
  const std::string path = Write("abc");
  EXPECT_TRUE(CanOpenExclusively(path));
  EXPECT_FALSE(CanOpenExclusively(dir_.File("none.dvi")));
}

}  // namespace
}  // namespace mox::platform
