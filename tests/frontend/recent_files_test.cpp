// The recent files list: most recent first, once whatever the case of its
// ASCII letters, eight at most, Chinese names kept as they are, kept in
// Varelo.ini beside the other settings, and a file gone taken off the list.
#include "frontend/core/recent_files.h"

#include <gtest/gtest.h>

#include "platform/text_format.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

TEST(RecentFilesTest, OrderDuplicatesAndTheCap) {
  RecentFiles files;
  files.Add("C:\\TeX\\a.tex");
  files.Add("C:\\TeX\\b.tex");
  files.Add("c:\\tex\\A.TEX");  // the first again
  EXPECT_EQ(files.Paths(), (std::vector<std::string>{"c:\\tex\\A.TEX", "C:\\TeX\\b.tex"}));
  // 丄 and 乤 differ only in a trail byte with the code of 'A' or 'a'.
  files.Add("D:\\丄.ctx");
  files.Add("D:\\乤.ctx");
  EXPECT_EQ(files.Paths().size(), 4u);
  files.Add("");
  files.Add("bad\nname");
  EXPECT_EQ(files.Paths().size(), 4u);
  for (int i = 0; i < 10; ++i) files.Add("E:\\my papers\\" + std::to_string(i) + ".tex");
  ASSERT_EQ(files.Paths().size(), kRecentFileCount);
  EXPECT_EQ(files.Paths().front(), "E:\\my papers\\9.tex");
  EXPECT_EQ(files.Paths().back(), "E:\\my papers\\2.tex");
  files.Add("F:\\R&D\\论文.tex");
  EXPECT_EQ(files.MenuCaptions().front(), "&1 F:\\R&&D\\论文.tex");
  EXPECT_EQ(files.MenuCaptions().back(), "&8 E:\\my papers\\3.tex");
}

TEST(RecentFilesTest, KeptInTheSettingsFileBesideOtherLines) {
  SettingsFile file = SettingsFile::Parse("; mine\r\nPaletteBar=0\r\n");
  EXPECT_TRUE(ReadRecentFiles(file).Paths().empty());
  RecentFiles files;
  for (const char* path : {"C:\\a b\\1.tex", "D:\\论文\\2.ctx", "3.tex"}) files.Add(path);
  WriteRecentFiles(files, file);
  file = SettingsFile::Parse(file.Text());
  EXPECT_EQ(ReadRecentFiles(file).Paths(), files.Paths());
  EXPECT_FALSE(ReadSettings(file).PaletteBar);
  files.Remove("c:\\A B\\1.TEX");
  WriteRecentFiles(files, file);
  EXPECT_EQ(file.Text(),
            "; mine\r\nPaletteBar=0\r\nRecentFile1=3.tex\r\nRecentFile2=D:\\论文\\2.ctx\r\n");
  // Lines written by hand: duplicates and gaps left out.
  EXPECT_EQ(
      ReadRecentFiles(SettingsFile::Parse("RecentFile3=x\nRecentFile1=X\nRecentFile2=\n")).Paths(),
      std::vector<std::string>{"X"});
}

TEST(RecentFilesTest, AFileGoneIsTakenOffWhenChosen) {
  test::TempDir dir;
  const std::string there = dir.File("there.tex");
  const std::string gone = dir.File("gone.tex");
  test::WriteFile(there, "x");
  RecentFiles files;
  files.Add(there);
  files.Add(gone);
  RecentChoice choice = files.Choose(0);
  EXPECT_FALSE(choice.Path);
  EXPECT_EQ(choice.Message, Format(kRecentFileGoneText, gone.c_str()));
  EXPECT_EQ(files.Paths(), std::vector<std::string>{there});
  choice = files.Choose(0);
  EXPECT_EQ(choice.Path, there);
  EXPECT_TRUE(choice.Message.empty());
  EXPECT_FALSE(files.Choose(5).Path);
}

}  // namespace
}  // namespace mox::varelo
