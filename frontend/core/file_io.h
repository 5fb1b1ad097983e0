// Reading and writing a whole source file, with the reason of a failure in
// words a user of the editor reads (GBK).
#pragma once

#include <string>
#include <string_view>

namespace mox::varelo {

// The file's bytes; false with the reason when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);

// Puts bytes in place of the file, which keeps its attributes and
// permissions. A file that is marked read-only or cannot be opened for
// writing (no permission, held by another program, a folder) is refused
// before anything is written. The bytes go to a temporary file beside it first,
// which then replaces it: a write that fails on the way (a full disk)
// leaves the old file whole.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& reason);

}  // namespace mox::varelo
