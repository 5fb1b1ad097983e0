// Accents that TeX sets as characters of their own (OT1's acute set over
// an e by \', cmsy's slash over = for \ne) joined to the character they
// stand on: the mark's middle lies within that character's box. The pair
// becomes its precomposed character where Latin-1, Latin Extended-A or
// the negated relations have one, else the letter with the combining mark.
#pragma once

#include <vector>

#include "previewer/text/page_text.h"

namespace mox {

void AttachMarks(std::vector<TextCharacter>& characters);

}  // namespace mox
