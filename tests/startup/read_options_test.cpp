#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "previewer/startup/program_files.h"
#include "tests/startup/options_fixture.h"

namespace mox::test {
namespace {

std::string CommandLineError(const std::string& token) {
  return "Invalid option \"" + token + "\" in the command line.";
}

class OptionLetterTest : public OptionsTest {
 protected:
  // The settings after reading these command-line tokens from a fresh start.
  Options After(std::vector<std::string> tokens) {
    ResetOptions();
    EXPECT_EQ(Read(tokens), std::nullopt) << ::testing::PrintToString(tokens);
    return Settings();
  }
};

TEST_F(OptionLetterTest, Resolution) {
  EXPECT_EQ(After({"-R300"}).ResolutionY, 300.0);
  EXPECT_EQ(After({"-r300:600"}).ResolutionX, 300.0);
  EXPECT_EQ(After({"-r300:600"}).ResolutionY, 600.0);
  EXPECT_EQ(After({"-R 150.5 : 72 "}).ResolutionY, 72.0);
  EXPECT_EQ(After({"-R.5"}).ResolutionX, 0.5);
  EXPECT_EQ(After({"-R300", "-R"}).ResolutionX, 300.0);  // empty: ignored
}

TEST_F(OptionLetterTest, GammaIgnoresWhatFollowsAColon) {
  EXPECT_EQ(After({"-^2.2"}).Gamma, 2.2);
  EXPECT_EQ(After({"-^1.5:anything at all"}).Gamma, 1.5);
  EXPECT_EQ(After({"-^1.5", "-^"}).Gamma, 1.5);
}

TEST_F(OptionLetterTest, TextsKeepTheFirst255Bytes) {
  EXPECT_EQ(After({"-Pd:\\pk\\dpi$d"}).PkFontPath, "d:\\pk\\dpi$d");
  EXPECT_EQ(After({"-P"}).PkFontPath, "");
  EXPECT_EQ(After({"-ic:\\hz"}).ChineseFontPath, "c:\\hz");
  EXPECT_EQ(After({"-I" + std::string(300, 'h')}).ChineseFontPath, std::string(255, 'h'));
  EXPECT_EQ(After({"-N1:5;9"}).PageSelectionText, "1:5;9");
  EXPECT_EQ(After({"-N1", "-N"}).PageSelectionText, "");
  EXPECT_EQ(After({"-n" + std::string(300, '1')}).PageSelectionText, std::string(255, '1'));
}

TEST_F(OptionLetterTest, IntegerOptions) {
  EXPECT_EQ(After({"-M1200"}).Magnification, 1200);
  EXPECT_EQ(After({"-M1200", "-M"}).Magnification, 1200);  // empty: ignored
  EXPECT_EQ(After({"-M1200", "-mabc"}).Magnification, 0);
  EXPECT_EQ(After({"-M-5"}).Magnification, -5);
  EXPECT_EQ(After({"-M99999999999"}).Magnification, 2147483647);
  EXPECT_EQ(After({"-u1"}).ParityFilter, 1);
  EXPECT_EQ(After({"-U2", "-U"}).ParityFilter, 0);  // no number reads as 0
  EXPECT_EQ(After({"-V1"}).SequenceMode, 1);
}

TEST_F(OptionLetterTest, ZoomAboveOneIsInvertedAndZeroMeansFit) {
  EXPECT_EQ(After({"-Z2"}).InitialZoom, 0.5);
  EXPECT_EQ(After({"-Z2"}).CurrentZoom, 0.5);
  EXPECT_EQ(After({"-z0.25"}).CurrentZoom, 0.25);
  EXPECT_EQ(After({"-Z4abc"}).InitialZoom, 0.25);
  EXPECT_EQ(After({"-Z0"}).InitialZoom, 0.0);
  EXPECT_EQ(After({"-Z0"}).CurrentZoom, 1.0);
  EXPECT_EQ(After({"-Z2", "-Zinf"}).CurrentZoom, 1.0);
  const Options huge = After({"-Z1e400"});
  EXPECT_TRUE(std::isfinite(huge.CurrentZoom) && huge.CurrentZoom <= 1.0);
}

TEST_F(OptionLetterTest, MarginsTakeTwoDimensions) {
  const Options mixed = After({"-B2cm:0.5in"});
  EXPECT_EQ(mixed.MarginX.Value, 2.0);
  EXPECT_EQ(mixed.MarginX.Unit, DimensionUnit::Cm);
  EXPECT_EQ(mixed.MarginY.Value, 0.5);
  EXPECT_EQ(mixed.MarginY.Unit, DimensionUnit::In);
  const Options bare_units = After({"-bmm:mm", "-B"});  // empty: ignored
  EXPECT_EQ(bare_units.MarginX.Value, 1.0);
  EXPECT_EQ(bare_units.MarginX.Unit, DimensionUnit::Mm);
  EXPECT_EQ(bare_units.MarginY.Unit, DimensionUnit::Mm);
}

TEST_F(OptionLetterTest, LanguageAndLettersWithoutEffect) {
  After({"-C"});
  EXPECT_EQ(options_.Lang, Language::Chinese);
  After({"-eanything"});
  EXPECT_EQ(options_.Lang, Language::English);
  const Options none = After({"-!", "-#x", "-&", "-@1", "-A", "-g", "-H3", "-t", "-Xyz", "-", ""});
  EXPECT_EQ(none.DocumentName, "");
  EXPECT_EQ(none.ResolutionX, 600.0);
}

TEST_F(OptionLetterTest, InvalidFormsAreReportedWithTheWholeToken) {
  for (const char* token :
       {"-R300x600", "-R0", "-R-300", "-R300:", "-R300:0", "-R:300", "-Rabc", "-R1.2.3",
        "-R+300", "-R300:600:1", "-R.", "-^x", "-^1.5x", "-U3", "-U-1", "-U99999999999",
        "-Z-1", "-B2km:1cm", "-B1cm:2km", "-B2cm", "-B-1cm:1cm", "-B1cm:-mm", "-Q", "-y",
        "-1", "--", "-\xb0\xa1"}) {
    ResetOptions();
    EXPECT_EQ(Read({"-R300", token}), CommandLineError(token));
    // What was read before stays; nothing of the invalid option is applied.
    const Options& s = Settings();
    EXPECT_TRUE(s.ResolutionX == 300.0 && s.ResolutionY == 300.0 && s.Gamma == 1.0 &&
                s.ParityFilter == 0 && s.InitialZoom == 0.0 && s.MarginX.Value == 1.0 &&
                s.MarginY.Value == 1.0)
        << token;
  }
}

class DocumentNameTest : public OptionsTest {};

TEST_F(DocumentNameTest, GetsDviExtensionOnlyWhenItHasNone) {
  const std::pair<const char*, const char*> cases[] = {
      {"paper", "paper.DVI"},       {"..\\paper", "..\\paper.DVI"},
      {"../paper", "../paper.DVI"}, {"a.b\\paper", "a.b\\paper"},
      {"paper.dvi", "paper.dvi"},   {"c:\\tex\\论文", "c:\\tex\\论文.DVI"},
  };
  for (const auto& [given, expected] : cases) {
    ASSERT_EQ(Read({given}), std::nullopt);
    EXPECT_EQ(Settings().DocumentName, expected) << given;
  }
  const std::string long_name = std::string(300, 'd') + ".dvi";
  ASSERT_EQ(Read({long_name}), std::nullopt);
  EXPECT_EQ(Settings().DocumentName, long_name);  // kept whole
}

TEST_F(DocumentNameTest, LaterNameReplacesEarlierOne) {
  WriteInitFile("fromfile\n");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().DocumentName, "fromfile.DVI");
  ASSERT_EQ(Read({"first", "second.dvi"}), std::nullopt);
  EXPECT_EQ(Settings().DocumentName, "second.dvi");
}

class OptionSourcesTest : public OptionsTest {};

TEST_F(OptionSourcesTest, DefaultsComeFromTheProgramFolder) {
  ASSERT_EQ(Read(), std::nullopt);
  const std::string folder = dir_.Path() + kSeparator;
  EXPECT_EQ(Settings().ProgramDirectory, folder);
  EXPECT_EQ(Settings().ChineseFontPath, folder + "HZFONTS");
  EXPECT_EQ(Settings().PkFontPath, folder + "PIXEL\\DPI$d");
  EXPECT_EQ(Settings().InitFilePath, init_path_);
}

TEST_F(OptionSourcesTest, FontPathVariablesDropLeadingWhiteSpace) {
  platform::SetEnvironmentText("CCPKPATH", " \t d:\\pk\\dpi$d ");
  platform::SetEnvironmentText("CCHZPATH", " " + std::string(300, 'h'));
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().PkFontPath, "d:\\pk\\dpi$d ");
  EXPECT_EQ(Settings().ChineseFontPath, std::string(255, 'h'));

  // Blank variables are not used.
  platform::SetEnvironmentText("CCPKPATH", " \t ");
  platform::SetEnvironmentText("CCHZPATH", "");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().PkFontPath, dir_.Path() + kSeparator + "PIXEL\\DPI$d");
  EXPECT_EQ(Settings().ChineseFontPath, dir_.Path() + kSeparator + "HZFONTS");
}

TEST_F(OptionSourcesTest, FontMetricFoldersFromTheVariableOrAQuotedOption) {
  platform::SetEnvironmentText("CCTFMPATH", " d:\\tfm//;e:\\vf");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().FontMetricPath, "d:\\tfm//;e:\\vf");
  ASSERT_EQ(Read({"-F\"c:\\my fonts//\""}), std::nullopt);
  EXPECT_EQ(Settings().FontMetricPath, "c:\\my fonts//");
}

TEST_F(OptionSourcesTest, CommandLineBeatsFileBeatsVariables) {
  platform::SetEnvironmentText("CCPKPATH", "d:\\pk");
  platform::SetEnvironmentText(kVariable, "-R100 -Z2 -U1 -Pe:\\pk");
  WriteInitFile("-R200 -Z4\n");
  ASSERT_EQ(Read({"-R300"}), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 300.0);
  EXPECT_EQ(Settings().InitialZoom, 0.25);
  EXPECT_EQ(Settings().ParityFilter, 1);
  EXPECT_EQ(Settings().PkFontPath, "e:\\pk");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 200.0);
}

TEST_F(OptionSourcesTest, VariableAndLinesSplitAtAnyWhiteSpace) {
  platform::SetEnvironmentText(kVariable, "\t-R300\v-U2\f-V1\r-Z2 \n paper");
  WriteInitFile("-M500\r\n-N3\r\n-^2");  // CR LF lines, no final line feed
  ASSERT_EQ(Read({"-Pc:\\my fonts"}), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 300.0);
  EXPECT_EQ(Settings().ParityFilter, 2);
  EXPECT_EQ(Settings().SequenceMode, 1);
  EXPECT_EQ(Settings().InitialZoom, 0.5);
  EXPECT_EQ(Settings().DocumentName, "paper.DVI");
  EXPECT_EQ(Settings().Magnification, 500);
  EXPECT_EQ(Settings().PageSelectionText, "3");
  EXPECT_EQ(Settings().Gamma, 2.0);
  // A command-line argument is one token, spaces and all.
  EXPECT_EQ(Settings().PkFontPath, "c:\\my fonts");
}

TEST_F(OptionSourcesTest, CommentLinesAreSkipped) {
  WriteInitFile("% -Q is not read\n%-R100\n-R300 % -Z2\n");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 300.0);
  // A "%" that does not begin its line is a document name.
  EXPECT_EQ(Settings().DocumentName, "%.DVI");
  EXPECT_EQ(Settings().InitialZoom, 0.5);
}

TEST_F(OptionSourcesTest, LongTokensAreCutAfter255Bytes) {
  const std::string rest(45, 'q');
  WriteInitFile("-P" + std::string(253, 'p') + rest + "\n");
  platform::SetEnvironmentText(kVariable, "-N" + std::string(253, '1') + "-Z2");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().PkFontPath, std::string(253, 'p'));
  EXPECT_EQ(Settings().DocumentName, rest + ".DVI");
  EXPECT_EQ(Settings().PageSelectionText, std::string(253, '1'));
  EXPECT_EQ(Settings().InitialZoom, 0.5);
}

TEST_F(OptionSourcesTest, LongLinesAreReadIn2047BytePieces) {
  // The first piece ends inside the token, which is split in two; the rest
  // of the line is read as a line of its own.
  const std::string split = std::string(2040, ' ') + "-R1234567890";
  // Only the first piece of a long comment line is a comment ...
  const std::string comment = "%" + std::string(2046, 'c') + "-Z2";
  // ... and a rest that begins with "%" is one.
  const std::string hidden = "-U1" + std::string(2044, ' ') + "%-Q";
  WriteInitFile(split + "\n" + comment + "\n" + hidden + "\n");
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 12345.0);
  EXPECT_EQ(Settings().DocumentName, "67890.DVI");
  EXPECT_EQ(Settings().InitialZoom, 0.5);
  EXPECT_EQ(Settings().ParityFilter, 1);
}

TEST_F(OptionSourcesTest, ShortProgramPathsStillRead) {
  EXPECT_EQ(ReadOptions({"ab", "-R300"}, options_), std::nullopt);
  EXPECT_EQ(Settings().InitFilePath, "");
  EXPECT_EQ(Settings().ChineseFontPath, "HZFONTS");
  EXPECT_EQ(ReadOptions({}, options_), std::nullopt);
}

class OptionErrorTest : public OptionsTest {};

TEST_F(OptionErrorTest, CommandLineErrorInEnglishAndChinese) {
  EXPECT_EQ(Read({"-Qx"}), "Invalid option \"-Qx\" in the command line.");
  EXPECT_EQ(Read({"-C", "-Qx"}), "非法可选项 \"-Qx\"(出现在命令行中)");
}

TEST_F(OptionErrorTest, FileErrorNamesTheFileAndStopsReading) {
  WriteInitFile("-R300\n-Z-1 -R400\n");
  EXPECT_EQ(Read({"-R500"}),
            "Invalid option \"-Z-1\" in the initialization file\n\"" + init_path_ + "\".");
  EXPECT_EQ(Settings().ResolutionX, 300.0);
  // The file has been closed (Windows cannot delete an open file).
  EXPECT_TRUE(platform::Files().Remove(init_path_));
}

TEST_F(OptionErrorTest, WithAListABadFileLineIsSkippedWholeAndTheRestRead) {
  const std::string text = "-R300\n-Z2 -Q -R400\n% -Q\n-M500\n-Uodd -V1\n";
  WriteInitFile(text);
  std::vector<IgnoredOptionLine> ignored;
  EXPECT_EQ(ReadOptions({program_path_, "-Z3"}, options_, &ignored), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 300.0);  // not 400: line 2 is left out whole
  EXPECT_EQ(Settings().Magnification, 500);
  EXPECT_EQ(Settings().CurrentZoom, 1.0 / 3);  // the command line still read
  ASSERT_EQ(ignored.size(), 1u);
  EXPECT_EQ(ignored[0].Line, 2);
  EXPECT_EQ(ReadFile(init_path_), text);
  EXPECT_EQ(IgnoredLinesText(ignored, init_path_, Language::English),
            "These lines of the initialization file\n\"" + init_path_ +
                "\"\ncannot be read and were ignored (the file is left as it is):\n"
                "line 2: Invalid option \"-Q\" ");
  // The command line keeps its strictness.
  EXPECT_EQ(ReadOptions({program_path_, "-Q"}, options_, &ignored), CommandLineError("-Q"));
}

TEST_F(OptionErrorTest, FileErrorInChineseAfterLanguageSwitchInTheFile) {
  WriteInitFile("-C\n-U7\n");
  EXPECT_EQ(Read(), "非法可选项 \"-U7\"(出现在文件\"" + init_path_ + "\"中)");
}

TEST_F(OptionErrorTest, VariableErrorNamesTheFileOnlyWhenThereIsOne) {
  platform::SetEnvironmentText(kVariable, "-R100 -Q");
  EXPECT_EQ(Read(), CommandLineError("-Q"));
  WriteInitFile("-R300\n");
  EXPECT_EQ(Read(), "Invalid option \"-Q\" in the initialization file\n\"" + init_path_ + "\".");
  EXPECT_EQ(Settings().ResolutionX, 100.0);
}

TEST_F(OptionErrorTest, ErrorAfterTheFileWasReadBlamesTheCommandLine) {
  WriteInitFile("-C\n");
  EXPECT_EQ(Read({"-R0"}), "非法可选项 \"-R0\"(出现在命令行中)");
}

TEST(ProgramFiles, NamesDerivedFromTheProgramPath) {
  EXPECT_EQ(ProgramDirectoryOf("C:\\TEX\\moxwin32.exe"), "C:\\TEX\\");
  EXPECT_EQ(ProgramDirectoryOf("C:moxwin32.exe"), "C:");
  EXPECT_EQ(ProgramDirectoryOf("moxwin32.exe"), "");
  EXPECT_EQ(InitFilePathOf("C:\\TEX\\moxwin32.exe"), "C:\\TEX\\moxwin32.INI");
  EXPECT_EQ(TemporaryInitPathOf("C:\\TEX\\moxwin32.INI"), "C:\\TEX\\moxwin32.$$$");
  EXPECT_EQ(OptionsVariableOf("C:\\a.b\\moxwin32.exe"), "MOXWIN32OPTS");
}

TEST(ProgramFiles, ChineseCharactersAreNotTakenApart) {
  // The second byte of the first character has the code of "\\", that of
  // the second the code of "a".
  EXPECT_EQ(ProgramDirectoryOf("C:\\TEX\\\x95\x5cmox.exe"), "C:\\TEX\\");
  EXPECT_EQ(OptionsVariableOf("\x81\x61x.exe"), "\x81\x61XOPTS");
}

TEST(ProgramFiles, TooShortNamesGiveNoFileAndNoVariable) {
  EXPECT_EQ(InitFilePathOf("ab"), "");
  EXPECT_EQ(TemporaryInitPathOf(""), "");
  EXPECT_EQ(OptionsVariableOf("C:\\TEX\\abc"), "");
  EXPECT_EQ(OptionsVariableOf("a.ex"), "OPTS");
}

}  // namespace
}  // namespace mox::test
