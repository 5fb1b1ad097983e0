// Making one PK font with Metafont through TeX's mktexpk and putting it
// where the previewer looks for it.
#pragma once

#include <string>
#include <vector>

#include "platform/host_program.h"

#include "previewer/base/bilingual.h"

namespace mox::makepk {

// The Metafont mode for a device resolution and the resolution it is made
// for: 300 dpi is a LaserJet-class write-black printer (cx, 300); every
// other resolution is made with ljfour (600) and scaled, since a resolution
// without a mode of its own is best served by a modern write-black mode.
struct MetafontMode {
  std::string Name;
  int BaseResolution;
};
MetafontMode ModeForResolution(double device_resolution);

// The command that makes font `name` at `resolution` dots per inch in
// destination: mktexpk with the mode, its base resolution and the
// magnification as the exact ratio resolution/base.
std::vector<platform::HostArgument> MktexpkCommand(const std::string& name, int resolution,
                                                   const MetafontMode& mode,
                                                   const std::string& destination);

// The file mktexpk names on its standard output (its last line), as a name
// inside `folder`: only the last path component is used, so the Unix form
// mktexpk prints under Wine serves as well.
std::string MadeFileIn(const std::string& folder, const std::string& output);

// Whether the file begins as a PK file does (pre, then the identification 89).
bool LooksLikePkFile(const std::string& path);

enum class MakeOutcome { Made, Failed, ToolMissing };

struct MakeResult {
  MakeOutcome Outcome = MakeOutcome::Failed;
  std::string Message;   // why it failed, in the language asked for
  std::string Details;   // what mktexpk and Metafont wrote, for the user
};

// Makes font `name` at `resolution` in a temporary folder and writes it to
// target (creating its folders). target must not exist yet.
MakeResult MakePkFont(const std::string& name, int resolution, const MetafontMode& mode,
                      const std::string& target, int timeout_seconds, Language language);

}  // namespace mox::makepk
