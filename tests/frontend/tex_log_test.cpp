// TeX logs read as the editor lists them: logs of real runs (made by
// tools/fixtures/make-texlog-fixtures.sh) with errors in \input files,
// broken lines, Chinese folder names, boxes and lost characters; the
// places rows open, and mox's messages beside the log.
#include "frontend/core/tex_log.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "frontend/core/build_messages.h"
#include "frontend/core/mox_messages.h"
#include "frontend/core/program_start.h"
#include "frontend/core/tex_log_place.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

TexLog Fixture(const char* name, bool gbk = true) {
  const std::string bytes = test::ReadFile(std::string(MOX_FIXTURES_DIR) + "/texlog/" + name);
  EXPECT_FALSE(bytes.empty()) << name;
  TexLogOptions options;
  options.Gbk = gbk;
  return ParseTexLog(bytes, options);
}

// The log's own bytes of a UTF-8 text (the literals of this file are GBK).
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(TexLogFixtures, ErrorsOfAnInputFileAmongTheMainFilesWarnings) {
  const TexLog log = Fixture("chapters.log");
  ASSERT_EQ(log.Rows.size(), 9u);
  EXPECT_EQ(log.Count(LogRowKind::Error), 3u);
  EXPECT_EQ(log.Count(LogRowKind::Badbox), 1u);
  const LogRow& undefined = log.Rows[2];
  EXPECT_EQ(undefined.File, "./chapters/one.tex");
  EXPECT_EQ(undefined.Line, 2);
  EXPECT_EQ(undefined.Message, "Undefined control sequence.");
  ASSERT_EQ(undefined.Context.size(), 2u);
  EXPECT_EQ(undefined.Context[0], "l.2 Text with \\undefinedmacro");
  EXPECT_EQ(undefined.Context[1], std::string(30, ' ') + "here and (then");
  EXPECT_EQ(log.Rows[4].Message,
            "LaTeX Error: \\begin{itemize} on input line 4 ended by \\end{enumerate}.");
  // The context's "(then" and the package warning's "(here" close nothing:
  // the box and the warnings after the \input file are the main file's.
  EXPECT_EQ(log.Rows[0].Message, "LaTeX Warning: Reference `sec:missing' on page 1 undefined.");
  EXPECT_EQ(log.Rows[0].Line, 3);
  EXPECT_EQ(log.Rows[5].File, "./chapters.tex");
  EXPECT_EQ(log.Rows[5].Line, 5);
  EXPECT_EQ(log.Rows[6].Message, "Package mine Warning: Something odd happened (here.");
  EXPECT_EQ(log.Rows[6].Line, 6);
  EXPECT_EQ(log.Rows[8].File, "./chapters.tex");
  EXPECT_EQ(log.Rows[8].Line, 0);
  EXPECT_EQ(log.Pages, 1);
  EXPECT_EQ(log.OutputFile, "chapters.dvi");
}

TEST(TexLogFixtures, BrokenNamesReadTheSameAtAnyLineWidth) {
  const std::string folder =
      "a-folder-whose-name-is-long-enough-that-tex-must-break-it-over-two-lines-of-its-log-even-when-"
      "the-lines-are-120-bytes-wide";
  const std::string source = "a-source-with-a-name-long-enough-to-break-the-output-line";
  for (const char* name : {"wrapped.log", "wide.log"}) {
    SCOPED_TRACE(name);
    const TexLog log = Fixture(name);
    ASSERT_EQ(log.Rows.size(), 2u);
    EXPECT_EQ(log.Rows[0].File, "./" + folder + "/part.tex");
    EXPECT_EQ(log.Rows[0].Line, 1);
    EXPECT_EQ(log.Rows[1].File, "./" + source + ".tex");
    EXPECT_EQ(log.Rows[1].Line, 6);
    EXPECT_EQ(log.Rows[1].Message,
              "Paragraph ended before \\a was complete. (Runaway argument? {unfinished ()");
    EXPECT_EQ(log.Pages, 1);
    EXPECT_EQ(log.OutputFile, source + ".dvi");
  }
  EXPECT_EQ(Fixture("wrapped.log").LineWidth, 79u);
  EXPECT_EQ(Fixture("wide.log").LineWidth, 120u);
}

TEST(TexLogFixtures, ChineseFolderNamesInUtf8AndGbk) {
  const TexLog utf8 = Fixture("utf8.log");
  EXPECT_TRUE(utf8.Utf8);
  ASSERT_EQ(utf8.Rows.size(), 3u);
  // Broken inside a character and turned into GBK for the editor.
  EXPECT_EQ(utf8.Rows[2].File, "./长的中文目录名字用来让文件名在日志里换行的地方正好落在一个汉字的中间/部分.tex");
  EXPECT_EQ(utf8.Rows[0].Message, "LaTeX Error: Unicode character 中 (U+4E2D) not set up for use with LaTeX.");
  EXPECT_EQ(utf8.Rows[2].Context[0], "l.1 中文\\undefinedinchinese");
  EXPECT_EQ(Fixture("utf8.log", false).Rows[2].File,
            Utf8(u8"./长的中文目录名字用来让文件名在日志里换行的地方正好落在一个汉字的中间/部分.tex"));
  // The bytes as they are from latex, as ^^d6^^d0^^ce^^c4 from tex.
  for (const char* name : {"gbk.log", "gbk-plain.log"}) {
    const TexLog gbk = Fixture(name);
    EXPECT_FALSE(gbk.Utf8) << name;
    ASSERT_EQ(gbk.Rows.size(), 1u) << name;
    EXPECT_EQ(gbk.Rows[0].File, "./中文/part.tex") << name;
  }
}

TEST(TexLogFixtures, BoxesWithTheirLinesAndRanges) {
  const TexLog log = Fixture("boxes.log");
  EXPECT_EQ(log.Count(LogRowKind::Badbox), 10u);
  EXPECT_EQ(log.Count(LogRowKind::Warning), 2u);
  const LogRow& paragraph = log.Rows[7];
  EXPECT_EQ(paragraph.Message, "Overfull \\hbox (161.70819pt too wide) in paragraph at lines 3--11");
  EXPECT_EQ(paragraph.Line, 3);
  EXPECT_EQ(paragraph.LastLine, 11);
  EXPECT_EQ(log.Rows[3].Message, "Underfull \\vbox (badness 10000) detected at line 7");
  EXPECT_EQ(log.Rows[3].Line, 7);
  EXPECT_EQ(log.Rows[3].LastLine, 7);
  const LogRow& output = log.Rows.back();
  EXPECT_EQ(output.Message, "Overfull \\vbox (320.58267pt too high) has occurred while \\output is active");
  EXPECT_EQ(output.Line, 0);
  EXPECT_EQ(output.File, "./boxes.tex");  // the box text's "(box" opened nothing
  EXPECT_EQ(log.Pages, 2);
}

TEST(TexLogFixtures, LostCharactersAndAMissingFileThatStopsTheRun) {
  const TexLog log = Fixture("lost.log", false);
  ASSERT_EQ(log.Rows.size(), 4u);
  EXPECT_EQ(log.Rows[0].Kind, LogRowKind::Warning);
  EXPECT_EQ(log.Rows[0].Message, "Missing character: There is no \xC8 in font cmr10!");
  EXPECT_EQ(log.Rows[2].Message, "LaTeX Error: File `nonexistentfile.tex' not found.");
  EXPECT_EQ(log.Rows[2].Line, 5);  // from the emergency stop it ends in
  EXPECT_EQ(log.Rows[3].Message, "Emergency stop.");
  EXPECT_EQ(log.Pages, 0);
  EXPECT_EQ(log.OutputFile, "");
}

TEST(TexLogLines, BreaksAtTheWidthAndOnlyThere) {
  const std::string full(79, 'x');
  // A line as wide as the width ended in a break: the empty line after it
  // is its end, a message after it is no part of it; the statistics and
  // the banner are written past the breaking.
  const std::string log = "This is TeX, " + std::string(100, 'b') + "\n" + full + "\n\nnext\n" + full +
                          "\n! Error.\n(./a/^^\n" + std::string(73, 'y') + "^^e4^^\nb8^^adz.tex\n"
                          "Here is how much of TeX's memory you used:\n " + std::string(85, 's') + "\n";
  const LogLines lines = SplitTexLog(log);
  EXPECT_EQ(lines.Width, 79u);
  ASSERT_EQ(lines.Lines.size(), 9u);
  EXPECT_EQ(lines.Lines[1].Text, full);
  EXPECT_EQ(lines.Lines[2].Text, "next");
  EXPECT_EQ(lines.Lines[2].Number, 4u);
  EXPECT_EQ(lines.Lines[4].Text, "! Error.");
  EXPECT_EQ(lines.Lines[5].Text, "(./a/^^");  // ^^ with no digits stays
  // A character's ^^ form broken over two lines.
  EXPECT_EQ(lines.Lines[6].Text, std::string(73, 'y') + "\xE4\xB8\xAD" + "z.tex");
  EXPECT_EQ(lines.Lines[6].Joins, std::vector<std::size_t>{75});
  EXPECT_EQ(DecodeHatName("a^^Mb^^?^^ffc^^5"), "a\rb\x7F\xFF" "c^^5");
}

TEST(TexLogFiles, ParenthesesOfMessagesOpenAndCloseNoFile) {
  LogFileStack files([](const std::string& name) { return name == "README" || name == "./x.tex"; });
  auto read = [&files](std::string text, std::vector<std::size_t> joins = {}) {
    files.Read(LogLine{std::move(text), 1, std::move(joins)});
  };
  read("(./main.tex (/usr/share/texmf/article.cls (size10.clo) ) (\"./my file.tex\"");
  EXPECT_EQ(files.Current(), "./my file.tex");
  read("(see the transcript file for additional information) (v1.4n) (137.72pt too wide)");
  read("(Font)              <7> on input line 5. (e.g., `\\hobx')");
  EXPECT_EQ(files.Current(), "./my file.tex");
  read(") (README (mine");  // an extension-less name that exists
  EXPECT_EQ(files.Current(), "README");
  read(")");
  EXPECT_EQ(files.Current(), "./main.tex");
  // A name that ended right at a break, joined to the output after it.
  read("(./x.texLaTeX2e", {8});
  EXPECT_EQ(files.Current(), "./x.tex");
  read(") ) ) )");
  EXPECT_EQ(files.Current(), "");
}

TEST(TexLogPlaces, InputFilesFromTheLogsFolderAndTheCtxMoxWroteFrom) {
  const test::TempDir dir;
  test::WriteFile(dir.File("paper.ctx"), "\\input chapters/one\n");
  test::WriteFile(dir.File("paper.tex"), "\\input chapters/one\n");
  const std::string log = dir.File("paper.log");
  LogRow row;
  row.File = "./paper.tex";
  row.Line = 12;
  SourcePlace place = SourcePlaceOf(row, log);
  EXPECT_EQ(place.Path, dir.File("paper.ctx"));
  EXPECT_EQ(place.Line, 12);
  row.File.clear();  // before any file: the log's own source
  EXPECT_EQ(SourcePlaceOf(row, log).Path, dir.File("paper.ctx"));
  row.File = "./chapters/one.tex";
  EXPECT_EQ(SourcePlaceOf(row, log).Path, JoinPath(JoinPath(dir.Path(), "chapters"), "one.tex"));
  EXPECT_EQ(SourcePlaceOf(row, "D:\\work\\paper.log").Path, "D:\\work\\chapters\\one.tex");
  row.File = "/usr/share/texmf/article.cls";
  EXPECT_EQ(SourcePlaceOf(row, log).Path, row.File);
  EXPECT_EQ(LogRelativeName("./chapters/one.tex"), "chapters/one.tex");
}

TEST(MoxMessages, RowsOfTheMessageFileWithAndWithoutPlaces) {
  const std::vector<LogRow> rows = ParseMoxMessages(
      "paper.ctx:3:14: \"\xD8\xA1\" (U+4E2B, GBK D8A1) is not a GB 2312 character\r\n"
      "C:\\my docs\\x.ctx:12:1: the byte 81 is no valid GBK character\n\n"
      "mox: paper.tex not written\n");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].File, "paper.ctx");
  EXPECT_EQ(rows[0].Line, 3);
  EXPECT_EQ(rows[0].Column, 14);
  EXPECT_EQ(rows[0].Message, "\"\xD8\xA1\" (U+4E2B, GBK D8A1) is not a GB 2312 character");
  EXPECT_EQ(rows[1].File, "C:\\my docs\\x.ctx");
  EXPECT_EQ(rows[2].File, "");
  EXPECT_EQ(rows[2].Message, "mox: paper.tex not written");
  EXPECT_EQ(MoxMessageFileOf("D:\\work\\paper.ctx"), "D:\\work\\paper.mlog");
}

TEST(MoxMessages, ALogOlderThanMoxsMessagesIsLeftOut) {
  const test::TempDir dir;
  test::WriteFile(dir.File("paper.log"),
                  "(./paper.tex\n! Undefined control sequence.\nl.2 \\foo\n    \n\n)\nNo pages of output.\n");
  test::WriteFile(dir.File("paper.mlog"), "paper.ctx:1:2: refused\n");
  BuildMessages messages = ReadBuildMessages(dir.File("paper.ctx"));
  ASSERT_TRUE(messages.LogRead);  // written in the same two seconds
  ASSERT_EQ(messages.Log.Rows.size(), 2u);
  EXPECT_EQ(messages.Log.Rows[0].Message, "refused");
  EXPECT_EQ(messages.Log.Rows[1].Line, 2);
  EXPECT_EQ(messages.Log.Pages, 0);

  const auto now = std::filesystem::last_write_time(dir.File("paper.mlog"));
  std::filesystem::last_write_time(dir.File("paper.log"), now - std::chrono::hours(1));
  messages = ReadBuildMessages(dir.File("paper.ctx"));
  EXPECT_FALSE(messages.LogRead);
  ASSERT_EQ(messages.Log.Rows.size(), 1u);
  EXPECT_EQ(messages.Log.Rows[0].File, "paper.ctx");
}

}  // namespace
}  // namespace mox::varelo
