// The specials hyperref writes for its links and anchors, read one at a
// time: hypertex's "html:" tags, and the pdfmarks and corner marks of its
// dvips driver ("ps:SDict begin ... end"). What they mean together (a
// link's rectangle from its marks) is the page reader's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mox {

enum class LinkSpecialKind {
  LinkStart,    // html:<a href="...">: Text is the address ("#name" inside)
  AnchorStart,  // html:<a name="...">: Text is the name
  End,          // html:</a>
  CornerStart,  // H.S: a link's lower left corner is here
  CornerEnd,    // H.R, H.L, H.A: its upper right corner, RaisePoints above here
  Annotation,   // a link annotation (/ANN pdfmark of /Subtype /Link)
  Destination,  // a named destination (/DEST pdfmark): Text is its name
};

struct LinkSpecial {
  LinkSpecialKind Kind;
  std::string Text;
  // Annotation: Text names a destination of this document (/Dest, or a
  // /GoTo action) rather than an address (/URI) or a file (/GoToR,
  // /Launch: "file" or "file#name").
  bool Internal = false;
  // CornerEnd: how far above the current point the corner is, in TeX
  // points; and whether the mark also sets the view a destination after
  // it shows (H.R and H.A do, H.L does not).
  double RaisePoints = 0.0;
  bool SetsView = false;
};

// What a special means for links, or nothing when it is none of these.
std::optional<LinkSpecial> ParseLinkSpecial(std::string_view special);

}  // namespace mox
