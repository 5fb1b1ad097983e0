#include "tests/support/dba_writer.h"

#include <cstdint>

namespace mox::test {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

}  // namespace

std::string MakeDbaArchive(const std::string& dvi,
                           const std::vector<std::pair<std::string, std::string>>& members) {
  std::string archive("DBA\0", 4);
  PutLittleEndian(archive, static_cast<std::uint32_t>(dvi.size()), 4);
  PutLittleEndian(archive, static_cast<std::uint32_t>(members.size()), 2);
  PutLittleEndian(archive, 0, 2);

  std::size_t offset = 12 + 24 * members.size() + dvi.size();
  for (const auto& [name, content] : members) {
    PutLittleEndian(archive, static_cast<std::uint32_t>(offset), 4);
    PutLittleEndian(archive, static_cast<std::uint32_t>(content.size()), 4);
    std::string padded = name.substr(0, 16);
    padded.resize(16, '\0');
    archive += padded;
    offset += content.size();
  }
  archive += dvi;
  for (const auto& member : members) archive += member.second;
  return archive;
}

}  // namespace mox::test
