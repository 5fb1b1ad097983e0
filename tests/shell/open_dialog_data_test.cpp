#include "previewer/shell/open_dialog_data.h"

#include <gtest/gtest.h>

namespace mox {
namespace {

TEST(OpenDialogDataTest, InitialDirectoryIsTheFolderOfTheDocument) {
  EXPECT_EQ(OpenDialogInitialDirectory("C:\\tex\\work\\paper.dvi"), "C:/tex/work");
  EXPECT_EQ(OpenDialogInitialDirectory("..\\paper.DVI"), "..");
  EXPECT_EQ(OpenDialogInitialDirectory("docs/paper.dvi"), "docs");
}

TEST(OpenDialogDataTest, DriveRootAndBareNames) {
  EXPECT_EQ(OpenDialogInitialDirectory("C:paper.dvi"), "C:");
  EXPECT_EQ(OpenDialogInitialDirectory("\\paper.dvi"), "/");
  EXPECT_EQ(OpenDialogInitialDirectory("/paper.dvi"), "/");
  EXPECT_EQ(OpenDialogInitialDirectory("paper.dvi"), "");
  EXPECT_EQ(OpenDialogInitialDirectory(""), "");
  // The separator after the drive is cut like any other.
  EXPECT_EQ(OpenDialogInitialDirectory("C:\\paper.dvi"), "C:");
}

TEST(OpenDialogDataTest, TrailBytesOfChineseNamesAreNotSeparators) {
  // 0x5C is '\\' as a single byte but a trail byte after 0x81..0xFE.
  const std::string folder = "D:\\\x81\x5C";
  EXPECT_EQ(OpenDialogInitialDirectory(folder + "\\paper.dvi"), "D:/\x81\x5C");
  EXPECT_EQ(OpenDialogInitialDirectory("\x81\x5Cpaper.dvi"), "");
}

}  // namespace
}  // namespace mox
