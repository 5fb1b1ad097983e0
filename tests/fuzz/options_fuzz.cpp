// Any text as the three sources of the options: the input falls apart at its
// first two form feeds into the command line (one argument a line), the text
// of the options variable and the initialization file beside the program.
// Reading them must end with settings in their ranges or with a message;
// saving the settings back must give a file that reads again without error.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "previewer/render/grey_palette.h"
#include "previewer/startup/dimension.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/startup/box_reporter.h"
#include "previewer/startup/document_core.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr char kPartSeparator = '\f';

// The program's options variable, for the program file named below.
constexpr const char* kVariable = "MOXFUZZOPTS";

const std::string& ProgramPath() {
  static const std::string path = mox::fuzz::ScratchFolder() + "/moxfuzz.exe";
  return path;
}

// The part of text up to the next separator, which is used up; the rest of
// the text when there is none (then `found` is false).
std::string_view TakePart(std::string_view& text, bool& found) {
  const std::size_t end = text.find(kPartSeparator);
  found = end != std::string_view::npos;
  const std::string_view part = text.substr(0, end);
  text = found ? text.substr(end + 1) : std::string_view();
  return part;
}

// One argument a line; an argument cannot hold a NUL byte either, so one
// ends there too.
std::vector<std::string> CommandLine(std::string_view text) {
  std::vector<std::string> arguments{ProgramPath()};
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(std::string_view("\n\0", 2));
    arguments.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return arguments;
}

// The settings must be what options.h promises after a successful read.
void CheckSettings(const mox::Options& options) {
  const bool valid = options.ResolutionX > 0.0 && options.ResolutionY > 0.0 &&
                     std::isfinite(options.ResolutionX) && std::isfinite(options.ResolutionY) &&
                     options.PkFontPath.size() <= mox::kOptionTextLimit &&
                     options.ChineseFontPath.size() <= mox::kOptionTextLimit &&
                     options.PageSelectionText.size() <= mox::kOptionTextLimit &&
                     std::isfinite(options.CurrentZoom) && options.CurrentZoom > 0.0 &&
                     options.CurrentZoom <= 1.0;
  if (!valid) std::abort();
  // What the window and the page filter then do with them.
  mox::DimensionToPixels(options.MarginX, options.ResolutionX);
  mox::DimensionToPixels(options.MarginY, options.ResolutionY);
  mox::GreyPalette(16, options.Gamma);
  mox::BoxReporter report;
  mox::DocumentCore doc(report, options);
  doc.SelectPages(options.PageSelectionText);
  for (std::int32_t page : {-2147483647, -1, 0, 1, 5, 9, 2147483647}) {
    doc.IsPageSelected(page, page);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  std::string_view input(reinterpret_cast<const char*>(data), size);
  bool has_variable = false;
  bool has_init_file = false;
  const std::vector<std::string> arguments = CommandLine(TakePart(input, has_variable));
  const std::string_view variable = TakePart(input, has_init_file);
  const std::string_view init_text = input;

  // The variable's text ends at a NUL byte, as any environment's does.
  mox::platform::SetEnvironmentText("CCPKPATH", std::nullopt);
  mox::platform::SetEnvironmentText("CCHZPATH", std::nullopt);
  mox::platform::SetEnvironmentText(
      kVariable, has_variable ? std::optional<std::string>(std::string(variable.substr(
                                    0, variable.find('\0'))))
                              : std::nullopt);
  const std::string init_path = mox::fuzz::ScratchFolder() + "/moxfuzz.INI";
  mox::platform::Files().Remove(init_path);
  if (has_init_file) {
    mox::fuzz::WriteScratchFile("moxfuzz.INI", reinterpret_cast<const std::uint8_t*>(init_text.data()),
                                init_text.size());
  }

  mox::Options options;
  const std::optional<std::string> error = mox::ReadOptions(arguments, options);
  if (error) {
    if (error->empty()) std::abort();
  } else {
    CheckSettings(options);
    // The saved file keeps the file's other options and must read again,
    // giving the settings that were saved (the resolution to the hundredth
    // and the gamma to the ten-thousandth it is written with).
    const mox::Options saved = options;
    if (mox::SaveOptions(saved) == 0) {
      mox::Options read;
      if (mox::ReadOptions({ProgramPath()}, read)) std::abort();
      CheckSettings(read);
      const bool same = read.PkFontPath == saved.PkFontPath &&
                        read.ChineseFontPath == saved.ChineseFontPath &&
                        std::fabs(read.ResolutionX - saved.ResolutionX) <=
                            0.005 + 1e-12 * saved.ResolutionX &&
                        std::fabs(read.Gamma - saved.Gamma) <= 0.00005 + 1e-12 * std::fabs(saved.Gamma);
      if (!same) std::abort();
    }
  }

  mox::platform::SetEnvironmentText(kVariable, std::nullopt);
  mox::platform::Files().Remove(init_path);
  return 0;
}
