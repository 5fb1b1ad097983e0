#include "previewer/fonts/font_file_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <system_error>

#include "platform/directories.h"
#include "previewer/fonts/lookup_output.h"
#include "tests/support/temp_dir.h"

namespace mox {
namespace {

using test::kSeparator;

// Prints, like kpsewhich, the path of each asked name it knows, in order.
class FakeLookup final : public FileLookupProgram {
 public:
  FakeLookup(std::map<std::string, std::string> files, std::vector<std::vector<std::string>>& calls,
             bool fails = false)
      : files_(std::move(files)), calls_(calls), fails_(fails) {}
  std::optional<std::string> Run(const std::vector<std::string>& names) override {
    calls_.push_back(names);
    if (fails_) return std::nullopt;
    std::string output;
    for (const std::string& name : names) {
      if (files_.contains(name)) output += files_.at(name) + "\r\n";
    }
    return output;
  }

 private:
  std::map<std::string, std::string> files_;
  std::vector<std::vector<std::string>>& calls_;
  bool fails_;
};

class FontFileSearchTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& relative) {
    std::string local = relative;
    for (char& c : local) c = c == '/' ? kSeparator : c;
    const std::string path = dir_.File(local);
    platform::MakeDirectories(path.substr(0, path.rfind(kSeparator)));
    test::WriteFile(path, "x");
    return path;
  }
  std::unique_ptr<FileLookupProgram> Program(std::map<std::string, std::string> files,
                                             bool fails = false) {
    return std::make_unique<FakeLookup>(std::move(files), calls_, fails);
  }

  test::TempDir dir_;
  std::vector<std::vector<std::string>> calls_;
};

TEST_F(FontFileSearchTest, AsksOnceForManyNamesAndKeepsEveryAnswer) {
  const std::string cmr10 = Make("cmr10.tfm");
  const std::string ptmr = Make("ptmr7t.vf");
  FontFileSearch search("", Program({{"cmr10.tfm", cmr10}, {"ptmr7t.vf", ptmr}}));
  search.Prefetch(
      {"cmr10.tfm", "ptmr7t.vf", "missing.tfm", "cmr10.tfm", "-interactive", "a b.tfm"});
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0], (std::vector<std::string>{"cmr10.tfm", "ptmr7t.vf", "missing.tfm"}));
  EXPECT_EQ(search.Find("ptmr7t.vf"), ptmr);
  EXPECT_EQ(search.Find("missing.tfm"), std::nullopt);
  EXPECT_EQ(search.Find("-interactive"), std::nullopt);

  // A reload asks only for what is new; a name not prefetched goes alone.
  search.Prefetch({"cmr10.tfm", "missing.tfm", "cmr12.tfm"});
  EXPECT_EQ(search.Find("cmr10.tfm"), cmr10);
  EXPECT_EQ(search.Find("ptmr8r.tfm"), std::nullopt);
  ASSERT_EQ(calls_.size(), 3u);
  EXPECT_EQ(calls_[1], std::vector<std::string>{"cmr12.tfm"});
  EXPECT_EQ(calls_[2], std::vector<std::string>{"ptmr8r.tfm"});
  EXPECT_EQ(search.TakeProblem(), FileSearchProblem::None);
}

TEST_F(FontFileSearchTest, SplitsOnlyACommandLineThatWouldBeTooLong) {
  std::vector<std::string> names;
  for (int i = 0; i < 2500; ++i) names.push_back("font" + std::to_string(10000 + i) + ".tfm");
  FontFileSearch search("", Program({}));
  search.Prefetch(names);
  ASSERT_EQ(calls_.size(), 2u);  // 2500 names of 14 bytes: 35000 bytes
  std::size_t length = 9;        // "kpsewhich"
  for (const std::string& name : calls_[0]) length += 1 + name.size();
  EXPECT_LE(length, kLookupCommandLimit);
  EXPECT_EQ(calls_[0].size() + calls_[1].size(), names.size());
}

TEST_F(FontFileSearchTest, AProgramThatFailsIsToldOnceAndNotRunAgain) {
  FontFileSearch search("", Program({}, true));
  EXPECT_EQ(search.Find("cmr10.tfm"), std::nullopt);
  EXPECT_EQ(search.TakeProblem(), FileSearchProblem::LookupNotRun);
  EXPECT_NE(FileSearchProblemText(FileSearchProblem::LookupNotRun), nullptr);
  EXPECT_EQ(search.Find("cmr12.tfm"), std::nullopt);
  EXPECT_EQ(search.TakeProblem(), FileSearchProblem::None);
  EXPECT_EQ(calls_.size(), 1u);
}

// Lines are matched by the name at their end, whatever the order, case or
// stray text; a path in UTF-8 is held as GB18030 on Windows.
TEST(LookupOutputTest, MatchesLinesByTheirFileName) {
  const std::string utf8_folder = "/\xe5\xad\x97/";  // U+5B57
#ifdef _WIN32
  const std::string held_folder = "/\xd7\xd6/";
#else
  const std::string held_folder = utf8_folder;
#endif
  const auto answers = MatchLookupOutput({"a.tfm", "b.vf", "c.tfm", "d.tfm"},
                                         "kpathsea: a warning\n/t/C.TFM\r\n\r\n"
                                         "c:\\t\\a.tfm\n" + utf8_folder + "d.tfm");
  EXPECT_EQ(answers, (std::vector<std::optional<std::string>>{
                         "c:\\t\\a.tfm", std::nullopt, "/t/C.TFM", held_folder + "d.tfm"}));
}

TEST(SearchFoldersTest, SplitsAPathAndKeepsTheBytesOfChineseNames) {
  const std::vector<SearchFolder> folders =
      ParseSearchFolders(" \"d:\\my fonts\\\\\" ;;C:\\\\;/;e:\\\xb1\x5c;e:\\\xb1\x5c//");
  ASSERT_EQ(folders.size(), 5u);
  EXPECT_EQ(folders[0].Path, "d:\\my fonts");
  EXPECT_TRUE(folders[0].WithSubfolders);
  EXPECT_EQ(folders[1].Path, "C:\\");  // a root keeps its separator
  EXPECT_TRUE(folders[1].WithSubfolders);
  EXPECT_EQ(folders[2].Path, "/");
  EXPECT_FALSE(folders[2].WithSubfolders);
  EXPECT_EQ(folders[3].Path, "e:\\\xb1\x5c");  // 0x5C ends a character here
  EXPECT_FALSE(folders[3].WithSubfolders);
  EXPECT_TRUE(folders[4].WithSubfolders);
}

TEST_F(FontFileSearchTest, UserFoldersInOrderWithSubfoldersToTheirDepth) {
  Make("first/top.vf");
  const std::string top = Make("tree/top.vf");
  const std::string upper = Make("tree/a/UPPER.TFM");
  const std::string deep = Make("tree/1/2/3/4/5/6/7/8/deep.tfm");
  Make("tree/1/2/3/4/5/6/7/8/9/deeper.tfm");
  const std::string folders = dir_.File("tree") + "//;" + dir_.File("first");
  FontFileSearch search(folders, Program({}));
  search.Prefetch({"top.vf", "upper.tfm", "deep.tfm", "deeper.tfm"});
  EXPECT_EQ(search.Find("top.vf"), top);
  EXPECT_EQ(search.Find("upper.tfm"), upper);
  EXPECT_EQ(search.Find("deep.tfm"), deep);
  EXPECT_EQ(search.Find("deeper.tfm"), std::nullopt);
  EXPECT_TRUE(calls_.empty());

  // Without "//" only the folder itself.
  FontFileSearch flat(dir_.File("tree"), Program({}));
  EXPECT_EQ(flat.Find("deep.tfm"), std::nullopt);
}

#ifndef _WIN32
TEST_F(FontFileSearchTest, ALoopThroughLinksEnds) {
  Make("loop/x.tfm");
  std::error_code error;
  std::filesystem::create_directory_symlink(dir_.File("loop"), dir_.File("loop/back"), error);
  std::filesystem::create_directory_symlink(dir_.File("loop"), dir_.File("loop/again"), error);
  ASSERT_FALSE(error);
  const std::vector<std::string> folders =
      ExpandSearchFolders(ParseSearchFolders(dir_.File("loop//")));
  EXPECT_EQ(folders.size(), (1u << (kSubfolderDepth + 1)) - 1);  // two links a level
}
#endif

TEST(RealKpsewhichTest, FindsCmr10) {
  FontFileSearch search("");
  const std::optional<std::string> path = search.Find("cmr10.tfm");
  if (search.TakeProblem() == FileSearchProblem::LookupNotRun) GTEST_SKIP() << "no kpsewhich";
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(path->substr(path->size() - 9), "cmr10.tfm");
}

}  // namespace
}  // namespace mox
