// MAKEPK: makes the PK fonts a DVI file needs that are missing under the
// previewer's PK path template, with Metafont through TeX's mktexpk. The
// previewer starts it when a font file is missing (see MakePkUsage for the
// command line); it reads the DVI file with the previewer's own reader, so
// it asks for exactly the resolutions and file names the previewer tries.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/console_text.h"
#include "platform/environment.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/startup/options.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/startup/box_reporter.h"
#include "tools/makepk/makepk_texts.h"
#include "tools/makepk/font_maker.h"
#include "tools/makepk/makepk_arguments.h"
#include "tools/makepk/wanted_fonts.h"
#include "tools/moxrender/console_user_interface.h"


namespace mox::makepk {
namespace {

constexpr int kAllThere = 0;
constexpr int kSomeMissing = 1;
constexpr int kBadCommandLine = 2;
constexpr int kBadDocument = 3;

void Say(std::FILE* stream, const std::string& text) {
  platform::WriteConsoleText(stream, text + "\n");
}

int Run(const std::vector<std::string>& command_line) {
  std::string error;
  const std::vector<std::string> arguments(
      command_line.empty() ? command_line.begin() : command_line.begin() + 1, command_line.end());
  const std::optional<MakePkArguments> parsed = ParseMakePkArguments(arguments, error);
  if (!parsed) {
    Say(stderr, "MAKEPK: " + error);
    platform::WriteConsoleText(stderr, MakePkUsage(MakePkLanguage(arguments)));
    return kBadCommandLine;
  }
  // Messages of the reader go to standard error. Its questions (an invalid
  // Chinese code in the document) are answered Yes: the previewer's user let
  // the document through, and such codes are dropped as the previewer drops
  // them, so the fonts are still made.
  ConsoleUserInterface ui(false, false);
  platform::SetUi(&ui);
  // mktexpk turns a Type 1 font (the base fonts of psnfss' virtual fonts)
  // into PK with the tool this variable names, gsftopk unless set; gsftopk
  // needs a PostScript driver file some distributions leave out (Debian's
  // TeX Live), ps2pk needs nothing else. A user's own choice stands.
  if (!platform::GetEnvironmentText("ps_to_pk")) platform::SetEnvironmentText("ps_to_pk", "ps2pk");

  const Language language = parsed->Lang();
  BoxReporter report(language);
  Options options;
  options.Lang = language;
  options.ResolutionX = parsed->ResolutionX;
  options.ResolutionY = parsed->ResolutionY;
  options.Magnification = static_cast<std::int32_t>(parsed->Magnification);
  // The previewer's folders of VF and TFM files, so that the fonts its
  // virtual fonts are made of are made, and never the virtual ones.
  options.FontMetricPath = parsed->FontMetricPath;
  ScanDocument doc(report, options);
  if (GuardDocumentOperation(doc, [&] {
        PreparePkFileNames(doc, parsed->PathTemplate);
        return 0;
      }) != 0) {
    return kBadCommandLine;
  }
  if (OpenDviFile(doc, parsed->DviPath) != 0) return kBadDocument;
  if (parsed->UsedFontsOnly && PreScan(doc) != 0) return kBadDocument;
  const std::vector<WantedFont> wanted = WantedFonts(doc, parsed->UsedFontsOnly);
  const PkPathFormat paths = doc.Load.PkPaths;
  CloseDviFile(doc);

  const MetafontMode mode = ModeForResolution(parsed->ResolutionX);
  int status = kAllThere;
  for (const WantedFont& font : wanted) {
    const std::string existing = ExistingPkFile(paths, font);
    if (!existing.empty()) {
      if (!parsed->Quiet) {
        Say(stdout, Format(kFontFound.In(language),
                           font.Name.c_str(), font.Resolution, existing.c_str()));
      }
      continue;
    }
    const std::string target = PkTarget(paths, font);
    if (!parsed->Quiet) {
      Say(stdout, Format(kMakingFont.In(language),
                         font.Name.c_str(), font.Resolution, target.c_str(), mode.Name.c_str()));
    }
    const MakeResult made =
        MakePkFont(font.Name, font.Resolution, mode, target, parsed->TimeoutSeconds, language);
    if (!parsed->Quiet && !made.Details.empty()) platform::WriteConsoleText(stderr, made.Details);
    if (made.Outcome == MakeOutcome::Made) continue;
    status = kSomeMissing;
    Say(stderr, Format(kCannotMake.In(language),
                       font.Name.c_str(), font.Resolution, made.Message.c_str()));
    if (made.Outcome == MakeOutcome::ToolMissing) break;  // no font can be made
  }
  return status;
}

}  // namespace
}  // namespace mox::makepk

int main(int argc, char** argv) {
  const int status = mox::makepk::Run(mox::platform::CommandLineArguments(argc, argv));
  mox::platform::SetUi(nullptr);
  return status;
}
