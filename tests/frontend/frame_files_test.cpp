// Names the frame builds from paths: the name part and the program folder
// must not cut a Chinese character whose second byte is a backslash, and
// the command interpreter is the one the system names.
#include "frontend/core/frame_files.h"

#include <gtest/gtest.h>

#include <string>

namespace mox::varelo {
namespace {

// 乗 is 0x81 0x5C in GBK: its trail byte is the code of the backslash.
const std::string kTrailBackslash = "\x81\x5C";

TEST(FrameFilesTest, NamesAndFoldersEndAtRealSeparatorsOnly) {
  const std::string folder = "C:\\TeX\\" + kTrailBackslash;
  EXPECT_EQ(NamePartOf(folder + "\\" + kTrailBackslash + ".ctx"), kTrailBackslash + ".ctx");
  EXPECT_EQ(NamePartOf("a" + kTrailBackslash + "b.tex"), "a" + kTrailBackslash + "b.tex");
  EXPECT_EQ(NamePartOf("D:paper.tex"), "paper.tex");
  EXPECT_EQ(NamePartOf("C:\\dir/paper.tex"), "paper.tex");
  EXPECT_EQ(NamePartOf("C:\\dir\\"), "");

  EXPECT_EQ(ProgramDirOf(folder + "\\Varelo.exe"), folder);
  EXPECT_EQ(ProgramDirOf("C:\\Varelo.exe"), "C:");
  EXPECT_EQ(ProgramDirOf(folder + kTrailBackslash), "C:\\TeX");
  EXPECT_EQ(NewsCommandLine(folder), "notepad.exe " + folder + "\\news.txt");
}

TEST(FrameFilesTest, RelativePathsAreMadeFull) {
  EXPECT_EQ(FullPathOf("paper.tex", "C:\\work"), "C:\\work\\paper.tex");
  EXPECT_EQ(FullPathOf("paper.tex", "C:\\"), "C:\\paper.tex");
  EXPECT_EQ(FullPathOf("sub\\paper.tex", "C:\\" + kTrailBackslash),
            "C:\\" + kTrailBackslash + "\\sub\\paper.tex");
  EXPECT_EQ(FullPathOf("D:paper.tex", "D:\\x"), "D:\\x\\paper.tex");
  EXPECT_EQ(FullPathOf("\\dir\\paper.tex", "E:\\x"), "E:\\dir\\paper.tex");
  EXPECT_EQ(FullPathOf("Z:/tmp/paper.tex", "C:\\x"), "Z:/tmp/paper.tex");
  EXPECT_EQ(FullPathOf("\\\\server\\share\\a.tex", "C:\\x"), "\\\\server\\share\\a.tex");
}

TEST(FrameFilesTest, CommandInterpreterIsTheOneComspecNames) {
  EXPECT_EQ(CommandInterpreter(std::nullopt), "cmd.exe");
  EXPECT_EQ(CommandInterpreter(std::string()), "cmd.exe");
  EXPECT_EQ(CommandInterpreter(std::string("C:\\WINDOWS\\system32\\cmd.exe")),
            "C:\\WINDOWS\\system32\\cmd.exe");
  // A path with blanks is quoted, or the program would be looked for at
  // the first blank.
  EXPECT_EQ(CommandInterpreter(std::string("C:\\Program Files\\Shell\\sh.exe")),
            "\"C:\\Program Files\\Shell\\sh.exe\"");
}

}  // namespace
}  // namespace mox::varelo
