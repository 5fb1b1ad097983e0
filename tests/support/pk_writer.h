// Writes PK font files for tests: the preamble, character packets in the
// short, extended short and long forms, specials, no-ops and the postamble.
// Rasters are packed by a real encoder (run counts with repeat counts, the
// dyn_f that gives the fewest bytes, raw when that is smaller) or written raw;
// every field can also be set by hand, so that a test can break any part:
// the id, a command, the packet length, the sizes, the raster itself.
//
//   PkWriter pk;
//   pk.Preamble();
//   pk.Character({.Code = 'A', .TfmWidth = 1 << 19, .Bitmap = PkBitmap::FromRows({"#.", ".#"})});
//   pk.Postamble();
//   WriteFile(path, pk.Data());
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mox::test {

// A glyph image with one byte a pixel (0 blank, 1 ink), rows top first.
struct PkBitmap {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::vector<std::uint8_t> Pixels;

  PkBitmap() = default;
  PkBitmap(std::uint32_t width, std::uint32_t height);
  // Rows of '#' (ink) and '.' (blank), all of one length.
  static PkBitmap FromRows(const std::vector<std::string>& rows);

  bool At(std::uint32_t x, std::uint32_t y) const { return Pixels[y * Width + x] != 0; }
  void Set(std::uint32_t x, std::uint32_t y, bool ink) { Pixels[y * Width + x] = ink ? 1 : 0; }

  // The previewer's glyph bitmap: rows padded to whole bytes, the most
  // significant bit leftmost.
  std::vector<std::uint8_t> Padded() const;
  // The same rows of '#' and '.'.
  std::vector<std::string> Rows() const;
};

// The glyph bitmap of the previewer as rows of '#' and '.' (width bits a row).
std::vector<std::string> BitmapRows(const std::vector<std::uint8_t>& bitmap, std::uint32_t width,
                                    std::uint32_t height);

// A raster and how to read it: dyn_f (14 = raw) and the colour of the first run.
struct PkRaster {
  int DynF = 14;
  bool FirstBlack = false;
  std::string Bytes;
};

// Packs a bitmap as the published format does: runs that carry over row ends,
// a repeat count for every row that is followed by equal rows (unless it is
// of one colour: the runs take those rows in), and the dyn_f that gives the
// fewest bytes. Raw instead when that is not larger.
PkRaster EncodePk(const PkBitmap& bitmap);
// Packs with this dyn_f (0 to 13), without repeat counts when use_repeats is
// false.
PkRaster EncodePacked(const PkBitmap& bitmap, int dyn_f, bool use_repeats = true);
// The raw form: every pixel a bit, rows one after the other, padded at the
// end only.
PkRaster EncodeRaw(const PkBitmap& bitmap);

// Builds a packed raster nybble by nybble, for rasters an encoder never
// writes: two repeat counts in a row, a repeat past the last row, runs longer
// than the glyph, bytes left over.
class PkNybbles {
 public:
  explicit PkNybbles(int dyn_f) : dyn_f_(dyn_f) {}
  PkNybbles& Run(std::uint32_t count);      // a packed number
  PkNybbles& Repeat(std::uint32_t count);   // 1: nybble 15; else 14 and the number
  PkNybbles& Nybble(int value);
  std::string Bytes() const;                // padded with a 0 nybble
  int DynF() const { return dyn_f_; }

 private:
  int dyn_f_;
  std::vector<std::uint8_t> nybbles_;
};

enum class PkForm { Auto, Short, ExtendedShort, Long };

struct PkCharacter {
  std::uint32_t Code = 0;
  std::int32_t TfmWidth = 0;
  std::int32_t Dx = 0;  // escapements, pixels times 65536
  std::int32_t Dy = 0;
  std::int32_t XOffset = 0;
  std::int32_t YOffset = 0;
  PkBitmap Bitmap{};
  PkForm Form = PkForm::Auto;  // Auto: the smallest form that holds the fields
  // The raster: by default EncodePk of the bitmap.
  std::optional<PkRaster> Raster{};
  // Fields written instead of the true ones.
  std::optional<std::uint32_t> PacketLength{};
  std::optional<std::uint32_t> WidthField{};
  std::optional<std::uint32_t> HeightField{};
};

class PkWriter {
 public:
  static constexpr std::uint8_t kId = 89;

  // pre, id, the comment, design size, checksum, hppp and vppp.
  PkWriter& Preamble(const std::string& comment = "test", std::uint8_t id = kId,
                     std::int32_t design_size = 10 << 20, std::uint32_t checksum = 0,
                     std::int32_t hppp = 0, std::int32_t vppp = 0);
  // One character packet; its offset is remembered.
  PkWriter& Character(const PkCharacter& character);
  // xxx1..xxx4 (bytes 1 to 4 for the length) and yyy.
  PkWriter& Special(const std::string& text, int bytes = 1);
  PkWriter& NumSpecial(std::uint32_t value);
  PkWriter& NoOp();
  // post, then no-ops until the length is a multiple of 4.
  PkWriter& Postamble();

  PkWriter& Byte(std::uint8_t byte);
  PkWriter& Raw(const std::string& bytes);
  PkWriter& Unsigned(std::uint32_t value, int bytes);  // big-endian

  const std::string& Data() const { return data_; }
  std::uint32_t Size() const { return static_cast<std::uint32_t>(data_.size()); }
  // Offsets of the flag bytes of the packets written, in order.
  const std::vector<std::uint32_t>& PacketOffsets() const { return packets_; }

 private:
  std::string data_;
  std::vector<std::uint32_t> packets_;
};

}  // namespace mox::test
