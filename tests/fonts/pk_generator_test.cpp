#include "previewer/fonts/pk_generator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>

#include "platform/current_directory.h"
#include "platform/host_program.h"
#include "platform/user_interface.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/load_run.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox {
namespace {

using test::TempDir;

class PkGeneratorTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc_.Settings.ProgramPath = dir_.File("moxwin32.exe");
  }

  std::string Generator() const { return dir_.File(PkGeneratorName()); }
};

TEST(PkGeneratorPathTest, ReplacesTheProgramNameAfterTheLastSeparator) {
  test::RecordingReporter ui_;
  FontDocument doc_(ui_, Options{});
  doc_.Settings = Options{};
  doc_.Settings.ProgramPath = "C:\\MOX\\bin/moxwin32.exe";
  EXPECT_EQ(PkGeneratorPath(doc_.Settings), "C:\\MOX\\bin/" + PkGeneratorName());
  doc_.Settings.ProgramPath = "C:\\MOX\\bin\\moxwin32.exe";
  EXPECT_EQ(PkGeneratorPath(doc_.Settings), "C:\\MOX\\bin\\" + PkGeneratorName());
  doc_.Settings.ProgramPath = "moxwin32.exe";
  EXPECT_EQ(PkGeneratorPath(doc_.Settings), PkGeneratorName());
  // The second byte of a Chinese character may be 0x5C; it is no separator.
  doc_.Settings.ProgramPath = "C:\\MOX\\" "\x81\x5c" "view.exe";
  EXPECT_EQ(PkGeneratorPath(doc_.Settings), "C:\\MOX\\" + PkGeneratorName());
  doc_.Settings = Options{};
}

TEST(PkGeneratorPathTest, AbsoluteForwardPaths) {
  test::RecordingReporter ui_;
  FontDocument doc_(ui_, Options{});
  struct Case {
    const char* path;
    const char* current;
    const char* expected;
  };
  const Case cases[] = {
      {"paper.dvi", "C:\\TEX\\WORK", "C:/TEX/WORK/paper.dvi"},
      {"sub\\paper.dvi", "C:\\TEX\\WORK\\", "C:/TEX/WORK/sub/paper.dvi"},
      {"..\\book\\.\\paper.dvi", "C:\\TEX\\WORK", "C:/TEX/book/paper.dvi"},
      {"C:paper.dvi", "C:\\DOCS", "C:/DOCS/paper.dvi"},
      {"C:..\\paper.dvi", "C:\\DOCS\\A", "C:/DOCS/paper.dvi"},
      {"D:\\x\\..\\y\\paper.dvi", "C:\\TEX", "D:/y/paper.dvi"},
      {"\\top\\paper.dvi", "E:\\WORK", "E:/top/paper.dvi"},
      {"C:\\..\\..\\paper.dvi", "C:\\", "C:/paper.dvi"},
      {"..\\..\\..\\paper.dvi", "C:\\A", "C:/paper.dvi"},
      {"\\\\server\\share\\dir\\..\\paper.dvi", "C:\\", "//server/share/paper.dvi"},
      {"/home/u/./doc/../paper.dvi", "/tmp", "/home/u/paper.dvi"},
      {"paper.dvi", "/", "/paper.dvi"},
      {"a//b/paper.dvi", "/tmp/", "/tmp/a/b/paper.dvi"},
      // A Chinese name whose second byte is 0x5C keeps it.
      {"docs\\" "\x81\x5c" ".dvi", "C:\\W", "C:/W/docs/" "\x81\x5c" ".dvi"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AbsoluteForwardPath(c.path, c.current), c.expected) << c.path << " in " << c.current;
  }
}

TEST_F(PkGeneratorTest, CommandLineHasTheDesignsFormat) {
  doc_.Settings.ProgramPath = "C:\\MOX\\moxwin32.exe";
  doc_.Dvi.Name = "C:\\DOCS\\paper.dvi";
  doc_.Dvi.Magnification = 0;
  EXPECT_EQ(PkGeneratorCommandLine(doc_, "C:\\MOX\\PIXEL\\DPI$d\\"),
            "C:\\MOX\\" + PkGeneratorName() + " -C -E -R600.00x600.00 -M1000 -PC:\\MOX\\PIXEL\\DPI$d\\ "
            "C:/DOCS/paper.dvi");

  doc_.Settings.ResolutionX = 300.456;
  doc_.Settings.ResolutionY = 254;
  doc_.Dvi.Magnification = 1200;
  EXPECT_EQ(PkGeneratorCommandLine(doc_, "/pk/dpi$d/"),
            "C:\\MOX\\" + PkGeneratorName() + " -C -E -R300.46x254.00 -M1200 -P/pk/dpi$d/ "
            "C:/DOCS/paper.dvi");
}

TEST_F(PkGeneratorTest, RelativeDviNameBecomesAnAbsoluteForwardPath) {
  doc_.Dvi.Name = "sub\\..\\paper.dvi";
  std::string current = platform::CurrentDirectoryFor(doc_.Dvi.Name);
  const std::string expected = AbsoluteForwardPath(current + "/paper.dvi", "");
  ASSERT_EQ(expected.find('\\'), std::string::npos);
  const std::string line = PkGeneratorCommandLine(doc_, "T$d\\");
  EXPECT_EQ(line.substr(line.size() - expected.size() - 1), " " + expected);
  EXPECT_EQ(line.find(".."), std::string::npos);
#ifdef _WIN32
  // Each drive has a current directory of its own.
  EXPECT_EQ(platform::CurrentDirectoryFor("C:paper.dvi").substr(0, 3), "C:\\");
#endif
}

TEST_F(PkGeneratorTest, MissingGeneratorIsReportedWithWinExecsCode) {
  doc_.Dvi.Name = dir_.File("paper.dvi");
  EXPECT_EQ(RunPkGenerator(doc_, "T$d\\"), 1);
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text, "Cannot execute \"" + Generator() + "\", error code=2.");
  EXPECT_EQ(ui_.Boxes[0].Caption, "");
  EXPECT_EQ(ui_.Boxes[0].Style, platform::kBoxOk);

  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(RunPkGenerator(doc_, "T$d\\"), 1);
  ASSERT_EQ(ui_.Boxes.size(), 2u);
  EXPECT_EQ(ui_.Boxes[1].Text, "程序\"" + Generator() + "\"执行失败, 错误码=2.");
}

TEST_F(PkGeneratorTest, ClosesTheDocumentsFileBeforeStarting) {
  ASSERT_EQ(OpenDviFile(doc_, MOX_FIXTURES_DIR "/dvi/plain.dvi"), 0);
  ASSERT_TRUE(doc_.Dvi.Reader.IsOpen());
  EXPECT_EQ(RunPkGenerator(doc_, "T$d\\"), 1);
  EXPECT_FALSE(doc_.Dvi.Reader.IsOpen());
  // Only the file handle: the document itself stays open.
  EXPECT_FALSE(doc_.Dvi.Pages.empty());
}

TEST_F(PkGeneratorTest, StartedGeneratorIsWaitedForAndCanBeCancelled) {
  std::error_code error;
  std::filesystem::copy_file(MOX_MAKEPK_PATH, Generator(), error);
  ASSERT_FALSE(error) << error.message();
  // A document that is not there: the generator gives up at once.
  doc_.Dvi.Name = dir_.File("absent.dvi");

  EXPECT_EQ(RunPkGenerator(doc_, dir_.File("dpi$d") + test::kSeparator), 0);
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text, "Running \"" + Generator() +
                                   "\" to generate missing PK fonts.\n\n"
                                   "The fonts it makes are loaded when it has finished; "
                                   "Cancel stops it.");
  EXPECT_EQ(ui_.Boxes[0].Caption, "Generating PK fonts");
  for (int i = 0; i < 100 && !std::filesystem::remove(Generator(), error); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
#ifndef _WIN32
  // A generator that would run for a minute, with a child of its own: Cancel
  // ends both at once.
  {
    std::ofstream script(Generator());
    script << "#!/bin/sh\nsleep 60\n";
  }
  std::filesystem::permissions(Generator(), std::filesystem::perms::owner_all);
  ui_.AnswerNext(platform::kAnswerCancel);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunPkGenerator(doc_, dir_.File("dpi$d") + test::kSeparator), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(ui_.Boxes.size(), 2u);
#endif
}

TEST_F(PkGeneratorTest, LoadRunGetsMissingFontsFromTheGenerator) {
  test::TempDir work;
  const platform::HostRun probe =
      platform::RunHostProgram({{"mktexpk"}, {"--version"}}, work.Path(), 60);
  if (probe.Result != platform::HostRun::Outcome::Finished) {
    GTEST_SKIP() << "mktexpk is not installed (tools/install-packages.sh tex)";
  }
  std::error_code error;
  std::filesystem::copy_file(MOX_MAKEPK_PATH, Generator(), error);
  ASSERT_FALSE(error) << error.message();
  doc_.Settings.PkFontPath = dir_.File("pk") + test::kSeparator + "dpi$d";

  ASSERT_EQ(OpenDviFile(doc_, MOX_FIXTURES_DIR "/dvi/plain.dvi"), 0);
  ASSERT_EQ(PreScan(doc_), 0);
  const std::string folder = dir_.File("pk") + test::kSeparator + "dpi600" + test::kSeparator;

  ASSERT_EQ(LoadFonts(doc_), 0) << (ui_.Boxes.empty() ? "" : ui_.Boxes.back().Text);
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text.find("Running \"" + Generator() + "\""), 0u) << ui_.Boxes[0].Text;
  EXPECT_TRUE(doc_.Load.PkGeneratorRan);
  for (const PkGlyph& glyph : doc_.Fonts.PkGlyphs) EXPECT_FALSE(glyph.Bitmap.empty());
  EXPECT_EQ(doc_.Fonts.PkFonts[0].File, folder + doc_.Fonts.PkFonts[0].Name + ".PK");

  for (int i = 0; i < 100 && !std::filesystem::remove(Generator(), error); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

}  // namespace
}  // namespace mox
