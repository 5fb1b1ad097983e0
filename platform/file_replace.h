// Putting a finished file in place of another in one step, so that a reader
// sees the old file or the new one and never a part of either, and whether
// a file may be replaced at all.
#pragma once

#include <string>

namespace mox::platform {

// Renames `from` to `to`, replacing `to` when it exists (GBK paths); the
// new file takes the old one's attributes and permissions. False when
// that failed; `from` is then left where it was.
bool MoveFileOver(const std::string& from, const std::string& to);

// Whether the file is marked read-only (the Windows attribute; natively
// no write permission for anyone), which a save must not override.
bool IsReadOnlyFile(const std::string& path);

}  // namespace mox::platform
