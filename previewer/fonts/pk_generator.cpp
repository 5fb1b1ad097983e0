#include "previewer/fonts/pk_generator.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/current_directory.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text_format.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"

namespace mox {
namespace {

constexpr int kShowNormal = 5;  // SW_SHOW

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

// An absolute path with forward slashes, its "." and ".." resolved; ".."
// never climbs above the root ("X:/", "/" or "//server/share/").
std::string ResolveDots(const std::string& path) {
  std::string root;
  std::size_t at = 0;
  if (HasDrive(path)) {
    root = path.substr(0, 2);
    at = 2;
  }
  if (root.empty() && path.compare(0, 2, "//") == 0) {
    // A network path keeps its server and share as its root.
    const std::size_t server_end = path.find('/', 2);
    const std::size_t share_end =
        server_end == std::string::npos ? std::string::npos : path.find('/', server_end + 1);
    if (share_end == std::string::npos) return path;
    root = path.substr(0, share_end);
    at = share_end;
  }
  if (at < path.size() && path[at] == '/') root += '/';

  std::vector<std::string> parts;
  while (at <= path.size()) {
    std::size_t end = path.find('/', at);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  std::string result = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result += '/';
    result += parts[i];
  }
  return result;
}

}  // namespace

std::string AbsoluteForwardPath(const std::string& path, const std::string& current_directory) {
  std::string forward = path;
  ReplaceGbk(forward, '\\', '/');
  std::string current = current_directory;
  ReplaceGbk(current, '\\', '/');

  std::string drive;
  std::string rest = forward;
  if (HasDrive(forward)) {
    drive = forward.substr(0, 2);
    rest = forward.substr(2);
  }
  std::string absolute;
  if (drive.empty() && rest.compare(0, 2, "//") == 0) {
    absolute = rest;  // a network path
  } else if (!rest.empty() && rest[0] == '/') {
    // Rooted: on the named drive, else on the current directory's.
    absolute = (drive.empty() && HasDrive(current) ? current.substr(0, 2) : drive) + rest;
  } else {
    // Relative, or relative to the current directory of the named drive.
    if (!drive.empty() && !HasDrive(current)) current = drive + current;
    absolute = current + (!current.empty() && current.back() == '/' ? "" : "/") + rest;
  }
  return ResolveDots(absolute);
}

std::string PkGeneratorName() { return platform::ProgramFileName("MAKEPK"); }

std::string PkGeneratorPath(const Options& options) {
  const std::string& program = options.ProgramPath;
  const std::size_t separator = FindLastOfGbk(program, "\\/");
  const std::string directory =
      separator == std::string::npos ? std::string() : program.substr(0, separator + 1);
  return directory + PkGeneratorName();
}

std::string PkGeneratorCommandLine(const FontDocument& doc, const std::string& pk_path_template) {
  const Options& options = doc.Settings;
  const DviDocument& document = doc.Dvi;
  const long magnification =
      document.Magnification == 0 ? 1000L : static_cast<long>(document.Magnification);
  const std::string dvi_path =
      AbsoluteForwardPath(document.Name, platform::CurrentDirectoryFor(document.Name));
  // The folders of VF and TFM files, when the user set them, in quotes (a
  // folder may hold blanks); before -P, whose unquoted template may too.
  const std::string metric_folders =
      options.FontMetricPath.empty() ? std::string()
                                     : " \"-F" + options.FontMetricPath + "\"";
  return PkGeneratorPath(options) + Format(" -C -E -R%0.2lfx%0.2lf -M%ld%s -P%s %s",
                                    options.ResolutionX, options.ResolutionY, magnification,
                                    metric_folders.c_str(), pk_path_template.c_str(),
                                    dvi_path.c_str());
}

int RunPkGenerator(FontDocument& doc, const std::string& pk_path_template) {
  // The generator reads the DVI file, which Windows keeps locked while the
  // reader holds it; the reader reopens it on its next access.
  ByteReader& reader = doc.Dvi.Reader;
  if (reader.IsOpen()) reader.Close();

  // The generator runs in a console window of its own, where it says what
  // it makes; the load waits for it to end, and the user may stop it.
  const std::string generator = PkGeneratorPath(doc.Settings);
  int code = 0;
  const std::unique_ptr<platform::WaitedProgram> program =
      platform::StartWaitedProgram(PkGeneratorCommandLine(doc, pk_path_template), kShowNormal,
                                   code);
  if (program) {
    const std::string text =
        Format(doc.Say(kGeneratorRunning), generator.c_str()) + doc.Say(kGeneratorWaiting);
    if (doc.Report.WaitFor(text, doc.Say(kGeneratorCaption), doc.Say(kCancel),
                           [&] { return program->HasEnded(); })) {
      return 0;
    }
    program->Stop();
    return 1;
  }
  doc.Report.Notice(Format(doc.Say(kCannotExecute), generator.c_str(), code), "", false);
  return 1;
}

int RunPkGenerator(FontDocument& doc) {
  return RunPkGenerator(doc, WithTrailingSeparator(doc.Settings.PkFontPath));
}

}  // namespace mox
