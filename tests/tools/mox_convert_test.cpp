// mox's conversion of Chinese TeX sources: the codes of GBK and UTF-8
// sources, characters it must refuse, the line-for-line rule, and the files
// it reads and writes. String literals are GBK in this program; UTF-8 text
// is written with u8 literals.
#include <gtest/gtest.h>

#include <string>

#include "platform/directories.h"
#include "platform/text_encoding.h"
#include "tests/support/temp_dir.h"
#include "tools/mox/source_converter.h"
#include "tools/mox/source_files.h"

namespace mox::tool {
namespace {

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

ConversionResult Convert(const std::string& source, bool mer2dvi = false) {
  ConversionOptions options;
  options.Mer2Dvi = mer2dvi;
  return ConvertSource(source, options);
}

TEST(MoxConversion, GbkAndUtf8SourcesGiveTheCodesOfTheFirstAndLastCharactersOfTheRows) {
  // 　 first of row 1, ￣ last of row 3, 啊 first of row 16, 座 last of row
  // 55 (cell 89), 亍 first of row 56, 齄 last of row 87; ASCII as it is.
  const std::string expected =
      "\\moxcc{33}{33}\\moxcc{35}{126} {\\bf x}\\moxcc{48}{33}\\moxcc{87}{121}"
      "\\moxcc{88}{33}\\moxcc{119}{126}$a^2$";
  const ConversionResult gbk = Convert("　￣ {\\bf x}啊座亍齄$a^2$");
  EXPECT_FALSE(gbk.Utf8);
  EXPECT_TRUE(gbk.Problems.empty());
  EXPECT_EQ(gbk.Text, expected);
  const ConversionResult utf8 = Convert(Utf8(u8"　￣ {\\bf x}啊座亍齄$a^2$"));
  EXPECT_TRUE(utf8.Utf8);
  EXPECT_TRUE(utf8.Problems.empty());
  EXPECT_EQ(utf8.Text, expected);
  // A byte order mark is dropped; plain ASCII counts as GBK.
  EXPECT_EQ(Convert(Utf8(u8"\uFEFF中\n")).Text, "\\moxcc{86}{80}\n");
  EXPECT_FALSE(Convert("\\relax\n").Utf8);
  // Bytes above 127 that are no valid UTF-8 make a GBK source.
  EXPECT_FALSE(platform::IsUtf8Text("\xE4\xB8"));
  EXPECT_FALSE(platform::IsUtf8Text("\xC0\xAF"));
}

TEST(MoxConversion, CharactersBeyondGb2312TakeTheirUnicodeAndTheRestIsReportedWithItsPlace) {
  // GBK: 丂 (8140, GBK only) and ⅰ (A2A1, a GB 2312 cell GBK filled) by
  // their Unicode; the cell after 座 (D7FA, private use) and a lead byte at
  // the end of a line are reported.
  const ConversionResult gbk = Convert("ok\n a\x81\x40\xA2\xA1%\x81\x40\n\xD7\xFA\xB0\n");
  EXPECT_EQ(gbk.Text.substr(0, 34), "ok\n a\\moxuc{78}{2}\\moxuc{33}{112}%");
  ASSERT_EQ(gbk.Problems.size(), 2u);
  EXPECT_EQ(gbk.Problems[0].Kind, ProblemKind::PrivateUse);
  EXPECT_EQ(gbk.Problems[0].Line, 3u);
  EXPECT_EQ(gbk.Problems[0].Gbk, "\xD7\xFA");
  EXPECT_EQ(gbk.Problems[1].Kind, ProblemKind::BrokenBytes);
  EXPECT_EQ(gbk.Problems[1].Column, 2u);

  // UTF-8: 丂 from GBK, 㐀 of Extension A, U+F900 a compatibility ideograph;
  // 😀 and € (one byte in GBK) are in no Chinese font, U+E000 is private.
  const ConversionResult utf8 =
      Convert(Utf8(u8"中丂㐀\uF900\n😀€\uE000 % 😀 in a comment\n"));
  EXPECT_EQ(utf8.Text.substr(0, utf8.Text.find('\n') + 1),
            "\\moxcc{86}{80}\\moxuc{78}{2}\\moxuc{52}{0}\\moxuc{249}{0}\n");
  ASSERT_EQ(utf8.Problems.size(), 3u);
  EXPECT_EQ(utf8.Problems[0].Kind, ProblemKind::NoChineseFont);
  EXPECT_EQ(utf8.Problems[0].Line, 2u);
  EXPECT_EQ(utf8.Problems[0].CodePoint, U'\U0001F600');
  EXPECT_EQ(utf8.Problems[1].Column, 2u);
  EXPECT_EQ(utf8.Problems[2].Kind, ProblemKind::PrivateUse);
  EXPECT_EQ(utf8.Problems[2].CodePoint, U'\uE000');
}

TEST(MoxConversion, GbkBytesInAUtf8SourceAreNamedAndNothingIsConverted) {
  // A GBK 中 pasted into UTF-8 text, and a lone continuation byte.
  const ConversionResult mixed =
      Convert(Utf8(u8"中文 text\n一个") + "\xD6\xD0" + Utf8(u8"字，好\n") + "\x80" + Utf8(u8"。\n"));
  EXPECT_TRUE(mixed.Utf8);
  EXPECT_TRUE(mixed.Text.empty());
  ASSERT_EQ(mixed.Problems.size(), 2u);
  EXPECT_EQ(mixed.Problems[0].Kind, ProblemKind::InvalidUtf8);
  EXPECT_EQ(mixed.Problems[0].Line, 2u);
  EXPECT_EQ(mixed.Problems[0].Column, 3u);
  EXPECT_EQ(mixed.Problems[0].Gbk, "\xD6\xD0");
  EXPECT_EQ(mixed.Problems[1].Line, 3u);
  EXPECT_EQ(mixed.Problems[1].Column, 1u);
  // GBK text in which a pair reads as UTF-8 now and then stays GBK: 吖
  // (DFB9) is a valid two-byte UTF-8 sequence.
  const ConversionResult gbk = Convert("\xDF\xB9\xD6\xD0\xCE\xC4\n");
  EXPECT_FALSE(gbk.Utf8);
  EXPECT_TRUE(gbk.Problems.empty());
}

TEST(MoxConversion, LinesStayLineForLineAndBreaksBetweenChineseAddNoSpace) {
  const std::string source = Utf8(
      u8"中\r\n"       // CR LF kept; the next line starts with Chinese after blanks
      u8"  文 \t\n"    // trailing blanks go into the comment
      u8"字% 注释\n"   // a comment: no second "%", its text as it is
      u8"x\\%\n"       // an escaped "%" is no comment
      u8"啊\n"
      u8"\n"           // an empty line is a paragraph end: no "%"
      u8"齄\n"
      u8"a");
  const ConversionResult result = Convert(source);
  ASSERT_TRUE(result.Problems.empty());
  EXPECT_EQ(result.Text, Utf8(u8"\\moxcc{86}{80}%\r\n"
                              u8"  \\moxcc{78}{68}% \t\n"
                              u8"\\moxcc{87}{86}% 注释\n"
                              u8"x\\%\n"
                              u8"\\moxcc{48}{33}\n"
                              u8"\n"
                              u8"\\moxcc{119}{126}\n"
                              u8"a"));
}

TEST(MoxConversion, Mer2DviMovesTheCharacterRowsFiveUpAndLeavesTheSymbols) {
  EXPECT_EQ(Convert("，啊齄亍", true).Text,
            "\\moxcc{35}{44}\\moxcc{53}{33}\\moxcc{124}{126}\\moxcc{93}{33}");
}

TEST(MoxFiles, BaseNamesFindTheSourceAndTheInputIsNeverWrittenOver) {
  test::TempDir dir;
  SourceFiles files;
  test::WriteFile(dir.File("paper.ctx"), "x");
  ASSERT_EQ(FindSourceFiles(dir.File("paper"), files), NameProblem::None);
  EXPECT_EQ(files.Source, dir.File("paper.ctx"));
  EXPECT_EQ(files.Output, dir.File("paper.tex"));
  ASSERT_EQ(FindSourceFiles(dir.File("paper.ctx"), files), NameProblem::None);
  EXPECT_EQ(files.Output, dir.File("paper.tex"));
  // A folder name with a dot does not make an extension.
  ASSERT_TRUE(platform::MakeDirectories(dir.File("v1.2")));
  test::WriteFile(dir.File("v1.2") + test::kSeparator + "notes.ctx", "x");
  ASSERT_EQ(FindSourceFiles(dir.File("v1.2") + test::kSeparator + "notes", files),
            NameProblem::None);
  EXPECT_EQ(files.Output, dir.File("v1.2") + test::kSeparator + "notes.tex");

  test::WriteFile(dir.File("own.TEX"), "\\bye\n");
  EXPECT_EQ(FindSourceFiles(dir.File("own.TEX"), files), NameProblem::OutputIsInput);
  EXPECT_EQ(FindSourceFiles(dir.File("missing"), files), NameProblem::NotFound);
  EXPECT_EQ(files.Source, dir.File("missing.ctx"));

  // The output is replaced whole, and nothing else is left in the folder.
  test::WriteFile(dir.File("paper.tex"), "old");
  ASSERT_TRUE(WriteFileInPlace(dir.File("paper.tex"), "new"));
  EXPECT_EQ(test::ReadFile(dir.File("paper.tex")), "new");
  EXPECT_FALSE(test::FileExists(dir.File("paper.tex.mox.tmp")));
  // A folder where the output should go: writing fails, the temporary file
  // is removed.
  ASSERT_TRUE(platform::MakeDirectories(dir.File("busy.tex")));
  EXPECT_FALSE(WriteFileInPlace(dir.File("busy.tex"), "new"));
  EXPECT_FALSE(test::FileExists(dir.File("busy.tex.mox.tmp")));
}

}  // namespace
}  // namespace mox::tool
