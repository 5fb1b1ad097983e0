// Putting a finished file in place of another in one step, so that a reader
// sees the old file or the new one and never a part of either.
#pragma once

#include <string>

namespace mox::platform {

// Renames `from` to `to`, replacing `to` when it exists (GBK paths). False
// when that failed; `from` is then left where it was.
bool MoveFileOver(const std::string& from, const std::string& to);

}  // namespace mox::platform
