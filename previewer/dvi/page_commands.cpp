#include "previewer/dvi/page_commands.h"

#include <string>

#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/dvi/dvi_commands.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/driver_specials.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/fonts/font_document.h"

namespace mox {
namespace {

using namespace dvi;  // the command bytes

// Command bytes of the families that have several members.
constexpr int kSet2 = kSet1 + 1;
constexpr int kPut2 = kPut1 + 1;
constexpr int kW1 = kW0 + 1;
constexpr int kX1 = kX0 + 1;
constexpr int kY1 = kY0 + 1;
constexpr int kZ1 = kZ0 + 1;

void SelectFont(ScanDocument& doc, int number) {
  ScanState& state = doc.Scan;
  const FoundFont font = FindFont(doc, number, static_cast<long>(doc.Dvi.Reader.Position()));
  state.Kind = font.Kind;
  state.FontIndex = font.Index;
  state.FontSelected = true;
  if (font.Kind == FontKind::Chinese) state.ChineseFontIndex = font.Index;
}

// One character in the current font; `move` for set commands.
void Character(ScanDocument& doc, PagePass& pass, int code, bool move) {
  ScanState& state = doc.Scan;
  // A page that sets characters before selecting any font: there is no font
  // to take them from, so they are passed over.
  if (!state.FontSelected) return;
  if (state.Kind == FontKind::Dummy) {
    ApplyZitiLetter(state.Ziti, code, doc.Report.Lang());
    return;
  }
  if (!pass.HandlesCharacters()) return;
  std::int32_t advance = 0;
  if (state.Kind == FontKind::Pk) {
    advance = FontCharacter(doc, pass, code, 0);
  } else if (state.PendingByte < 0) {
    state.PendingByte = code;
  } else {
    const DviDocument& document = doc.Dvi;
    // A moxuc font's pair is a Unicode value, in the slot of its ziti.
    const bool unicode =
        doc.Fonts.ChineseFonts[static_cast<std::size_t>(state.ChineseFontIndex)].Unicode;
    const std::optional<ChineseCode> chinese =
        unicode ? std::optional<ChineseCode>(ChineseCode{kUnicodeSlotBase + state.Ziti.Current,
                                                         state.PendingByte * 256 + code})
                : DecodeChineseCode(state.PendingByte, code, state.Ziti.Current,
                                    document.Boundary1, document.Boundary2, document.Boundary3);
    state.PendingByte = -1;
    if (!chinese) {
      if (pass.AsksAboutInvalidCodes() && !doc.Report.Question(doc.Say(kInvalidChineseCode))) {
        AbortDocument(std::string());
      }
      return;
    }
    advance = pass.ChineseCharacter(*chinese);
  }
  if (move && pass.TracksPosition()) MoveWrapping(state.Position.H, advance);
}

void Push(ScanDocument& doc, PagePass& pass) {
  ScanState& state = doc.Scan;
  std::vector<DviRegisters>& stack = doc.Page.Stack;
  if (state.StackDepth >= stack.size()) pass.Forbidden();
  stack[state.StackDepth++] = state.Position;
}

void Pop(ScanDocument& doc, PagePass& pass) {
  ScanState& state = doc.Scan;
  if (state.StackDepth == 0) pass.Forbidden();
  state.Position = doc.Page.Stack[--state.StackDepth];
}

// right1..4, w1..4, x1..4, down1..4, y1..4 and z1..4 (the commands below
// fnt_num_0 that the loop leaves to its default): a move by the parameter,
// which w, x, y and z also keep as their spacing. Inlined into the loop:
// after the characters, these are its commonest commands.
inline void MoveBy(ByteReader& reader, DviRegisters& p, bool tracks, int op) {
  if (op < kW0) {
    const std::int32_t value = reader.ReadSigned(op - kRight1 + 1);
    if (tracks) MoveWrapping(p.H, value);
  } else if (op < kX0) {
    const std::int32_t value = reader.ReadSigned(op - kW1 + 1);
    if (tracks) { p.W = value; MoveWrapping(p.H, value); }
  } else if (op < kDown1) {
    const std::int32_t value = reader.ReadSigned(op - kX1 + 1);
    if (tracks) { p.X = value; MoveWrapping(p.H, value); }
  } else if (op < kY0) {
    const std::int32_t value = reader.ReadSigned(op - kDown1 + 1);
    if (tracks) MoveWrapping(p.V, value);
  } else if (op < kZ0) {
    const std::int32_t value = reader.ReadSigned(op - kY1 + 1);
    if (tracks) { p.Y = value; MoveWrapping(p.V, value); }
  } else {
    const std::int32_t value = reader.ReadSigned(op - kZ1 + 1);
    if (tracks) { p.Z = value; MoveWrapping(p.V, value); }
  }
}

// A special of `length` bytes, read into the page's one buffer.
void ReadSpecial(ByteReader& reader, PagePass& pass, std::uint32_t length, std::string& special) {
  if (length >= 255) {
    // Read for the drivers' specials, bounded: a longer one only gives its
    // kind.
    const bool whole = length <= kLongSpecialLimit;
    const std::uint32_t read = whole ? length : kSpecialKindBytes;
    reader.ReadText(read, special);
    reader.Skip(length - read);
    pass.LongSpecial(special, whole);
  } else {
    reader.ReadText(length, special);
    pass.Special(special);
  }
}

// fnt_num_0 and the commands above it: the font selections, the specials,
// the font definitions (read before the pages, skipped here) and the
// commands a page cannot have.
inline void FontOrSpecial(ScanDocument& doc, PagePass& pass, int op, std::string& special) {
  ByteReader& reader = doc.Dvi.Reader;
  if (op < kFnt1) {
    SelectFont(doc, op - kFntNum0);
  } else if (op < kXxx1) {
    SelectFont(doc, static_cast<int>(reader.ReadUnsigned(op - kFnt1 + 1) & 0xFF));
  } else if (op < kFntDef1) {
    ReadSpecial(reader, pass, reader.ReadUnsigned(op - kXxx1 + 1), special);
  } else if (op < kPre) {
    reader.Skip(static_cast<std::uint32_t>(op - kFntDef1 + 1) + 12);
    const std::uint32_t area = reader.ReadUnsigned(1);
    const std::uint32_t name = reader.ReadUnsigned(1);
    reader.Skip(area + name);
  } else {
    pass.Forbidden();  // pre, post, post_post and the undefined 250..255
  }
}

}  // namespace

void ReadPageCommands(ScanDocument& doc, PagePass& pass) {
  ScanState& state = doc.Scan;
  ByteReader& reader = doc.Dvi.Reader;
  const bool tracks = pass.TracksPosition();
  DviRegisters& p = state.Position;
  std::string special;  // one buffer for every special of the page
  for (;;) {
    const int op = reader.ReadByte();
    if (state.PendingByte >= 0 && op >= 128 && op != kSet1 && op != kPut1) {
      doc.Report.Status(doc.Say(kIncompleteChinese));
      state.PendingByte = -1;
    }
    if (op < kSet1) {
      Character(doc, pass, op, true);
      continue;
    }
    switch (op) {
      case kSet1:
        Character(doc, pass, static_cast<int>(reader.ReadUnsigned(1)), true);
        break;
      case kSet2: case kSet2 + 1: case kSet2 + 2:  // set2..set4: nothing is set
        reader.Skip(static_cast<std::uint32_t>(op - kSet1 + 1));
        break;
      case kSetRule:
      case kPutRule: {
        const std::int32_t height = reader.ReadSigned(4);
        const std::int32_t width = reader.ReadSigned(4);
        pass.Rule(height, width);
        if (op == kSetRule && tracks) MoveWrapping(p.H, width);
        break;
      }
      case kPut1:
        Character(doc, pass, static_cast<int>(reader.ReadUnsigned(1)), false);
        break;
      case kPut2: case kPut2 + 1: case kPut2 + 2:
        reader.Skip(static_cast<std::uint32_t>(op - kPut1 + 1));
        break;
      case kNop:
        break;
      case kBop:
        reader.Skip(44);
        break;
      case kEop:
        return;
      case kPush:
        if (tracks) Push(doc, pass);
        break;
      case kPop:
        if (tracks) Pop(doc, pass);
        break;
      case kW0: if (tracks) MoveWrapping(p.H, p.W); break;
      case kX0: if (tracks) MoveWrapping(p.H, p.X); break;
      case kY0: if (tracks) MoveWrapping(p.V, p.Y); break;
      case kZ0: if (tracks) MoveWrapping(p.V, p.Z); break;
      default:
        if (op < kFntNum0) {
          MoveBy(reader, p, tracks, op);
        } else {
          FontOrSpecial(doc, pass, op, special);
        }
        break;
    }
  }
}

}  // namespace mox
