// Unpacking the characters of a real PK font, cmr10 at 600 dpi as Metafont
// made it: the whole load of the font (file, packets, bitmaps) and the
// unpacking of the rasters alone. Items are glyphs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/base/byte_reader.h"
#include "previewer/base/document_abort.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/pk_font.h"
#include "tests/bench/bench_document.h"

namespace {

using mox::bench::BenchDocument;

const std::string kPkFolder = std::string(MOX_FIXTURES_DIR) + "/pk/dpi$d/";
const std::string kCmr10 = std::string(MOX_FIXTURES_DIR) + "/pk/dpi600/cmr10.PK";

// cmr10 at 10 pt in a TeX document at 600 dpi, needing all 128 characters.
void EnterCmr10() {
  BenchDocument().Fonts = mox::FontRegistry{};
  BenchDocument().Dvi.Num = 25400000;
  BenchDocument().Dvi.Den = 473628672;
  BenchDocument().Dvi.Magnification = 1000;
  mox::FontRegistry& fonts = BenchDocument().Fonts;
  mox::PkFont font;
  font.ScaledSize = 655360;
  font.DesignSize = 655360;
  font.Name = "cmr10";
  fonts.PkFonts.push_back(font);
  for (int code = 0; code < 128; ++code) {
    mox::PkGlyph glyph;
    glyph.Code = static_cast<std::uint8_t>(code);
    fonts.PkGlyphs.push_back(std::move(glyph));
  }
  fonts.PkGlyphBounds = {0, 128};
  mox::PreparePkFileNames(BenchDocument(), kPkFolder);
}

void LoadCmr10(benchmark::State& state) {
  EnterCmr10();
  for (auto _ : state) {
    // Every run loads the font afresh: the bitmaps and what they were
    // charged against the document's glyph budget go.
    for (mox::PkGlyph& glyph : BenchDocument().Fonts.PkGlyphs) glyph.Bitmap = {};
    BenchDocument().Fonts.GlyphBytes = 0;
    try {
      benchmark::DoNotOptimize(mox::LoadPkFont(BenchDocument(), 0));
    } catch (const mox::DocumentAbort& abort) {
      state.SkipWithError(abort.Message.c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * 128);
  BenchDocument().Fonts = mox::FontRegistry{};
}
BENCHMARK(LoadCmr10)->Unit(benchmark::kMicrosecond);

// Where each character's raster lies, and how to unpack it.
struct Packet {
  std::uint32_t Raster;
  std::uint32_t Bytes;
  std::uint32_t Width;
  std::uint32_t Height;
  int DynF;
  bool FirstBlack;
};

std::vector<Packet> ReadPackets(mox::ByteReader& reader) {
  std::vector<Packet> packets;
  reader.Seek(2);
  reader.Skip(reader.ReadByte() + 16u);
  for (;;) {
    const std::uint8_t flag = reader.ReadByte();
    if (flag >= 240) {
      if (flag == 245) break;   // post
      if (flag == 246) continue;
      if (flag == 244) reader.Skip(4);
      else reader.Skip(reader.ReadUnsigned(flag - 239));
      continue;
    }
    Packet packet{};
    std::uint32_t length = 0;
    std::uint32_t header = 0;
    if ((flag & 7) < 4) {
      length = (flag & 3u) * 256 + reader.ReadByte();
      reader.Skip(5);
      packet.Width = reader.ReadByte();
      packet.Height = reader.ReadByte();
      reader.Skip(2);
      header = 8;
    } else if ((flag & 7) < 7) {
      length = (flag & 3u) * 65536 + reader.ReadUnsigned(2);
      reader.Skip(6);
      packet.Width = reader.ReadUnsigned(2);
      packet.Height = reader.ReadUnsigned(2);
      reader.Skip(4);
      header = 13;
    } else {
      length = reader.ReadUnsigned(4);
      reader.Skip(16);
      packet.Width = reader.ReadUnsigned(4);
      packet.Height = reader.ReadUnsigned(4);
      reader.Skip(8);
      header = 28;
    }
    packet.Raster = reader.Position();
    packet.Bytes = length - header;
    packet.DynF = flag >> 4;
    packet.FirstBlack = (flag & 8) != 0;
    packets.push_back(packet);
    reader.Skip(packet.Bytes);
  }
  return packets;
}

void UnpackCmr10Rasters(benchmark::State& state) {
  mox::ByteReader reader;
  if (!reader.Open("", kCmr10)) {
    state.SkipWithError("the cmr10 fixture does not open");
    return;
  }
  const std::vector<Packet> packets = ReadPackets(reader);
  std::vector<std::uint8_t> glyph(1 << 16);
  for (auto _ : state) {
    for (const Packet& packet : packets) {
      reader.Seek(packet.Raster);
      if (packet.DynF >= 14) {
        mox::ReadRawPkCharacter(glyph.data(), packet.Width, packet.Height, reader);
      } else if (mox::UnpackPkCharacter(glyph.data(), packet.Width, packet.Height, packet.Bytes,
                                        packet.DynF, packet.FirstBlack, reader) != 0) {
        state.SkipWithError("a raster does not unpack");
        return;
      }
      benchmark::DoNotOptimize(glyph.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(packets.size()));
  state.counters["glyphs"] = static_cast<double>(packets.size());
}
BENCHMARK(UnpackCmr10Rasters)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
