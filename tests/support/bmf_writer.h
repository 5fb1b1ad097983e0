// Builds BMF image files for tests: plain or encoded, with rows given as
// bytes, and row encoders that emit each row type on request. Byte strings
// are std::string, as WriteFile takes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mox::test {

struct BmfHeader {
  std::uint32_t ResolutionX = 300u << 16;  // 16.16 dots per inch
  std::uint32_t ResolutionY = 300u << 16;
  std::uint16_t Width = 8;
  std::uint16_t Height = 1;
  std::int16_t XOffset = 0;
  std::int16_t YOffset = 0;
};

// The 16 header bytes, big-endian.
std::string BmfHeaderBytes(const BmfHeader& header);

// Header, then every row cut or zero-padded to (width + 7) / 8 bytes.
std::string MakePlainBmf(const BmfHeader& header, const std::vector<std::string>& rows);

// The four 255 bytes, the header, then the encoded row records as given.
std::string MakeEncodedBmf(const BmfHeader& header, const std::vector<std::string>& records);

// A 2-byte little-endian row header as it stands (any type, any count).
std::string RawRowHeader(unsigned type, unsigned count);
// A row header for data (at most 4095 bytes) followed by the data.
std::string RowRecord(unsigned type, std::string_view data);

// Type 0 record: the row without its trailing zero bytes (a shorter count).
std::string LiteralRecord(std::string_view row);
// Type 2 record: runs of 2 or more equal bytes as repeat codes (control 128
// to 255, runs longer than 129 split), everything else as copy codes
// (control 0 to 127, at most 128 bytes each).
std::string RunLengthRecord(std::string_view row);
// Type 3 record changing previous into row: each stretch of changed bytes
// as a skip (31 plus continuation bytes for skips of 31 or more) and at most
// 8 copied bytes.
std::string DeltaRecord(std::string_view previous, std::string_view row);

enum class RowCoding { Literal, RunLength, Delta };

// An encoded file whose row i uses codings[i % codings.size()].
std::string MakeEncodedBmf(const BmfHeader& header, const std::vector<std::string>& rows,
                           const std::vector<RowCoding>& codings);

}  // namespace mox::test
