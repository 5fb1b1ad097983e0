// The fonts of a document and every glyph it needs: the PK font table
// and the Chinese font table filled from the postamble, the lookup of a DVI
// font number, the glyph records of the PK fonts and of the 54 Chinese font
// slots, and the Chinese font definitions of ccfonts.def.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "previewer/fonts/zoom_image.h"

namespace mox {

// Glyph bitmap: one bit a pixel, set = ink, most significant bit leftmost,
// rows padded to whole bytes, top row first, at least 1 by 1. Empty = not
// loaded yet.
using GlyphBitmap = std::vector<std::uint8_t>;

// The largest glyph side any source makes: no glyph at a screen or printer
// resolution comes near it, and a larger one is a mistake in a document
// whose bitmap alone would take more than 8 MB.
inline constexpr std::int32_t kMaxGlyphSide = 8192;

// The bytes of a glyph bitmap of width by height pixels, computed in 64
// bits; nothing when a side is below 1 or above kMaxGlyphSide, or the count
// does not fit SizeType (the i686 build's 32-bit size_t included).
template <typename SizeType = std::size_t>
std::optional<SizeType> GlyphBitmapBytes(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1 || width > kMaxGlyphSide || height > kMaxGlyphSide) {
    return std::nullopt;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>((width + 7) / 8) *
                              static_cast<std::uint64_t>(height);
  if (bytes > std::numeric_limits<SizeType>::max()) return std::nullopt;
  return static_cast<SizeType>(bytes);
}

enum class FontKind : int { Chinese = 0, Pk = 1, Dummy = 2 };

inline constexpr int kZitiCount = 26;                   // "A" to "Z"; "@" is 0
inline constexpr int kSlotCount = 2 * kZitiCount + 2;   // 54, of GB 2312
// The characters beyond GB 2312 (the "moxuc" fonts): one slot a ziti after
// the GB 2312 slots, its code indices the characters' Unicode values.
inline constexpr int kUnicodeSlotBase = kSlotCount;
inline constexpr int kAllSlotCount = kSlotCount + kZitiCount + 1;  // 81
inline constexpr std::int32_t kUnicodeSlotCapacity = 0x10000;
inline constexpr bool IsUnicodeSlot(int slot) {
  return slot >= kUnicodeSlotBase && slot < kAllSlotCount;
}
// The ziti (0 for "@" to 26 for "Z") whose characters a slot holds.
inline constexpr int ZitiOfSlot(int slot) {
  return IsUnicodeSlot(slot) ? slot - kUnicodeSlotBase : slot / 2;
}
inline constexpr std::size_t kPkUsedSetBytes = 32;      // one bit a code 0..255

struct PkFont {
  std::uint8_t Number = 0;
  std::int32_t Checksum = 0;
  std::int32_t ScaledSize = 0;   // DVI units
  std::int32_t DesignSize = 0;   // DVI units
  std::string Name;              // area and name, joined
  std::string File;              // the PK file the glyphs came from, once loaded
  // A virtual font: its index in FontRegistry::VirtualFonts; its characters
  // are drawn from the fonts it is made of, and it has no PK file. -1: none.
  int Virtual = -1;
  // The TFM file that gives the characters their widths when no PK file
  // can be had; empty when there is none.
  std::string MetricFile;
};

struct VirtualFontFile;

// One virtual font at one size: the file (shared by its sizes) and, for
// each font the file is made of, that font's index in the PK font table
// (-1 when it could not be entered).
struct VirtualFont {
  std::shared_ptr<const VirtualFontFile> File;
  std::int32_t ScaledSize = 0;   // DVI units
  std::vector<int> Fonts;
};

// How deep virtual fonts may be made of virtual fonts: a deeper character
// (or a loop of fonts) is left out with one message.
inline constexpr int kMaxVirtualDepth = 8;

struct ChineseFont {
  std::uint8_t Number = 0;
  std::int32_t PixelWidth = 1;   // cell size in device pixels, at least 1
  std::int32_t PixelHeight = 1;
  std::int32_t DesignSize = 0;   // advance of every character, DVI units
  char Ziti = '@';               // sixth letter of the name, upper-cased
  // A "moxuc" font: a pair of bytes is a Unicode value, not a GB 2312 code.
  bool Unicode = false;
};

struct PkGlyph {
  std::uint8_t Code = 0;
  GlyphBitmap Bitmap;
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::int16_t XOffset = 0;      // reference point from the left edge
  std::int16_t YOffset = 0;      // reference point from the top row
  std::int32_t Advance = 0;      // DVI units
  ZoomImage Zoom;                // the renderer's image at the current zoom
};

struct ChineseGlyph {
  std::uint8_t Font = 0;         // index into the Chinese font table
  std::int32_t CodeIndex = 0;    // within the slot
  GlyphBitmap Bitmap;
  ZoomImage Zoom;                // the renderer's image at the current zoom
};

struct ChineseSlot {
  std::vector<ChineseGlyph> Glyphs;   // by code index, then font index
  std::vector<std::uint8_t> Used;     // bit set, only while pre-scanning
  std::string Source;                 // where the load run took the glyphs from
};

struct FontDefinition {
  std::string FileName;          // at most 12 characters; empty = undefined
  std::int32_t Scale = 10000;    // 10000 = 1.0
};

// A line of ucfonts.def: an outline font file of characters beyond
// GB 2312 (its header's first and last code are Unicode values) and the
// ziti letters it serves.
struct UnicodeFontDefinition {
  std::uint32_t Zitis = 0;       // bit z: ziti z ("@" is 0)
  std::string FileName;
};

struct FontRegistry {
  // The document's own fonts by number, ascending; from LocalFontsFrom on,
  // the fonts its virtual fonts are made of, which no DVI number selects.
  std::vector<PkFont> PkFonts;
  std::optional<std::size_t> LocalFontsFrom;
  std::vector<VirtualFont> VirtualFonts;
  std::vector<ChineseFont> ChineseFonts;// by pixel width, then height, descending
  // Glyph records of all PK fonts, grouped by font in table order, each
  // group ascending by code; font f's group is [PkGlyphBounds[f],
  // PkGlyphBounds[f + 1]).
  std::vector<PkGlyph> PkGlyphs;
  std::vector<std::uint32_t> PkGlyphBounds;
  std::vector<std::vector<std::uint8_t>> PkUsed;  // 32 bytes a font, pre-scan only
  std::array<ChineseSlot, kAllSlotCount> Slots;
  std::array<FontDefinition, kSlotCount> Definitions;
  std::vector<UnicodeFontDefinition> UnicodeDefinitions;
  // The bytes of every glyph bitmap the records hold, and of the zoomed
  // images the renderer keeps in them (glyph_budget.h).
  std::size_t GlyphBytes = 0;
  std::size_t ZoomBytes = 0;
  bool VirtualDepthNoted = false;   // the message past kMaxVirtualDepth was given
  // Why no VF or TFM file could be looked for (kpsewhich could not be run),
  // told with the fonts that are missing; empty when the lookup worked.
  std::string LookupProblem;
};

struct FontDocument;

// "ccdummy" in any letter case: the font that sets ziti letters.
bool IsDummyFontName(const std::string& name);
// A name beginning "ccfnt" or "moxuc" in any letter case: a Chinese font.
bool IsChineseFontName(const std::string& name);
// A name beginning "moxuc": a Chinese font of the characters beyond
// GB 2312, a pair of its characters a Unicode value.
bool IsUnicodeChineseFontName(const std::string& name);

// Enters one postamble font definition ("ccdummy" only records the dummy
// number in the document; "ccfnt..." is a Chinese font; others are PK).
void RegisterFontDefinition(FontDocument& doc, std::uint32_t number, std::int32_t checksum,
                            std::int32_t scaled_size, std::int32_t design_size,
                            const std::string& name);
void SortFontTables(FontRegistry& fonts);

struct FoundFont {
  FontKind Kind;
  int Index;   // into its table; -1 for the dummy font
};
// Finds a DVI font number; an undefined number aborts the document operation
// with "Undefined font no.: %d, location=%ld" (location: byte position).
FoundFont FindFont(const FontDocument& doc, int number, long location);

// The integer resolution of PK font i, used to find its file.
int PkResolution(const FontDocument& doc, std::size_t font_index);

struct GlyphSize {
  std::int32_t Width;
  std::int32_t Height;
};
// The bitmap size of a glyph of a font of pixel size W x H in a slot: from
// the TrueType face serving the slot's ziti when the document's face table
// has one, otherwise from the slot's scale in ccfonts.def.
GlyphSize ChineseGlyphSize(const FontDocument& doc, int slot, std::int32_t width,
                           std::int32_t height);

// Reads ccfonts.def from the Chinese font directory into the 54 definitions;
// a missing file aborts the document operation.
void ReadChineseDefinitions(FontDocument& doc);

// The row-cell ("QuWei") number shown to the user for a code index in a
// slot; in a slot beyond GB 2312, the character's Unicode value.
int RowCellCode(int slot, std::int32_t code_index);

}  // namespace mox
