// The text of one page of an open document: every character it sets, in
// the order of the DVI file (TeX's reading order), with its Unicode text
// and its box; the links and named anchors of hyperref on the page; and
// the rules, which links span.
//
// Boxes are in the page's pixels as the page buffer has them (device
// pixels at the font resolution, the page's reference corner 0, 0, before
// zoom and margins): the window multiplies by its zoom and adds its
// margins to draw them, and divides a point of the view likewise to find
// what is under it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mox {

struct ScanDocument;

// A rectangle of page pixels; right and bottom are exclusive.
struct TextBox {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  bool Meets(const TextBox& other) const {
    return Left < other.Right && other.Left < Right && Top < other.Bottom &&
           other.Top < Bottom;
  }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  void Add(const TextBox& other);
};

struct TextCharacter {
  std::u32string Text;      // one or more code points (a ligature's letters)
  TextBox Box;              // the pen's advance across, the font's height and depth
  // The reference point, its advance and the font's size (its quad), in
  // DVI units: what the spacing of the plain text is judged by.
  std::int32_t H = 0;
  std::int32_t V = 0;
  std::int32_t Advance = 0;
  std::int32_t Quad = 0;
};

// A hyperref link: the rectangles it covers (one a line for hypertex's,
// which run with the text) and where it leads.
struct PageLink {
  std::vector<TextBox> Rectangles;
  std::string Target;       // a name in the document, or an address or file
  bool Internal = false;    // Target names an anchor of this document
};

// A named place a link can lead to.
struct PageAnchor {
  std::string Name;
  std::int32_t X = 0;       // page pixels of the place's top left
  std::int32_t Y = 0;
};

struct PageText {
  std::vector<TextCharacter> Characters;
  std::vector<PageLink> Links;
  std::vector<PageAnchor> Anchors;
};

// Reads page `page` (an index into the page index) of a document that is
// open, pre-scanned and loaded. The page buffer and what the renderer
// shows stay as they were. Nothing, with the reason in `problem`, for a
// page index out of range or a page the file cannot give; the document
// stays open (scanning that page to draw it would close it).
std::optional<PageText> ReadPageText(ScanDocument& doc, int page, std::string* problem = nullptr);

}  // namespace mox
