#include "tools/makepk/font_maker.h"

#include <cmath>
#include <cstdio>

#include "platform/directories.h"
#include "platform/file_system.h"
#include "platform/text_format.h"
#include "tools/makepk/makepk_texts.h"

namespace mox::makepk {
namespace {

#ifdef _WIN32
constexpr char kSeparators[] = "\\/";
constexpr char kNativeSeparator = '\\';
#else
constexpr char kSeparators[] = "/";
constexpr char kNativeSeparator = '/';
#endif

// The font's name without the area a DVI font definition may give it.
std::string BareName(const std::string& name) {
  const std::size_t cut = FindLastOfGbk(name, "/\\:");
  return cut == std::string::npos ? name : name.substr(cut + 1);
}

std::string ReadAll(const std::string& path, bool& ok) {
  std::string bytes;
  platform::FilePtr file = platform::OpenFile(path, "rb");
  ok = file != nullptr;
  if (!file) return bytes;
  char block[8192];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) bytes.append(block, got);
  ok = std::ferror(file.get()) == 0;
  return bytes;
}

// Writes the bytes under a temporary name beside target and renames it, so
// that the previewer never finds half a file under the real name.
bool WriteFileSafely(const std::string& target, const std::string& bytes) {
  const std::string partial = target + ".$$$";
  platform::Files().Remove(partial);
  platform::FilePtr file = platform::OpenFile(partial, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (!platform::CloseChecked(file) || !written || !platform::Files().Rename(partial, target)) {
    platform::Files().Remove(partial);
    return false;
  }
  return true;
}

// The last lines of a tool's output, enough to see why it failed.
std::string Tail(const std::string& text, std::size_t lines) {
  std::size_t at = text.size();
  while (at > 0 && (text[at - 1] == '\n' || text[at - 1] == '\r')) --at;
  const std::size_t end = at;
  for (std::size_t seen = 0; at > 0; --at) {
    if (text[at - 1] == '\n' && ++seen == lines) break;
  }
  return text.substr(at, end - at);
}

}  // namespace

MetafontMode ModeForResolution(double device_resolution) {
  if (std::lround(device_resolution) == 300) return {"cx", 300};
  return {"ljfour", 600};
}

std::vector<platform::HostArgument> MktexpkCommand(const std::string& name, int resolution,
                                                   const MetafontMode& mode,
                                                   const std::string& destination) {
  const std::string base = std::to_string(mode.BaseResolution);
  return {{"mktexpk"},
          {"--mfmode"}, {mode.Name},
          {"--bdpi"}, {base},
          {"--mag"}, {std::to_string(resolution) + "/" + base},
          {"--dpi"}, {std::to_string(resolution)},
          {"--destdir"}, {destination, true},
          {BareName(name)}};
}

std::string MadeFileIn(const std::string& folder, const std::string& output) {
  std::string line = Tail(output, 1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
  const std::size_t cut = line.find_last_of("/\\");
  const std::string file = cut == std::string::npos ? line : line.substr(cut + 1);
  if (file.empty()) return std::string();
  return folder + kNativeSeparator + file;
}

bool LooksLikePkFile(const std::string& path) {
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return false;
  unsigned char head[2] = {0, 0};
  return std::fread(head, 1, 2, file.get()) == 2 && head[0] == 247 && head[1] == 89;
}

MakeResult MakePkFont(const std::string& name, int resolution, const MetafontMode& mode,
                      const std::string& target, int timeout_seconds, Language language) {
  MakeResult result;
  const std::string work = platform::MakeTemporaryDirectory("makepk-");
  if (work.empty()) {
    result.Message = kNoTemporaryFolder.In(language);
    return result;
  }
  const platform::HostRun run = platform::RunHostProgram(
      MktexpkCommand(name, resolution, mode, work), work, timeout_seconds);
  result.Details = run.Errors;
  const std::string made = MadeFileIn(work, run.Output);
  bool read = false;
  std::string bytes;
  switch (run.Result) {
    case platform::HostRun::Outcome::NotStarted:
      result.Outcome = MakeOutcome::ToolMissing;
      result.Message = kMktexpkMissing.In(language);
      break;
    case platform::HostRun::Outcome::TimedOut:
      result.Message = Format(kMktexpkTimedOut.In(language),
                              timeout_seconds);
      break;
    case platform::HostRun::Outcome::Finished:
      if (run.ExitCode != 0 || made.empty() || !LooksLikePkFile(made)) {
        result.Message = Format(kMktexpkFailed.In(language),
                                run.ExitCode);
        if (!run.Errors.empty()) result.Message += "\n" + Tail(run.Errors, 2);
        break;
      }
      bytes = ReadAll(made, read);
      if (!read) {
        result.Message = Format(kCannotRead.In(language), made.c_str());
        break;
      }
      {
        const std::size_t cut = FindLastOfGbk(target, kSeparators);
        const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut);
        if ((!folder.empty() && !platform::MakeDirectories(folder)) ||
            !WriteFileSafely(target, bytes)) {
          result.Message = Format(kCannotWrite.In(language), target.c_str());
          break;
        }
      }
      result.Outcome = MakeOutcome::Made;
      break;
  }
  platform::RemoveDirectoryTree(work);
  return result;
}

}  // namespace mox::makepk
