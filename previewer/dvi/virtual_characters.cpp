// Setting a character of a virtual font: its packet's operations run at the
// current position, in the fonts the virtual font is made of, with a DVI
// stack of their own; afterwards everything is as before, and a set
// command moves on by the character's width.
#include <string_view>

#include "platform/text_format.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/tfm_metrics.h"
#include "previewer/fonts/virtual_font_file.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

class PacketRun {
 public:
  PacketRun(ScanDocument& doc, PagePass& pass, const VirtualFont& font, int depth)
      : doc_(doc), pass_(pass), font_(font), file_(*font.File), depth_(depth),
        tracks_(pass.TracksPosition()) {}

  void Run(const VfCharacter& character) {
    ScanState& state = doc_.Scan;
    const int saved_font = state.FontIndex;
    const DviRegisters saved = state.Position;
    const std::size_t base = state.PacketStack.size();
    state.Position.W = state.Position.X = state.Position.Y = state.Position.Z = 0;
    state.FontIndex = font_.Fonts.empty() ? -1 : font_.Fonts.front();
    for (std::uint32_t i = 0; i < character.Count; ++i) Step(file_.Ops[character.First + i]);
    state.PacketStack.resize(base);
    state.Position = saved;
    state.FontIndex = saved_font;
  }

 private:
  std::int32_t Scaled(std::int32_t fix_word) const {
    return ScaleFixWord(fix_word, font_.ScaledSize);
  }

  void Step(const VfOp& op) {
    ScanState& state = doc_.Scan;
    DviRegisters& p = state.Position;
    switch (op.Kind) {
      case VfOpKind::Set:
      case VfOpKind::Put: {
        // Base fonts are set with one byte, as the page's own fonts are.
        if (state.FontIndex < 0 || op.A < 0 || op.A > 255) return;
        const std::int32_t advance = FontCharacter(doc_, pass_, op.A, depth_ + 1);
        if (op.Kind == VfOpKind::Set && tracks_) MoveWrapping(p.H, advance);
        return;
      }
      case VfOpKind::SetRule:
      case VfOpKind::PutRule: {
        const std::int32_t width = Scaled(op.B);
        pass_.Rule(Scaled(op.A), width);
        if (op.Kind == VfOpKind::SetRule && tracks_) MoveWrapping(p.H, width);
        return;
      }
      case VfOpKind::Font:
        state.FontIndex = font_.Fonts[static_cast<std::size_t>(op.A)];
        return;
      case VfOpKind::Special:
        pass_.Special(std::string_view(file_.Specials).substr(static_cast<std::size_t>(op.A),
                                                              static_cast<std::size_t>(op.B)));
        return;
      default:
        break;
    }
    if (!tracks_) return;
    switch (op.Kind) {
      case VfOpKind::Push: state.PacketStack.push_back(p); break;
      case VfOpKind::Pop:
        // The file's packets are balanced; this keeps to the packet's own.
        p = state.PacketStack.back();
        state.PacketStack.pop_back();
        break;
      case VfOpKind::Right: MoveWrapping(p.H, Scaled(op.A)); break;
      case VfOpKind::W: p.W = Scaled(op.A); MoveWrapping(p.H, p.W); break;
      case VfOpKind::X: p.X = Scaled(op.A); MoveWrapping(p.H, p.X); break;
      case VfOpKind::Down: MoveWrapping(p.V, Scaled(op.A)); break;
      case VfOpKind::Y: p.Y = Scaled(op.A); MoveWrapping(p.V, p.Y); break;
      case VfOpKind::Z: p.Z = Scaled(op.A); MoveWrapping(p.V, p.Z); break;
      case VfOpKind::W0: MoveWrapping(p.H, p.W); break;
      case VfOpKind::X0: MoveWrapping(p.H, p.X); break;
      case VfOpKind::Y0: MoveWrapping(p.V, p.Y); break;
      case VfOpKind::Z0: MoveWrapping(p.V, p.Z); break;
      default: break;
    }
  }

  ScanDocument& doc_;
  PagePass& pass_;
  const VirtualFont& font_;
  const VirtualFontFile& file_;
  int depth_;
  bool tracks_;
};

}  // namespace

std::int32_t FontCharacter(ScanDocument& doc, PagePass& pass, int code, int depth) {
  FontRegistry& fonts = doc.Fonts;
  const PkFont& pk = fonts.PkFonts[static_cast<std::size_t>(doc.Scan.FontIndex)];
  if (pk.Virtual < 0) return pass.PkCharacter(code);
  const VirtualFont& font = fonts.VirtualFonts[static_cast<std::size_t>(pk.Virtual)];
  const VfCharacter& character = font.File->Characters[static_cast<std::size_t>(code)];
  if (!character.Present) return 0;
  const std::int32_t advance = ScaleFixWord(character.Width, font.ScaledSize);
  if (depth >= kMaxVirtualDepth) {
    if (!fonts.VirtualDepthNoted) {
      fonts.VirtualDepthNoted = true;
      doc.Report.Notice(Format(doc.Say(kVirtualTooDeep), pk.Name.c_str(), kMaxVirtualDepth),
                        doc.Say(kWarningCaption), true);
    }
    return advance;
  }
  PacketRun(doc, pass, font, depth).Run(character);
  return advance;
}

}  // namespace mox
