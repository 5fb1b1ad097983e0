// The tokens of the PostScript in dvips' "ps:" specials, as far as a
// reader of hyperref's pdfmarks needs them: names, strings (with their
// escapes undone), numbers and the words and brackets between them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mox {

enum class PsTokenKind {
  Name,        // "/Dest": Text is "Dest"
  String,      // "(...)" or "<hex>": Text is the bytes
  Word,        // an executable name or a number: "pdfmark", "H.S", "12"
  Open,        // "[", "<<" or "{": Text is the bracket
  Close,       // "]", ">>" or "}"
};

struct PsToken {
  PsTokenKind Kind;
  std::string Text;
};

// The tokens of text, in order; an unterminated string or hex string ends
// with the text. At most `limit` tokens are taken, so that a long special
// costs time in proportion to its length only.
std::vector<PsToken> PostScriptTokens(std::string_view text, std::size_t limit = 4096);

}  // namespace mox
