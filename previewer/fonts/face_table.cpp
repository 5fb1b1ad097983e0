// The face table, its file, and the glyph cell a served ziti gives a font.
#include "previewer/fonts/face_table.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/file_system.h"
#include "previewer/base/little_endian.h"
#include "previewer/base/nearest_int.h"

namespace mox {
namespace {

constexpr char kFileHead[] = "MOX TrueType Fonts";
constexpr std::size_t kFileHeadBytes = sizeof kFileHead - 1;  // without terminator
constexpr std::uint16_t kEndIndex = 0xFFFF;
constexpr std::size_t kFaceNameBytes = sizeof(platform::LogFontA::FaceName);

// Widening of the cell beyond the em box: an italic glyph leans out of it.
constexpr double kUprightWidening = 1.1;
constexpr double kItalicWidening = 1.5;
constexpr double kHeightWidening = 1.1;

// The entry as its 68 bytes lie in memory on Windows: the LOGFONTA, then the
// scale.
void EncodeEntry(const FaceEntry& entry, std::uint8_t* out) {
  const platform::LogFontA& font = entry.Font;
  const std::int32_t numbers[] = {font.Height, font.Width, font.Escapement, font.Orientation,
                                  font.Weight};
  for (std::size_t i = 0; i < 5; ++i) {
    PutLittleEndian(out + 4 * i, static_cast<std::uint32_t>(numbers[i]), 4);
  }
  const std::uint8_t bytes[] = {font.Italic,       font.Underline,    font.StrikeOut,
                                font.CharSet,      font.OutPrecision, font.ClipPrecision,
                                font.Quality,      font.PitchAndFamily};
  std::memcpy(out + 20, bytes, sizeof bytes);
  std::memcpy(out + 28, font.FaceName, kFaceNameBytes);
  out[28 + kFaceNameBytes - 1] = 0;
  PutLittleEndian(out + 60, std::bit_cast<std::uint64_t>(entry.Scale), 8);
}

FaceEntry DecodeEntry(const std::uint8_t* in) {
  FaceEntry entry;
  platform::LogFontA& font = entry.Font;
  std::int32_t* numbers[] = {&font.Height, &font.Width, &font.Escapement, &font.Orientation,
                             &font.Weight};
  for (std::size_t i = 0; i < 5; ++i) {
    *numbers[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetLittleEndian(in + 4 * i, 4)));
  }
  std::uint8_t* bytes[] = {&font.Italic,  &font.Underline,    &font.StrikeOut,
                           &font.CharSet, &font.OutPrecision, &font.ClipPrecision,
                           &font.Quality, &font.PitchAndFamily};
  for (std::size_t i = 0; i < 8; ++i) *bytes[i] = in[20 + i];
  std::memcpy(font.FaceName, in + 28, kFaceNameBytes);
  // A name that fills all 32 bytes still ends.
  font.FaceName[kFaceNameBytes - 1] = '\0';
  entry.Scale = std::bit_cast<double>(GetLittleEndian(in + 60, 8));
  return entry;
}

bool ReadExactly(std::FILE* file, void* buffer, std::size_t bytes) {
  return std::fread(buffer, 1, bytes, file) == bytes;
}

bool WriteAll(std::FILE* file, const void* buffer, std::size_t bytes) {
  return std::fwrite(buffer, 1, bytes, file) == bytes;
}

bool WriteIndex(std::FILE* file, std::uint16_t index) {
  std::uint8_t bytes[2];
  PutLittleEndian(bytes, index, 2);
  return WriteAll(file, bytes, sizeof bytes);
}

// The integer part of a non-negative size, held to 32 bits.
std::int32_t Truncated(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t AtLeastOne(std::int32_t value) { return value < 1 ? 1 : value; }

}  // namespace

std::string FaceTableFileName(const std::string& program_path) {
  const std::size_t keep = program_path.size() >= 3 ? program_path.size() - 3 : 0;
  return program_path.substr(0, keep) + "FNT";
}

void LoadFaceTable(FaceTable& table, const std::string& path) {
  for (FaceEntry& entry : table.Entries) entry.Font.FaceName[0] = '\0';

  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return;
  char head[kFileHeadBytes + 1];
  if (!ReadExactly(file.get(), head, sizeof head) ||
      std::memcmp(head, kFileHead, kFileHeadBytes) != 0 || head[kFileHeadBytes] != ' ') {
    // Not a face table file (or a broken one): it would only fail again.
    file.reset();
    platform::Files().Remove(path);
    return;
  }
  for (;;) {
    std::uint8_t index_bytes[2];
    if (!ReadExactly(file.get(), index_bytes, sizeof index_bytes)) return;
    const std::uint64_t index = GetLittleEndian(index_bytes, 2);
    // 0xFFFF ends the file; any other index out of range ends it as well.
    if (index >= static_cast<std::uint64_t>(kFaceTableEntries)) return;
    FaceEntry& entry = table.Entries[static_cast<std::size_t>(index)];
    std::uint8_t bytes[kFaceEntryBytes];
    if (!ReadExactly(file.get(), bytes, sizeof bytes)) {
      entry.Font.FaceName[0] = '\0';
      return;
    }
    entry = DecodeEntry(bytes);
  }
}

int SaveFaceTable(const FaceTable& table, const std::string& path) {
  platform::FilePtr file = platform::OpenFile(path, "wb");
  if (!file) return 1;
  bool written = WriteAll(file.get(), kFileHead, kFileHeadBytes) && WriteAll(file.get(), " ", 1);
  for (int ziti = 0; written && ziti < kFaceTableEntries; ++ziti) {
    if (!FaceServes(table, ziti)) continue;
    std::uint8_t bytes[kFaceEntryBytes];
    EncodeEntry(table.Entries[static_cast<std::size_t>(ziti)], bytes);
    written = WriteIndex(file.get(), static_cast<std::uint16_t>(ziti)) &&
              WriteAll(file.get(), bytes, sizeof bytes);
  }
  written = written && WriteIndex(file.get(), kEndIndex);
  if (!platform::CloseChecked(file) || !written) {
    platform::Files().Remove(path);
    return 1;
  }
  return 0;
}

bool FaceServes(const FaceTable& table, int ziti) {
  if (ziti < 0 || ziti >= kFaceTableEntries) return false;
  const FaceEntry& entry = table.Entries[static_cast<std::size_t>(ziti)];
  return entry.Font.FaceName[0] != '\0' && entry.Scale > 0.0;
}

std::optional<FaceCell> FaceCellFor(const FaceTable& table, int ziti, std::int32_t width,
                                    std::int32_t height) {
  if (!FaceServes(table, ziti)) return std::nullopt;
  const FaceEntry& entry = table.Entries[static_cast<std::size_t>(ziti)];
  const double x = entry.Scale;
  const double widening = entry.Font.Italic != 0 ? kItalicWidening : kUprightWidening;
  FaceCell cell{};
  // The same products as the registry's glyph-size rule, so that both agree
  // to the last rounding.
  cell.Width = AtLeastOne(NearestInt(width * x * widening));
  cell.Height = AtLeastOne(NearestInt(height * x * kHeightWidening));
  cell.EmWidth = AtLeastOne(Truncated(width * x + 0.5));
  cell.EmHeight = AtLeastOne(Truncated(height * x + 0.5));
  cell.XOffset = (cell.Width - cell.EmWidth + 1) / 2;
  cell.YOffset = (cell.Height - cell.EmHeight + 1) / 2;
  return cell;
}

}  // namespace mox
