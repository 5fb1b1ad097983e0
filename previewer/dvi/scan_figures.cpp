#include "previewer/dvi/scan_figures.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/file_system.h"
#include "platform/text_format.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/figure_special.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/dvi/source_specials.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

// How far into an EPS file its bounding box comment is looked for.
constexpr std::size_t kHeadBytes = 16384;

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         (path.size() > 1 && path[1] == ':');
}

// A figure named by the special is found relative to the DVI file's folder.
std::string FigurePath(const ScanDocument& doc, const std::string& name) {
  return IsAbsolute(name) ? name : FolderOf(doc.Dvi.Name) + name;
}

std::optional<FigureBox> FileBox(const std::string& path) {
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return std::nullopt;
  std::string head(kHeadBytes, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file.get()));
  if (const std::optional<DosEpsSection> section = ReadDosEpsHeader(head)) {
    // The PostScript of a DOS EPS file starts further in.
    if (!platform::SeekFile(file.get(), section->Offset, SEEK_SET)) return std::nullopt;
    head.assign(std::min<std::size_t>(kHeadBytes, section->Length), '\0');
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
  }
  return ReadEpsBoundingBox(head);
}

void Note(ScanDocument& doc, const std::string& file, FigureProblem problem) {
  doc.FigureNotes.emplace_back(file, problem);
}

const Bilingual& ProblemText(FigureProblem problem) {
  switch (problem) {
    case FigureProblem::Missing: return kFigureMissing;
    case FigureProblem::TooLarge: return kFigureTooLarge;
    case FigureProblem::NoGhostscript: return kFigureNoGhostscript;
    case FigureProblem::Command: return kFigureCommand;
    case FigureProblem::Rejected:
    case FigureProblem::None: break;
  }
  return kFigureRejected;
}

}  // namespace

std::optional<PageItem> FigureItem(ScanDocument& doc, std::string_view special, double x,
                                   double y) {
  const std::optional<FigureSpecial> figure = ParseFigureSpecial(special);
  if (!figure) {
    Note(doc, std::string(special.substr(0, 40)), FigureProblem::Rejected);
    return std::nullopt;
  }
  FigureRequest request;
  request.File = FigurePath(doc, figure->File);
  if (!figure->File.empty() && figure->File.front() == '`') {
    Note(doc, figure->File, FigureProblem::Command);
    return std::nullopt;
  }
  const std::optional<FigureBox> file_box = figure->Box() ? std::nullopt : FileBox(request.File);
  const std::optional<FigurePlacement> placement = PlaceFigure(*figure, file_box);
  const double magnification = doc.Dvi.Magnification / 1000.0;
  request.PixelsPerBpX = doc.Settings.ResolutionX * magnification / 72.0;
  request.PixelsPerBpY = doc.Settings.ResolutionY * magnification / 72.0;
  if (placement) request.Placement = *placement;
  if (!placement || !FrameFigure(request, x, y)) {
    Note(doc, figure->File, FigureProblem::TooLarge);
    return std::nullopt;
  }
  std::shared_ptr<const FigurePicture> picture =
      doc.Figures.Draw(doc.Settings.GhostscriptPath, request);
  if (picture->Problem != FigureProblem::None) Note(doc, figure->File, picture->Problem);
  PageItem item{};
  item.X = static_cast<std::int16_t>(request.Left);
  item.Y = static_cast<std::int16_t>(request.Top);
  item.Width = static_cast<std::int16_t>(request.Width);
  item.Height = static_cast<std::int16_t>(request.Height);
  item.SetRef(static_cast<std::uint32_t>(doc.Page.Figures.size()));
  item.Kind = ItemFigure;
  doc.Page.Figures.push_back(std::move(picture));
  doc.Page.Coloured = true;  // a figure's pixels have colour
  return item;
}

void WarnOfFigureProblems(ScanDocument& doc) {
  std::string lines;
  for (const auto& [file, problem] : doc.FigureNotes) {
    if (!doc.ToldFigures.insert(file).second) continue;
    lines += Format(doc.Say(ProblemText(problem)), file.c_str());
  }
  doc.FigureNotes.clear();
  if (lines.empty()) return;
  doc.Report.Notice(doc.Say(kFiguresNotDrawn) + lines, doc.Say(kWarningCaption), true);
}

}  // namespace mox
