// The phrase file read into 188 rows and saved back: descriptions cut at
// whole characters, lines after the 188th kept, the backup holding the
// previous save, and a failed save leaving both files as they were.
#include "frontend/core/user_phrases.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/file_system.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

std::string Lines(int from, int to) {
  std::string bytes;
  for (int i = from; i < to; ++i) bytes += "phrase " + std::to_string(i) + "\r\n";
  return bytes;
}

TEST(UserPhrasesTest, DescriptionsKeepWholeCharactersReadingAndSaving) {
  PhraseList list = ParsePhrases(
      "exactly 18 bytes..\r\n"
      "ab\xB1\xED\xB8\xF1\xBF\xD8\xD6\xC6\xD0\xD0\xBE\xE0\xB6\xD4" "c\xC6\xEB\\hfil   \r\n");
  EXPECT_EQ(list.Rows[0].Description, "exactly 18 bytes..");
  EXPECT_EQ(list.Rows[0].Phrase, "");
  EXPECT_EQ(list.Rows[1].Phrase, "\xC6\xEB\\hfil");

  // Twenty characters typed: nine whole ones are saved, or eight and the
  // letter before them with a space where the ninth would be cut.
  list.Rows[0].Description = "二十个汉字的说明文字一二三四五六七八九十";
  list.Rows[0].Phrase = "\\section{}";
  list.Rows[2].Description = "a二十个汉字的说明文字一二三四五六七八九十";
  const std::string saved = FormatPhrases(list);
  EXPECT_EQ(saved.substr(0, 30), "二十个汉字的说明文\\section{}\r\n");
  const PhraseList back = ParsePhrases(saved);
  EXPECT_EQ(back.Rows[2].Description, "a二十个汉字的说明 ");
  EXPECT_EQ(back.Rows[1].Phrase, "\xC6\xEB\\hfil");
  EXPECT_EQ(back.Rows[187].Description, std::string(18, ' '));
}

TEST(UserPhrasesTest, ALongFileKeepsEveryLineAndTheBackupHoldsThePreviousSave) {
  test::RecordingUserInterface ui;
  test::TempDir dir;
  const std::string file = dir.File("usermac.txt");
  test::WriteFile(file, Lines(0, 200));
  PhraseList list = LoadPhrases(dir.Path());
  EXPECT_EQ(list.Rows[187].Description, "phrase 187");
  list.Rows[0].Phrase = "\\begin{document}";
  ASSERT_TRUE(SavePhrases(dir.Path(), list));
  const std::string first = test::ReadFile(file);
  EXPECT_EQ(first.substr(0, 36), "phrase 0          \\begin{document}\r\n");
  EXPECT_EQ(first.substr(first.size() - 12 * 12), Lines(188, 200));
  EXPECT_EQ(test::ReadFile(dir.File("usermac.bak")), Lines(0, 200));

  list.Rows[1].Phrase = "\\end{document}";
  ASSERT_TRUE(SavePhrases(dir.Path(), list));
  EXPECT_EQ(test::ReadFile(dir.File("usermac.bak")), first);
  EXPECT_EQ(ParsePhrases(test::ReadFile(file)).Rows[1].Phrase, "\\end{document}");
  EXPECT_FALSE(test::FileExists(dir.File("usermac.new")));
  ASSERT_EQ(ui.Boxes.size(), 2u);
  EXPECT_EQ(ui.Boxes[1].Caption, kPhraseSavedCaption);
  EXPECT_EQ(ui.Boxes[1].Text, kPhraseSavedText);
}

// Refuses to write one file, or every rename.
class FailingFiles final : public platform::FileSystem {
 public:
  FailingFiles(std::string refused) : refused_(std::move(refused)) { platform::SetFiles(this); }
  ~FailingFiles() override { platform::SetFiles(nullptr); }
  std::FILE* Open(const std::string& path, const char* mode) override {
    if (!refused_.empty() && path.find(refused_) != std::string::npos && mode[0] == 'w') {
      errno = ENOSPC;
      return nullptr;
    }
    return platform::SystemFiles().Open(path, mode);
  }
  bool Remove(const std::string& path) override { return platform::SystemFiles().Remove(path); }
  bool Rename(const std::string& from, const std::string& to) override {
    return refused_.empty() ? false : platform::SystemFiles().Rename(from, to);
  }
  bool Exists(const std::string& path) override { return platform::SystemFiles().Exists(path); }

 private:
  std::string refused_;
};

TEST(UserPhrasesTest, AFailedSaveLeavesTheFileAndTheBackupAndSaysWhy) {
  test::RecordingUserInterface ui;
  test::TempDir dir;
  test::WriteFile(dir.File("usermac.txt"), Lines(0, 3));
  test::WriteFile(dir.File("usermac.bak"), Lines(5, 7));
  PhraseList list = LoadPhrases(dir.Path());
  list.Rows[0].Phrase = "lost";
  {
    FailingFiles full_disk("usermac.new");
    EXPECT_FALSE(SavePhrases(dir.Path(), list));
  }
  {
    FailingFiles no_renames("");
    EXPECT_FALSE(SavePhrases(dir.Path(), list));
  }
  EXPECT_EQ(test::ReadFile(dir.File("usermac.txt")), Lines(0, 3));
  EXPECT_EQ(test::ReadFile(dir.File("usermac.bak")), Lines(5, 7));
  EXPECT_FALSE(test::FileExists(dir.File("usermac.new")));
  EXPECT_FALSE(test::FileExists(dir.File("usermac.bk~")));
  ASSERT_EQ(ui.Boxes.size(), 2u);
  EXPECT_NE(ui.Boxes[0].Text.find("磁盘空间不足"), std::string::npos) << ui.Boxes[0].Text;
  EXPECT_NE(ui.Boxes[1].Text.find("usermac.bak"), std::string::npos) << ui.Boxes[1].Text;
}

}  // namespace
}  // namespace mox::varelo
