// MAKEPK: its command line, the fonts it looks for and the files it makes.
// The runs of the program itself need TeX's mktexpk only where a font has
// to be made, and skip those checks when it is not installed.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/directories.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/fonts/pk_generator.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"
#include "tools/makepk/font_maker.h"
#include "tools/makepk/makepk_arguments.h"
#include "tools/makepk/wanted_fonts.h"

namespace mox::makepk {
namespace {

using test::DviFontDef;
using test::DviWriter;
using test::kSeparator;

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// --- The command line -------------------------------------------------------

class MakepkArgumentsTest : public test::DocumentTest {};

TEST_F(MakepkArgumentsTest, ReadsWhatThePreviewerWrites) {
  doc_.Settings.ProgramPath = "C:\\MOX\\moxwin32.exe";
  doc_.Settings.ResolutionX = 300;
  doc_.Settings.ResolutionY = 254.5;
  doc_.Dvi.Name = "C:\\DOCS\\paper.dvi";
  doc_.Dvi.Magnification = 1440;
  std::vector<std::string> words = Words(PkGeneratorCommandLine(doc_, "C:\\MOX\\PIXEL\\DPI$d\\"));
  words.erase(words.begin());

  std::string error;
  const std::optional<MakePkArguments> parsed = ParseMakePkArguments(words, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_TRUE(parsed->UsedFontsOnly);
  EXPECT_TRUE(parsed->English);
  EXPECT_FALSE(parsed->Quiet);  // it says in its window what it makes
  EXPECT_DOUBLE_EQ(parsed->ResolutionX, 300.0);
  EXPECT_DOUBLE_EQ(parsed->ResolutionY, 254.5);
  EXPECT_EQ(parsed->Magnification, 1440);
  EXPECT_EQ(parsed->PathTemplate, "C:\\MOX\\PIXEL\\DPI$d\\");
  EXPECT_EQ(parsed->DviPath, "C:/DOCS/paper.dvi");
  EXPECT_EQ(parsed->TimeoutSeconds, 120);
}

TEST_F(MakepkArgumentsTest, PathsWithBlanksArriveInPiecesAndAreJoined) {
  // CreateProcess runs the unquoted program path; the argument splitter
  // then cuts it and the other paths at their blanks.
  doc_.Settings.ProgramPath = "C:\\Program Files\\MOX\\moxwin32.exe";
  doc_.Dvi.Name = "C:\\My Documents\\big paper.dvi";
  std::vector<std::string> words =
      Words(PkGeneratorCommandLine(doc_, "C:\\Program Files\\MOX\\PIXEL\\DPI$d\\"));
  words.erase(words.begin());
  ASSERT_EQ(words.front(), "Files\\MOX\\" + PkGeneratorName());

  std::string error;
  const std::optional<MakePkArguments> parsed = ParseMakePkArguments(words, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(parsed->PathTemplate, "C:\\Program Files\\MOX\\PIXEL\\DPI$d\\");
  EXPECT_EQ(parsed->DviPath, "C:/My Documents/big paper.dvi");
  EXPECT_EQ(parsed->Magnification, 1000);
}

TEST_F(MakepkArgumentsTest, OptionsOfItsOwn) {
  std::string error;
  const std::optional<MakePkArguments> parsed =
      ParseMakePkArguments({"-r360", "-T5", "-p/pk/dpi$D", "a.dvi"}, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_FALSE(parsed->UsedFontsOnly);
  EXPECT_FALSE(parsed->English);
  EXPECT_FALSE(parsed->Quiet);
  EXPECT_DOUBLE_EQ(parsed->ResolutionX, 360.0);
  EXPECT_DOUBLE_EQ(parsed->ResolutionY, 360.0);
  EXPECT_EQ(parsed->Magnification, 0);
  EXPECT_EQ(parsed->TimeoutSeconds, 5);
}

TEST_F(MakepkArgumentsTest, RejectsWhatItCannotUse) {
  const std::vector<std::vector<std::string>> invalid = {
      {"-E", "-R0", "-Pdpi$d", "a.dvi"},
      {"-E", "-R600x", "-Pdpi$d", "a.dvi"},
      {"-E", "-Rabc", "-Pdpi$d", "a.dvi"},
      {"-E", "-M-5", "-Pdpi$d", "a.dvi"},
      {"-E", "-T0", "-Pdpi$d", "a.dvi"},
      {"-E", "-Cx", "-Pdpi$d", "a.dvi"},
      {"-E", "-X", "-Pdpi$d", "a.dvi"},
      {"-E", "-Pdpi$d"},
      {"-E", "a.dvi"},
      {"-E", "-P/pk/dpi", "a.dvi"},
  };
  for (const std::vector<std::string>& arguments : invalid) {
    std::string error;
    EXPECT_FALSE(ParseMakePkArguments(arguments, error)) << arguments[1];
    EXPECT_FALSE(error.empty()) << arguments[1];
  }
  std::string error;
  ParseMakePkArguments({"-X"}, error);
  EXPECT_EQ(error, "无效的选项 \"-X\"");  // Chinese without -E
}

// --- mktexpk's answer ------------------------------------------------------

TEST(MakepkModeTest, TakesTheMadeFileFromMktexpksLastLine) {
  const std::string folder = "work";
  const std::string expected = folder + kSeparator + "cmr10.600pk";
  EXPECT_EQ(MadeFileIn(folder, "/tmp/x/cmr10.600pk\n"), expected);
  EXPECT_EQ(MadeFileIn(folder, "note\r\nC:\\x\\cmr10.600pk\r\n"), expected);
  EXPECT_EQ(MadeFileIn(folder, "cmr10.600pk"), expected);
  EXPECT_EQ(MadeFileIn(folder, ""), "");
  EXPECT_EQ(MadeFileIn(folder, "/tmp/x/\n"), "");
}

// --- The fonts of a document ------------------------------------------------

class MakepkFontsTest : public test::DocumentTest {
 protected:
  // Fonts 0 (cmr10) and 1 (a long name at 12 pt of 10: 720 dpi) are used;
  // font 2 is only defined; font 3 is cmr10 again under another number.
  std::string Document4() {
    const std::vector<DviFontDef> fonts = {
        {.Number = 0, .Name = "cmr10"},
        {.Number = 1, .ScaledSize = 786432, .Name = "verylongfontname"},
        {.Number = 2, .Name = "unused"},
        {.Number = 3, .Name = "cmr10"},
    };
    DviWriter dvi;
    dvi.Preamble("fonts");
    dvi.BeginPage(1);
    for (const DviFontDef& font : fonts) dvi.FontDef(font);
    dvi.Font(0).SetChar('A').Font(1).SetChar('B').Font(3).SetChar('C').EndPage();
    dvi.Finish({.Fonts = fonts});
    return dvi.Data();
  }

  std::string Template() { return dir_.File("dpi$d") + kSeparator; }
  std::string PkFile(int resolution, const std::string& name) {
    return dir_.File("dpi" + std::to_string(resolution)) + kSeparator + name + ".PK";
  }
  void Put(int resolution, const std::string& name) {
    platform::MakeDirectories(dir_.File("dpi" + std::to_string(resolution)));
    test::WriteFile(PkFile(resolution, name), "PK");
  }
};

TEST_F(MakepkFontsTest, WantsTheUsedFontsOrAllOnceAtThePreviewersResolution) {
  ASSERT_EQ(OpenBytes(Document4()), 0);
  ASSERT_EQ(PreScan(doc_), 0);
  std::vector<std::string> used;
  for (const WantedFont& font : WantedFonts(doc_, true)) {
    used.push_back(font.Name + "@" + std::to_string(font.Resolution));
  }
  EXPECT_EQ(used, (std::vector<std::string>{"cmr10@600", "verylongfontname@720"}));
  std::vector<std::string> all;
  for (const WantedFont& font : WantedFonts(doc_, false)) all.push_back(font.Name);
  EXPECT_EQ(all, (std::vector<std::string>{"cmr10", "verylongfontname", "unused"}));
}

TEST_F(MakepkFontsTest, FindsFilesAsThePreviewerDoes) {
  ASSERT_EQ(test::AbortMessageOf([&] { PreparePkFileNames(doc_, Template()); }), std::nullopt);
  const WantedFont cmr{"cmr10", 600};
  const WantedFont longer{"verylongfontname", 720};
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, cmr), "");
  EXPECT_EQ(PkTarget(doc_.Load.PkPaths, cmr), PkFile(600, "cmr10"));

  Put(601, "cmr10");
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, cmr), PkFile(601, "cmr10"));
  Put(599, "cmr10");
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, cmr), PkFile(599, "cmr10"));  // r - 1 comes first
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, {"cmr10", 598}), PkFile(599, "cmr10"));
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, {"cmr10", 597}), "");
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, {"cmr10", INT32_MAX}), "");  // no r + 1 beyond the int range

  // A long name is also found under its first 8 characters.
  Put(721, "verylong");
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, longer), PkFile(721, "verylong"));
  Put(721, "verylongfontname");
  EXPECT_EQ(ExistingPkFile(doc_.Load.PkPaths, longer), PkFile(721, "verylongfontname"));
  EXPECT_EQ(PkTarget(doc_.Load.PkPaths, longer), PkFile(720, "verylongfontname"));
}

}  // namespace
}  // namespace mox::makepk
