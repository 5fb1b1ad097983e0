// What the page passes do with a driver's special: colour specials move
// the colour stack and the paper colour of the scan state, the first
// paper size is taken for the document, and, while the pre-scan notes
// them, the kinds that are not drawn (and colour stacks that overflow or
// underflow) are noted with their page for the document's one warning.
#pragma once

#include <cstdint>
#include <string_view>

namespace mox {

struct ScanDocument;

// `whole`: the special is all there (a long one may hold only its start);
// `page`: its index in the page index; `note`: whether to note what is not
// drawn and take the paper size (the pre-scan of a selected page). True
// when the current colour (ScanState::Colors) changed.
bool FollowDriverSpecial(ScanDocument& doc, std::string_view text, bool whole, std::int32_t page,
                         bool note);

// Whether a special belongs to MOX's conventions (ZiTi=, BMF=, COLOR=,
// em:, src:), which keep their own rules and are never a driver's.
bool IsMoxSpecial(std::string_view text);

// The warning after a pre-scan: every kind of special not drawn that was
// not named for this file before, with its first page; nothing when all
// are known.
void WarnOfUnhandledSpecials(ScanDocument& doc);

}  // namespace mox
