// Runs of the MAKEPK program of this build on real DVI files: what it finds,
// what it makes with mktexpk, and how it fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "platform/directories.h"
#include "platform/host_program.h"
#include "previewer/fonts/pk_font.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"
#include "tools/makepk/wanted_fonts.h"

// Whole runs are the native build's: under Wine, where the Windows build of
// these tests runs here, a MAKEPK.EXE started by a test program now and then
// never finishes starting, which would stall the test run. The pieces of
// MAKEPK and its way of starting programs are tested on both.
#ifndef _WIN32

namespace mox::makepk {
namespace {

using platform::HostRun;
using test::kSeparator;

class MakepkRunTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    // A copy in the test folder, where Windows finds it by a path of its own.
    std::error_code error;
    std::filesystem::copy_file(MOX_MAKEPK_PATH, Program(), error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(platform::MakeDirectories(dir_.File("run")));
  }

  std::string Program() const { return dir_.File("MAKEPK.EXE"); }
  std::string Template() const { return dir_.File("dpi$d") + kSeparator; }
  std::string PkFile(int resolution, const std::string& name) const {
    return dir_.File("dpi" + std::to_string(resolution)) + kSeparator + name + ".PK";
  }
  void Put(int resolution, const std::string& name) {
    ASSERT_TRUE(platform::MakeDirectories(dir_.File("dpi" + std::to_string(resolution))));
    test::WriteFile(PkFile(resolution, name), "placeholder");
  }

  HostRun Run(const std::vector<std::string>& arguments) {
    std::vector<platform::HostArgument> command = {{Program(), true}};
    for (const std::string& argument : arguments) command.push_back({argument});
    return platform::RunHostProgram(command, dir_.File("run"), 300);
  }

  // The previewer's own arguments for the document at path.
  HostRun RunAsThePreviewer(const std::string& path, const std::string& magnification = "-M1000",
                            const std::string& resolution = "-R600.00x600.00") {
    return Run({"-C", "-E", "-Q", resolution, magnification, "-P" + Template(), path});
  }

  // Placeholders for every font of the document but `missing` at 600 dpi.
  void PutAllBut(const std::string& path, const std::string& missing) {
    ASSERT_EQ(OpenDviFile(doc_, path), 0);
    ASSERT_EQ(test::AbortMessageOf([&] { PreparePkFileNames(doc_, Template()); }), std::nullopt);
    for (const WantedFont& font : WantedFonts(doc_, false)) {
      ASSERT_EQ(font.Resolution, 600) << font.Name;
      if (font.Name != missing) Put(600, font.Name);
    }
    CloseDviFile(doc_);
  }

  // Whether mktexpk runs here; the checks that make fonts skip without it.
  static bool HaveMktexpk() {
    test::TempDir work;
    const HostRun run = platform::RunHostProgram({{"mktexpk"}, {"--version"}}, work.Path(), 60);
    return run.Result == HostRun::Outcome::Finished && run.ExitCode == 0;
  }

  static std::string Plain() { return MOX_FIXTURES_DIR "/dvi/plain.dvi"; }
};

TEST_F(MakepkRunTest, MakesTheMissingFontWhereThePreviewerLooks) {
  if (!HaveMktexpk()) GTEST_SKIP() << "mktexpk is not installed (tools/install-packages.sh tex)";
  PutAllBut(Plain(), "cmr10");

  const HostRun run = RunAsThePreviewer(Plain());
  ASSERT_EQ(run.Result, HostRun::Outcome::Finished);
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  // The name the previewer opens, ".PK" in capitals even where case counts.
  const std::string made = test::ReadFile(PkFile(600, "cmr10"));
  ASSERT_GE(made.size(), 1000u) << run.Errors;
  EXPECT_EQ(static_cast<unsigned char>(made[0]), 247);
  EXPECT_EQ(static_cast<unsigned char>(made[1]), 89);
  // The fonts that were there stay as they were, and nothing else is left.
  EXPECT_EQ(test::ReadFile(PkFile(600, "cmr7")), "placeholder");
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.File("dpi600"))) {
    EXPECT_EQ(entry.path().extension(), ".PK") << entry.path();
    ++files;
  }
  EXPECT_EQ(files, 10u);

  // A second run finds everything.
  const HostRun again = Run({"-E", "-P" + Template(), Plain()});
  EXPECT_EQ(again.ExitCode, 0) << again.Errors;
  EXPECT_NE(again.Output.find("cmr10 at 600 dpi: found"), std::string::npos) << again.Output;
}

TEST_F(MakepkRunTest, MakesFontsForTheMagnificationAndResolutionItIsGiven) {
  if (!HaveMktexpk()) GTEST_SKIP() << "mktexpk is not installed (tools/install-packages.sh tex)";
  test::DviWriter dvi;
  dvi.Preamble("one font");
  dvi.BeginPage(1).FontDef({.Number = 0, .Name = "cmr10"}).Font(0).SetChar('A').EndPage();
  dvi.Finish({.Fonts = {{.Number = 0, .Name = "cmr10"}}});
  test::WriteFile(dir_.File("one.dvi"), dvi.Data());

  // 300 dpi, magnified 1.2: mode cx at 360 dpi.
  const HostRun run = RunAsThePreviewer(dir_.File("one.dvi"), "-M1200", "-R300.00x300.00");
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  const std::string made = test::ReadFile(PkFile(360, "cmr10"));
  ASSERT_GE(made.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(made[1]), 89);
}

TEST_F(MakepkRunTest, ReportsAFontMetafontCannotMake) {
  if (!HaveMktexpk()) GTEST_SKIP() << "mktexpk is not installed (tools/install-packages.sh tex)";
  test::DviWriter dvi;
  dvi.Preamble("unknown font");
  dvi.BeginPage(1).FontDef({.Number = 0, .Name = "nosuchfnt"}).Font(0).SetChar('A').EndPage();
  dvi.Finish({.Fonts = {{.Number = 0, .Name = "nosuchfnt"}}});
  test::WriteFile(dir_.File("unknown.dvi"), dvi.Data());

  const HostRun run = RunAsThePreviewer(dir_.File("unknown.dvi"));
  ASSERT_EQ(run.Result, HostRun::Outcome::Finished);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Errors.find("cannot make nosuchfnt at 600 dpi"), std::string::npos) << run.Errors;
  EXPECT_FALSE(test::FileExists(PkFile(600, "nosuchfnt")));
}

TEST_F(MakepkRunTest, OnlyUsedFontsWithC) {
  // Font 1 is defined but sets no character: -C does not ask for it.
  test::DviWriter dvi;
  dvi.Preamble("unused font");
  dvi.BeginPage(1).FontDef({.Number = 0, .Name = "cmr10"}).Font(0).SetChar('A').EndPage();
  dvi.Finish({.Fonts = {{.Number = 0, .Name = "cmr10"}, {.Number = 1, .Name = "nosuchfnt"}}});
  test::WriteFile(dir_.File("unused.dvi"), dvi.Data());
  Put(600, "cmr10");
  Put(720, "cmr10");

  HostRun run = RunAsThePreviewer(dir_.File("unused.dvi"));
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  run = RunAsThePreviewer(dir_.File("unused.dvi"), "-M1200");
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  // Without -C every defined font counts; nosuchfnt cannot be made.
  run = Run({"-E", "-Q", "-P" + Template(), dir_.File("unused.dvi")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Errors.find("nosuchfnt"), std::string::npos) << run.Errors;
}

TEST_F(MakepkRunTest, AnInvalidChineseCodeIsDroppedAsThePreviewerDropsIt) {
  test::DviWriter dvi;
  dvi.Preamble("bad code");
  dvi.BeginPage(1).Font(0).SetChar('A').Font(1).SetChar(126).SetChar(126).EndPage();
  dvi.Finish({.Fonts = {{.Number = 0, .Name = "cmr10"},
                        {.Number = 1, .Checksum = 24 << 20, .Name = "ccfntA24"}}});
  test::WriteFile(dir_.File("bad.dvi"), dvi.Data());
  Put(600, "cmr10");
  const HostRun run = RunAsThePreviewer(dir_.File("bad.dvi"));
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  EXPECT_NE(run.Errors.find("invalid Chinese character code ignored"), std::string::npos)
      << run.Errors;
}

TEST_F(MakepkRunTest, InvalidCommandLineAndUnreadableDocument) {
  HostRun run = Run({"-E", "-Z", "-P" + Template(), Plain()});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Errors.find("invalid option \"-Z\""), std::string::npos) << run.Errors;
  EXPECT_NE(run.Errors.find("usage: MAKEPK"), std::string::npos) << run.Errors;

  run = Run({"-E", "-P" + Template(), dir_.File("absent.dvi")});
  EXPECT_EQ(run.ExitCode, 3);
  EXPECT_FALSE(run.Errors.empty());

  test::WriteFile(dir_.File("broken.dvi"), "not a DVI file at all");
  run = Run({"-E", "-P" + Template(), dir_.File("broken.dvi")});
  EXPECT_EQ(run.ExitCode, 3);
}

}  // namespace
}  // namespace mox::makepk

#endif  // _WIN32
