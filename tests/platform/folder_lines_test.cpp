#include "platform/folder_lines.h"

#include <gtest/gtest.h>

namespace mox::platform {
namespace {

using Chain = std::vector<std::wstring>;

TEST(FolderLines, ChainRunsFromTheRootDownWhateverTheSeparators) {
  EXPECT_EQ(FolderChain(L"C:\\Program Files\\TeX"),
            (Chain{L"C:\\", L"C:\\Program Files", L"C:\\Program Files\\TeX"}));
  // Trailing, doubled and forward separators change nothing.
  EXPECT_EQ(FolderChain(L"c:/a//b\\"), (Chain{L"c:\\", L"c:\\a", L"c:\\a\\b"}));
  EXPECT_EQ(FolderChain(L"D:\\"), (Chain{L"D:\\"}));
  // A share's root is server and share together.
  EXPECT_EQ(FolderChain(L"\\\\server\\share\\论文"),
            (Chain{L"\\\\server\\share\\", L"\\\\server\\share\\论文"}));
  // Nothing that has no root: a list could not show where it is.
  EXPECT_TRUE(FolderChain(L"C:").empty());
  EXPECT_TRUE(FolderChain(L"C:work").empty());
  EXPECT_TRUE(FolderChain(L"work\\tex").empty());
  EXPECT_TRUE(FolderChain(L"\\\\server").empty());
  EXPECT_TRUE(FolderChain(L"").empty());
}

TEST(FolderLines, PathFoldersOpenThenSortedSubfoldersOneStepDeeper) {
  const std::vector<FolderLine> lines =
      FolderListLines(L"C:\\work", {L"tex", L"..", L"Bib", L".", L"论文", L"amsTeX"});
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].Text, L"C:\\");
  EXPECT_EQ(lines[1].Text, L"work");
  EXPECT_TRUE(lines[0].Open && lines[1].Open);
  EXPECT_EQ(CurrentFolderLine(lines), 1);
  // Case does not decide the order.
  const Chain names{lines[2].Text, lines[3].Text, lines[4].Text, lines[5].Text};
  EXPECT_EQ(names, (Chain{L"amsTeX", L"Bib", L"tex", L"论文"}));
  EXPECT_EQ(lines[3].Path, L"C:\\work\\Bib");
  EXPECT_EQ(lines[3].Depth, 2);
  EXPECT_FALSE(lines[3].Open);

  // At a root a subfolder's path has one separator, not two.
  const std::vector<FolderLine> root = FolderListLines(L"Z:\\", {L"tmp"});
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[1].Path, L"Z:\\tmp");
  EXPECT_EQ(root[1].Depth, 1);

  EXPECT_TRUE(FolderListLines(L"relative", {L"x"}).empty());
  EXPECT_EQ(CurrentFolderLine({}), -1);
}

}  // namespace
}  // namespace mox::platform
