#include "tests/support/bmf_writer.h"

#include <algorithm>
#include <stdexcept>

namespace mox::test {
namespace {

void PutBigEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

std::size_t RowSize(const BmfHeader& header) {
  return (static_cast<std::size_t>(header.Width) + 7) / 8;
}

std::string FitRow(std::string row, std::size_t size) {
  row.resize(size, '\0');
  return row;
}

}  // namespace

std::string BmfHeaderBytes(const BmfHeader& header) {
  std::string out;
  PutBigEndian(out, header.ResolutionX, 4);
  PutBigEndian(out, header.ResolutionY, 4);
  PutBigEndian(out, header.Width, 2);
  PutBigEndian(out, header.Height, 2);
  PutBigEndian(out, static_cast<std::uint16_t>(header.XOffset), 2);
  PutBigEndian(out, static_cast<std::uint16_t>(header.YOffset), 2);
  return out;
}

std::string MakePlainBmf(const BmfHeader& header, const std::vector<std::string>& rows) {
  std::string out = BmfHeaderBytes(header);
  for (const std::string& row : rows) out += FitRow(row, RowSize(header));
  return out;
}

std::string MakeEncodedBmf(const BmfHeader& header, const std::vector<std::string>& records) {
  std::string out(4, '\xFF');
  out += BmfHeaderBytes(header);
  for (const std::string& record : records) out += record;
  return out;
}

std::string RawRowHeader(unsigned type, unsigned count) {
  const unsigned value = ((type & 0xF) << 12) | (count & 0xFFF);
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string RowRecord(unsigned type, std::string_view data) {
  if (data.size() > 0xFFF) throw std::length_error("row data longer than 4095 bytes");
  return RawRowHeader(type, static_cast<unsigned>(data.size())) + std::string(data);
}

std::string LiteralRecord(std::string_view row) {
  const std::size_t end = row.find_last_not_of('\0');
  return RowRecord(0, row.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::string RunLengthRecord(std::string_view row) {
  std::string code;
  std::size_t i = 0;
  while (i < row.size()) {
    std::size_t run = 1;
    while (i + run < row.size() && row[i + run] == row[i] && run < 129) ++run;
    if (run >= 2) {
      code.push_back(static_cast<char>(257 - run));
      code.push_back(row[i]);
      i += run;
      continue;
    }
    // Copy bytes up to the next run of two equal bytes.
    std::size_t n = 1;
    while (i + n < row.size() && n < 128 &&
           !(i + n + 1 < row.size() && row[i + n] == row[i + n + 1])) {
      ++n;
    }
    code.push_back(static_cast<char>(n - 1));
    code.append(row.substr(i, n));
    i += n;
  }
  return RowRecord(2, code);
}

std::string DeltaRecord(std::string_view previous, std::string_view row) {
  std::string code;
  std::size_t position = 0;
  for (;;) {
    std::size_t changed = position;
    while (changed < row.size() && row[changed] == previous[changed]) ++changed;
    if (changed == row.size()) break;
    std::size_t copy = 1;  // up to the last changed byte within 8
    for (std::size_t k = 1; k < 8 && changed + k < row.size(); ++k) {
      if (row[changed + k] != previous[changed + k]) copy = k + 1;
    }
    const std::size_t skip = changed - position;
    code.push_back(static_cast<char>(((copy - 1) << 5) | std::min<std::size_t>(skip, 31)));
    if (skip >= 31) {
      std::size_t rest = skip - 31;
      while (rest >= 255) {
        code.push_back('\xFF');
        rest -= 255;
      }
      code.push_back(static_cast<char>(rest));
    }
    code.append(row.substr(changed, copy));
    position = changed + copy;
  }
  return RowRecord(3, code);
}

std::string MakeEncodedBmf(const BmfHeader& header, const std::vector<std::string>& rows,
                           const std::vector<RowCoding>& codings) {
  std::vector<std::string> records;
  std::string previous(RowSize(header), '\0');
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string row = FitRow(rows[i], RowSize(header));
    switch (codings[i % codings.size()]) {
      case RowCoding::Literal: records.push_back(LiteralRecord(row)); break;
      case RowCoding::RunLength: records.push_back(RunLengthRecord(row)); break;
      case RowCoding::Delta: records.push_back(DeltaRecord(previous, row)); break;
    }
    previous = row;
  }
  return MakeEncodedBmf(header, records);
}

}  // namespace mox::test
