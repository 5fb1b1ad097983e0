// Writes DBA archives for tests: the header ("DBA", a zero byte, the DVI
// length, the entry count), one 24-byte directory entry per member (offset,
// size, name padded with zero bytes to 16), the DVI data, then the members in
// order. All numbers little-endian.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mox::test {

// members: (name, content) pairs; names longer than 16 bytes are cut.
std::string MakeDbaArchive(const std::string& dvi,
                           const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace mox::test
