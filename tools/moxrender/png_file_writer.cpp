#include "tools/moxrender/png_file_writer.h"

#include <array>
#include <cstring>

namespace mox {
namespace {

// CRC-32 of PNG chunks, four bytes a step (slicing by four).
using CrcTables = std::array<std::array<std::uint32_t, 256>, 4>;

const CrcTables& Crc() {
  static const CrcTables tables = [] {
    CrcTables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n) {
      for (std::size_t k = 1; k < 4; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    }
    return t;
  }();
  return tables;
}

std::uint32_t UpdateCrc(std::uint32_t crc, const std::uint8_t* bytes, std::size_t count) {
  const CrcTables& t = Crc();
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    crc ^= static_cast<std::uint32_t>(bytes[i]) | static_cast<std::uint32_t>(bytes[i + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[i + 2]) << 16 | static_cast<std::uint32_t>(bytes[i + 3]) << 24;
    crc = t[3][crc & 0xFF] ^ t[2][(crc >> 8) & 0xFF] ^ t[1][(crc >> 16) & 0xFF] ^ t[0][crc >> 24];
  }
  for (; i < count; ++i) crc = t[0][(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value >> 24);
  at[1] = static_cast<std::uint8_t>(value >> 16);
  at[2] = static_cast<std::uint8_t>(value >> 8);
  at[3] = static_cast<std::uint8_t>(value);
}

}  // namespace

void PngFileWriter::Start(std::FILE* file, int width, int height, int depth,
                          const std::vector<RgbColour>& palette) {
  file_ = file;
  height_ = height;
  rows_ = 0;
  row_.assign(1 + (static_cast<std::size_t>(width) * static_cast<std::size_t>(depth) + 7) / 8, 0);
  // Each piece of the compressed stream is one IDAT chunk.
  deflater_.Start([this](const std::uint8_t* bytes, std::size_t count) {
    Chunk("IDAT", bytes, count);
  });
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  failed_ = std::fwrite(kSignature, 1, sizeof kSignature, file_) != sizeof kSignature;
  std::uint8_t header[13] = {};
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header + 4, static_cast<std::uint32_t>(height));
  // Palette indices, or for a page with colour 8-bit red, green and blue;
  // compression, filter and interlace 0.
  const bool rgb = depth == 24;
  header[8] = static_cast<std::uint8_t>(rgb ? 8 : depth);
  header[9] = rgb ? 2 : 3;
  Chunk("IHDR", header, sizeof header);
  if (rgb) return;
  std::vector<std::uint8_t> colours;
  for (const RgbColour& c : palette) colours.insert(colours.end(), {c.Red, c.Green, c.Blue});
  Chunk("PLTE", colours.data(), colours.size());
}

void PngFileWriter::Chunk(const char* type, const std::uint8_t* data, std::size_t count) {
  std::uint8_t head[8];
  PutBigEndian(head, static_cast<std::uint32_t>(count));
  std::memcpy(head + 4, type, 4);
  std::uint32_t crc = UpdateCrc(0xFFFFFFFFu, head + 4, 4);
  crc = UpdateCrc(crc, data, count) ^ 0xFFFFFFFFu;
  std::uint8_t tail[4];
  PutBigEndian(tail, crc);
  if (std::fwrite(head, 1, 8, file_) != 8 || (count > 0 && std::fwrite(data, 1, count, file_) != count) ||
      std::fwrite(tail, 1, 4, file_) != 4) {
    failed_ = true;
  }
}

void PngFileWriter::AddRow(const std::uint8_t* pixels) {
  if (rows_ >= height_) return;
  std::memcpy(row_.data() + 1, pixels, row_.size() - 1);
  deflater_.AddRow(row_.data(), row_.size());
  ++rows_;
}

bool PngFileWriter::Finish() {
  if (rows_ != height_) return false;
  deflater_.Finish();
  Chunk("IEND", nullptr, 0);
  return !failed_;
}

}  // namespace mox
