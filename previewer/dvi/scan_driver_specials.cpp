#include "previewer/dvi/scan_driver_specials.h"

#include <string>
#include <utility>

#include "platform/text_format.h"
#include "previewer/dvi/driver_specials.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/dvips_color.h"
#include "previewer/dvi/mox_conventions.h"
#include "previewer/dvi/paper_size_special.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/dvi/source_specials.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

std::int32_t Count0Of(const ScanDocument& doc, std::int32_t page) {
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  return page >= 0 && static_cast<std::size_t>(page) < pages.size()
             ? pages[static_cast<std::size_t>(page)].Count0
             : 0;
}

bool IsLiteralBackground(std::string_view text) {
  const std::size_t quote = text.find('"');
  return quote != std::string_view::npos &&
         text.substr(0, quote).find_first_not_of(" \t") == text.substr(0, quote).find("background");
}

bool FollowColor(ScanDocument& doc, const ColorSpecial& color, std::int32_t page, bool note) {
  ScanState& state = doc.Scan;
  const RgbColor before = state.Colors.Current();
  ColorStackResult result = ColorStackResult::Ok;
  switch (color.Action) {
    case ColorAction::Push: result = state.Colors.Push(color.Color); break;
    case ColorAction::Pop: result = state.Colors.Pop(); break;
    case ColorAction::Set: state.Colors.Set(color.Color); break;
    case ColorAction::Background:
      state.Background = color.Color;
      doc.Page.Background = color.Color;
      if (!(color.Color == RgbColor{255, 255, 255})) doc.Page.Coloured = true;
      return false;
  }
  if (note && result != ColorStackResult::Ok) {
    doc.Unhandled.Note(doc.Say(result == ColorStackResult::Overflow ? kColorStackOverflow
                                                                      : kColorStackUnderflow),
                       Count0Of(doc, page));
  }
  return !(state.Colors.Current() == before);
}

void TakePaperSize(ScanDocument& doc, std::string_view text) {
  DviDocument& document = doc.Dvi;
  if (document.PaperWidthBp > 0.0) return;  // the first one counts
  if (const std::optional<PaperSize> paper = ParsePaperSizeSpecial(text)) {
    document.PaperWidthBp = paper->WidthBp;
    document.PaperHeightBp = paper->HeightBp;
  }
}

}  // namespace

bool IsMoxSpecial(std::string_view text) {
  return text.substr(0, 5) == "ZiTi=" || StartsWithNoCase(text, "BMF=") ||
         StartsWithNoCase(text, "COLOR=") || StartsWithNoCase(text, "em:") ||
         ParseSourceSpecial(text).has_value();
}

bool FollowDriverSpecial(ScanDocument& doc, std::string_view text, bool whole, std::int32_t page,
                         bool note) {
  // MOX's own specials of 255 bytes or more are passed over, as always.
  if (IsMoxSpecial(text)) return false;
  const DriverSpecial kind = ClassifyDriverSpecial(text);
  if (whole && (kind == DriverSpecial::Color || kind == DriverSpecial::Background)) {
    if (const std::optional<ColorSpecial> color = ParseDvipsColorSpecial(text)) {
      return FollowColor(doc, *color, page, note);
    }
    // xcolor's \nopagecolor: a PostScript literal in place of a colour,
    // which leaves the paper unpainted.
    if (kind == DriverSpecial::Background && IsLiteralBackground(text)) {
      return FollowColor(doc, {ColorAction::Background, RgbColor{255, 255, 255}}, page, note);
    }
  }
  if (!note) return false;
  if (whole && kind == DriverSpecial::PaperSize) {
    TakePaperSize(doc, text);
    return false;
  }
  if (kind == DriverSpecial::Landscape) {
    doc.Dvi.Landscape = true;
    return false;
  }
  // Figures are the passes' own.
  if (whole && kind == DriverSpecial::Figure) return false;
  // Headers only define what PostScript specials use: the specials that
  // draw are the ones named.
  if (kind == DriverSpecial::PostScriptHeader) return false;
  // hyperref's links are read by the window, which follows them: the
  // hypertext tags, and its dvips driver's PostScript, which marks corners
  // and writes pdfmarks in hyperref's own dictionary and draws nothing.
  if (kind == DriverSpecial::Hypertext) return false;
  if (kind == DriverSpecial::PostScript &&
      WithoutBlanks(text).substr(0, 14) == "ps:SDict begin") {
    return false;
  }
  doc.Unhandled.Note(SpecialKindName(text), Count0Of(doc, page));
  return false;
}

void WarnOfUnhandledSpecials(ScanDocument& doc) {
  std::string lines;
  for (const auto& [kind, count0] : doc.Unhandled.Kinds) {
    if (!doc.ToldSpecialKinds.insert(kind).second) continue;
    lines += Format(doc.Say(kSpecialNotDrawn), kind.c_str(), static_cast<long>(count0));
  }
  if (lines.empty()) return;
  doc.Report.Notice(doc.Say(kSpecialsNotDrawn) + lines, doc.Say(kWarningCaption), true);
}

}  // namespace mox
