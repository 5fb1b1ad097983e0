// The packed and raw rasters of PK characters, unpacked from a file as the
// loader reads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "previewer/base/byte_reader.h"
#include "previewer/fonts/pk_font.h"
#include "tests/support/document_fixture.h"
#include "tests/support/pk_writer.h"

namespace mox::test {
namespace {

struct Unpacked {
  int Error = -1;
  std::vector<std::string> Rows;
  std::uint32_t Consumed = 0;  // bytes read from the packet
  bool GuardIntact = true;     // nothing written after the glyph
};

constexpr std::uint8_t kGuard = 0xA5;
constexpr std::size_t kGuardBytes = 32;

// One raster to unpack: dyn_f 14 and 15 are read raw.
struct Raster {
  std::string Bytes;
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  int DynF = 0;
  bool FirstBlack = false;
  std::optional<std::uint32_t> PacketBytes{};  // default: all of Bytes
};

class PkUnpackTest : public DocumentTest {
 protected:
  // Unpacks rasters that lie one after the other in one file, as packets
  // do; a raster that reads past its own bytes shows in Consumed.
  std::vector<Unpacked> UnpackAll(const std::vector<Raster>& rasters) {
    std::string data;
    for (const Raster& raster : rasters) data += raster.Bytes;
    const std::string path = dir_.File("rasters");
    WriteFile(path, data + std::string(64, '\x77'));
    ByteReader reader;
    EXPECT_TRUE(reader.Open("", path));
    std::vector<Unpacked> results;
    std::uint32_t offset = 0;
    for (const Raster& raster : rasters) {
      reader.Seek(offset);
      const std::size_t size = static_cast<std::size_t>((raster.Width + 7) / 8) * raster.Height;
      std::vector<std::uint8_t> destination(size + kGuardBytes, kGuard);
      Unpacked out;
      if (raster.DynF >= 14) {
        ReadRawPkCharacter(destination.data(), raster.Width, raster.Height, reader);
        out.Error = 0;
      } else {
        out.Error = UnpackPkCharacter(
            destination.data(), raster.Width, raster.Height,
            raster.PacketBytes.value_or(static_cast<std::uint32_t>(raster.Bytes.size())),
            raster.DynF, raster.FirstBlack, reader);
      }
      out.Consumed = reader.Position() - offset;
      for (std::size_t i = size; i < destination.size(); ++i) {
        if (destination[i] != kGuard) out.GuardIntact = false;
      }
      destination.resize(size);
      if (out.Error == 0) out.Rows = BitmapRows(destination, raster.Width, raster.Height);
      results.push_back(std::move(out));
      offset += static_cast<std::uint32_t>(raster.Bytes.size());
    }
    return results;
  }

  Unpacked Unpack(const std::string& bytes, std::uint32_t width, std::uint32_t height,
                  int dyn_f, bool first_black,
                  std::optional<std::uint32_t> packet_bytes = std::nullopt) {
    return UnpackAll({{bytes, width, height, dyn_f, first_black, packet_bytes}})[0];
  }

  Unpacked Unpack(const PkRaster& raster, std::uint32_t width, std::uint32_t height) {
    return Unpack(raster.Bytes, width, height, raster.DynF, raster.FirstBlack);
  }

  Unpacked Unpack(const PkNybbles& nybbles, std::uint32_t width, std::uint32_t height,
                  bool first_black) {
    return Unpack(nybbles.Bytes(), width, height, nybbles.DynF(), first_black);
  }

  Unpacked ReadRaw(const std::string& bytes, std::uint32_t width, std::uint32_t height) {
    return Unpack(bytes, width, height, 14, false);
  }
};

// Bitmaps with what packing is about: long runs, equal rows (repeat counts),
// rows of one colour, noise, single pixels.
PkBitmap RandomBitmap(std::mt19937& random, std::uint32_t max_width, std::uint32_t max_height) {
  auto below = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
  PkBitmap bitmap(1 + below(max_width), 1 + below(max_height));
  switch (below(5)) {
    case 0: {  // noise
      const std::uint32_t density = below(101);
      for (auto& pixel : bitmap.Pixels) pixel = below(100) < density ? 1 : 0;
      break;
    }
    case 1: {  // rectangles
      for (std::uint32_t n = below(6); n > 0; --n) {
        const std::uint32_t x0 = below(bitmap.Width), y0 = below(bitmap.Height);
        const std::uint32_t x1 = x0 + below(bitmap.Width - x0) + 1;
        const std::uint32_t y1 = y0 + below(bitmap.Height - y0) + 1;
        for (std::uint32_t y = y0; y < y1; ++y) {
          for (std::uint32_t x = x0; x < x1; ++x) bitmap.Set(x, y, !bitmap.At(x, y));
        }
      }
      break;
    }
    case 2: {  // a few distinct rows, each repeated
      std::vector<std::uint8_t> row(bitmap.Width);
      for (std::uint32_t y = 0; y < bitmap.Height; ++y) {
        if (y == 0 || below(4) == 0) {
          for (auto& pixel : row) pixel = below(3) == 0 ? 1 : 0;
        }
        for (std::uint32_t x = 0; x < bitmap.Width; ++x) bitmap.Set(x, y, row[x] != 0);
      }
      break;
    }
    case 3:  // one pixel
      bitmap.Set(below(bitmap.Width), below(bitmap.Height), true);
      break;
    default:  // all ink
      for (auto& pixel : bitmap.Pixels) pixel = 1;
      break;
  }
  return bitmap;
}

TEST_F(PkUnpackTest, EveryEncodingOfRandomBitmapsUnpacksToTheBitmap) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 250; ++round) {
    const PkBitmap bitmap = round < 230 ? RandomBitmap(random, 70, 50)
                                        : RandomBitmap(random, 700, 40);
    const std::vector<std::string> expected = bitmap.Rows();
    std::vector<PkRaster> encodings = {EncodePk(bitmap), EncodeRaw(bitmap)};
    for (int dyn_f = 0; dyn_f <= 13; ++dyn_f) {
      encodings.push_back(EncodePacked(bitmap, dyn_f, true));
      encodings.push_back(EncodePacked(bitmap, dyn_f, false));
    }
    std::vector<Raster> rasters;
    for (const PkRaster& raster : encodings) {
      rasters.push_back({raster.Bytes, bitmap.Width, bitmap.Height, raster.DynF, raster.FirstBlack});
    }
    const std::vector<Unpacked> unpacked = UnpackAll(rasters);
    for (std::size_t i = 0; i < rasters.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "round " << round << ", " << bitmap.Width << "x"
                                      << bitmap.Height << ", dyn_f " << rasters[i].DynF);
      ASSERT_EQ(unpacked[i].Error, 0);
      ASSERT_EQ(unpacked[i].Rows, expected);
      ASSERT_EQ(unpacked[i].Consumed, rasters[i].Bytes.size());
      ASSERT_TRUE(unpacked[i].GuardIntact);
    }
  }
}

TEST_F(PkUnpackTest, BlackRunsFillEveryAlignmentAndLength) {
  // Runs that begin and end at every bit of a byte, shorter and longer than
  // one byte, in a row of 40 pixels whose last byte is partial.
  std::vector<Raster> rasters;
  std::vector<PkBitmap> bitmaps;
  for (std::uint32_t start = 0; start < 16; ++start) {
    for (std::uint32_t length = 1; start + length <= 37; ++length) {
      PkBitmap bitmap(37, 2);
      for (std::uint32_t x = start; x < start + length; ++x) bitmap.Set(x, 1, true);
      const PkRaster raster = EncodePacked(bitmap, 13);
      rasters.push_back({raster.Bytes, 37, 2, 13, raster.FirstBlack});
      bitmaps.push_back(bitmap);
    }
  }
  const std::vector<Unpacked> unpacked = UnpackAll(rasters);
  for (std::size_t i = 0; i < rasters.size(); ++i) {
    ASSERT_EQ(unpacked[i].Error, 0);
    ASSERT_EQ(unpacked[i].Rows, bitmaps[i].Rows()) << i;
  }
}

TEST_F(PkUnpackTest, RepeatCountsCopyTheirRow) {
  // Nybble 15: one more copy of the row.
  Unpacked once = Unpack(PkNybbles(1).Repeat(1).Run(2).Run(6), 4, 3, true);
  EXPECT_EQ(once.Error, 0);
  EXPECT_EQ(once.Rows, (std::vector<std::string>{"##..", "##..", "...."}));

  // Nybble 14 and a packed number.
  Unpacked four = Unpack(PkNybbles(1).Repeat(4).Run(1).Run(2).Run(1).Run(4), 4, 6, true);
  EXPECT_EQ(four.Error, 0);
  EXPECT_EQ(four.Rows, (std::vector<std::string>{"#..#", "#..#", "#..#", "#..#", "#..#", "...."}));

  // A second repeat count once the first row is written is a new one.
  Unpacked two = Unpack(PkNybbles(2).Repeat(1).Run(1).Run(2).Repeat(1).Run(1), 2, 4, true);
  EXPECT_EQ(two.Error, 0);
  EXPECT_EQ(two.Rows, (std::vector<std::string>{"#.", "#.", ".#", ".#"}));
}

TEST_F(PkUnpackTest, ARepeatCountBelongsToTheRowTheNextRunBeginsIn) {
  // The black run ends exactly at the end of row 0: the repeat count that
  // follows copies row 1.
  Unpacked after_end = Unpack(PkNybbles(3).Run(2).Repeat(1).Run(2).Run(2), 2, 4, true);
  EXPECT_EQ(after_end.Error, 0);
  EXPECT_EQ(after_end.Rows, (std::vector<std::string>{"##", "..", "..", "##"}));

  // Read inside row 1, before a run that completes it and goes on: row 1
  // is written twice and the run's rest, still white, begins row 3.
  Unpacked split = Unpack(PkNybbles(3).Run(3).Run(1).Repeat(1).Run(4).Run(1), 3, 4, false);
  EXPECT_EQ(split.Error, 0);
  EXPECT_EQ(split.Rows, (std::vector<std::string>{"...", "#..", "#..", "..#"}));
}

TEST_F(PkUnpackTest, RunsCarryTheirColourAcrossRowEnds) {
  Unpacked four = Unpack(PkNybbles(2).Run(4).Run(5), 3, 3, true);
  EXPECT_EQ(four.Error, 0);
  EXPECT_EQ(four.Rows, (std::vector<std::string>{"###", "#..", "..."}));

  // One black run over three rows.
  Unpacked long_run = Unpack(PkNybbles(2).Run(1).Run(6).Run(1), 2, 4, false);
  EXPECT_EQ(long_run.Error, 0);
  EXPECT_EQ(long_run.Rows, (std::vector<std::string>{".#", "##", "##", "#."}));
}

TEST_F(PkUnpackTest, TheWidestGlyphUnpacksAndOneMoreIsError1) {
  PkBitmap wide(8192, 3);
  for (std::uint32_t x = 0; x < 8192; ++x) wide.Set(x, 0, true);
  for (std::uint32_t x = 4000; x < 8192; ++x) wide.Set(x, 2, true);
  for (int dyn_f : {0, 7, 13}) {
    const Unpacked unpacked = Unpack(EncodePacked(wide, dyn_f), 8192, 3);
    ASSERT_EQ(unpacked.Error, 0);
    EXPECT_EQ(unpacked.Rows, wide.Rows());
  }
  // Too wide or too tall: refused before anything is read or written.
  const std::string raster = PkNybbles(0).Run(8193).Bytes();
  const Unpacked too_wide = Unpack(raster, 8193, 1, 0, true);
  EXPECT_EQ(too_wide.Error, 1);
  EXPECT_EQ(too_wide.Consumed, 0u);
  const Unpacked too_tall = Unpack(raster, 1, 8193, 0, true);
  EXPECT_EQ(too_tall.Error, 1);
  EXPECT_EQ(too_tall.Consumed, 0u);
}

TEST_F(PkUnpackTest, ASecondRepeatCountInOneRowIsError2) {
  EXPECT_EQ(Unpack(PkNybbles(1).Repeat(1).Repeat(1).Run(2).Run(2), 2, 4, true).Error, 2);
  // Repeat counts in one row even with a run between them.
  EXPECT_EQ(Unpack(PkNybbles(1).Repeat(1).Run(1).Repeat(1).Run(1), 2, 4, true).Error, 2);
  // A repeat count whose number starts like another repeat count.
  EXPECT_EQ(Unpack(PkNybbles(1).Nybble(14).Nybble(15).Run(2), 2, 4, true).Error, 2);
}

TEST_F(PkUnpackTest, ARepeatCountPastTheLastRowIsError3) {
  // Two rows: one copy of row 0 fits, two do not; nor does a copy of row 1.
  EXPECT_EQ(Unpack(PkNybbles(1).Repeat(1).Run(1).Run(1), 2, 2, true).Error, 0);
  EXPECT_EQ(Unpack(PkNybbles(3).Repeat(2).Run(1).Run(1), 2, 2, true).Error, 3);
  EXPECT_EQ(Unpack(PkNybbles(3).Run(2).Repeat(1).Run(2), 2, 2, true).Error, 3);
}

TEST_F(PkUnpackTest, RasterAndSizeThatDisagreeAreError4) {
  // Bytes left over.
  const std::string exact = PkNybbles(2).Run(2).Run(2).Bytes();
  EXPECT_EQ(Unpack(exact, 2, 2, 2, true).Error, 0);
  EXPECT_EQ(Unpack(exact + '\0', 2, 2, 2, true).Error, 4);
  // A run longer than the pixels left.
  EXPECT_EQ(Unpack(PkNybbles(2).Run(2).Run(3), 2, 2, true).Error, 4);
  // The packet ends before the glyph: nothing past it is read.
  const std::string long_raster = PkNybbles(13).Run(1).Run(1).Run(1).Run(1).Bytes();
  const Unpacked short_packet = Unpack(long_raster, 4, 1, 13, true, 1);
  EXPECT_EQ(short_packet.Error, 4);
  EXPECT_EQ(short_packet.Consumed, 1u);
  // ... also inside a packed number.
  const Unpacked inside_number = Unpack(PkNybbles(0).Run(300).Bytes(), 300, 1, 0, true, 1);
  EXPECT_EQ(inside_number.Error, 4);
  EXPECT_EQ(inside_number.Consumed, 1u);
  // A last byte only half used is padding, not a byte left over.
  EXPECT_EQ(Unpack(PkNybbles(3).Run(1).Run(2).Run(1), 2, 2, true).Error, 0);
}

TEST_F(PkUnpackTest, GarbageRastersNeverWriteOutsideTheGlyphNorReadPastThePacket) {
  std::mt19937 random(7);
  std::vector<Raster> rasters;
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(1 + random() % 24, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    const std::uint32_t width = 1 + random() % 40;
    const std::uint32_t height = 1 + random() % 12;
    const int dyn_f = static_cast<int>(random() % 14);
    rasters.push_back({bytes, width, height, dyn_f, random() % 2 == 0});
  }
  const std::vector<Unpacked> unpacked = UnpackAll(rasters);
  for (std::size_t i = 0; i < rasters.size(); ++i) {
    ASSERT_GE(unpacked[i].Error, 0);
    ASSERT_LE(unpacked[i].Error, 4);
    ASSERT_LE(unpacked[i].Consumed, rasters[i].Bytes.size()) << i;
    ASSERT_TRUE(unpacked[i].GuardIntact) << i;
  }
}

TEST_F(PkUnpackTest, RawRowsAreCutFromOneStreamOfBits) {
  std::mt19937 random(99);
  for (std::uint32_t width = 1; width <= 17; ++width) {
    for (std::uint32_t height = 1; height <= 9; height += 4) {
      PkBitmap bitmap(width, height);
      for (auto& pixel : bitmap.Pixels) pixel = random() % 2;
      const PkRaster raw = EncodeRaw(bitmap);
      const Unpacked unpacked = ReadRaw(raw.Bytes, width, height);
      EXPECT_EQ(unpacked.Rows, bitmap.Rows()) << width << "x" << height;
      EXPECT_EQ(unpacked.Consumed, (width * height + 7) / 8);
      EXPECT_TRUE(unpacked.GuardIntact);
    }
  }
  // Whole bytes a row are copied as they stand.
  const Unpacked copied = ReadRaw("\x81\x7E\xF0\x0F", 16, 2);
  EXPECT_EQ(copied.Rows, (std::vector<std::string>{"#......#.######.", "####........####"}));
}

}  // namespace
}  // namespace mox::test
