// The specials DVI drivers read that LaTeX packages write (dvips' colours,
// figures, paper size and PostScript; pdfmark and hypertext links), told
// apart by their prefix; and what a document's pre-scan found of them: the
// kinds it cannot draw, each with the first page that has it, for one
// warning per document.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mox {

enum class DriverSpecial {
  Other,       // none of these: named by its prefix
  Color,       // "color push|pop|<colour>"
  Background,  // "background <colour>"
  PaperSize,   // "papersize=W,H"
  Landscape,   // "landscape"
  Figure,      // "PSfile=", "psfile="
  PostScript,  // "ps:", "ps::", "\"": PostScript that draws
  PostScriptHeader,  // "!", "header=": definitions for it
  Pdf,         // "pdf:"
  Hypertext,   // "html:"
};

DriverSpecial ClassifyDriverSpecial(std::string_view text);

// The name a warning gives the kind of a special: its prefix up to and
// including the first ":" or "=", or up to a blank; at most 16 bytes, with
// control bytes left out.
std::string SpecialKindName(std::string_view text);

// Specials longer than the 254 bytes MOX's own specials may have (dvips
// headers, pdfmark, long figure paths) are read up to this size; longer
// ones only for the name of their kind.
inline constexpr std::uint32_t kLongSpecialLimit = 65536;
inline constexpr std::uint32_t kSpecialKindBytes = 64;

// The kinds of special a document has that are not drawn.
struct UnhandledSpecials {
  // Kind name and the \count0 of the first page that has it, in the order
  // found; a kind once.
  std::vector<std::pair<std::string, std::int32_t>> Kinds;

  void Note(const std::string& kind, std::int32_t count0);
};

}  // namespace mox
