// Reading the commands of one DVI page, shared by the pre-scan and the page
// scan: the byte decoding, the font selection, the Chinese pairs and the
// incomplete-character rule live here once; what a pass does with a
// character, a rule or a special is up to the pass.
#pragma once

#include <cstdint>
#include <string_view>

#include "previewer/dvi/dvips_color.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/mox_conventions.h"
#include "previewer/fonts/font_registry.h"

namespace mox {
struct ScanDocument;
}

namespace mox {

// The scan state of the open document. The font kind and the current Chinese
// font carry over from page to page; the rest starts afresh on each page.
struct ScanState {
  int FontIndex = -1;                 // into the table of its kind; -1 none
  FontKind Kind = FontKind::Pk;
  int ChineseFontIndex = 0;           // size index of the current Chinese font
  bool FontSelected = false;          // a font was selected on this page
  ZitiState Ziti;
  int PendingByte = -1;               // first byte of a Chinese pair
  DviRegisters Position;              // h, v, w, x, y, z
  std::size_t StackDepth = 0;
  // dvips' colour stack and the paper colour, which run on from page to
  // page (the pre-scan records them where each page starts).
  ColorStack Colors;
  RgbColor Background{255, 255, 255};
  // The pushes of the virtual-font characters being set, which have a
  // stack of their own (kept, so that setting them does not allocate).
  std::vector<DviRegisters> PacketStack;
};


// DVI positions are 32-bit and wrap around, as in any DVI reader; a file
// that moves that far is broken, but must not make the arithmetic undefined.
inline void MoveWrapping(std::int32_t& position, std::int32_t amount) {
  position = static_cast<std::int32_t>(static_cast<std::uint32_t>(position) +
                                       static_cast<std::uint32_t>(amount));
}

class PagePass {
 public:
  virtual ~PagePass() = default;
  // Whether h, v and the DVI stack are followed (the page scan) or the
  // movement commands are only skipped (the pre-scan).
  virtual bool TracksPosition() const = 0;
  // A character of a PK font at the current position; returns its advance.
  virtual std::int32_t PkCharacter(int code) = 0;
  // A complete, valid Chinese character; returns its advance.
  virtual std::int32_t ChineseCharacter(const ChineseCode& code) = 0;
  // Whether characters are handled at all (the pre-scan of an unselected
  // page follows only the ziti letters of the dummy font).
  virtual bool HandlesCharacters() const = 0;
  // Whether a pair that is no valid Chinese code asks the user to go on
  // (the scans that draw do; reading a page for its text goes on quietly).
  virtual bool AsksAboutInvalidCodes() const { return true; }
  virtual void Rule(std::int32_t height, std::int32_t width) = 0;
  virtual void Special(std::string_view text) = 0;
  // A special of 255 bytes or more, which MOX's own specials never are:
  // whole when it is at most kLongSpecialLimit bytes, else only its first
  // kSpecialKindBytes, for its kind.
  virtual void LongSpecial(std::string_view text, bool whole) = 0;
  [[noreturn]] virtual void Forbidden() = 0;
};

// Reads commands from the reader's position up to and including the page's
// eop (a bop on the way is skipped with its parameters).
void ReadPageCommands(ScanDocument& doc, PagePass& pass);

// A character of the current font of the PK table (ScanState::FontIndex):
// a PK character for the pass, or a virtual font's character set from its
// packet, `depth` levels of virtual fonts down. Returns its advance.
std::int32_t FontCharacter(ScanDocument& doc, PagePass& pass, int code, int depth);

}  // namespace mox
