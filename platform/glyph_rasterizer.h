// Chinese glyphs drawn by the system's TrueType fonts: a face described as
// Windows describes it (LOGFONTA) is selected, and glyphs are fetched by
// their GB 2312 code as 1-bit bitmaps. On Windows this is GDI
// (GetGlyphOutline); elsewhere FreeType, with fontconfig finding the file of
// the face name.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace mox::platform {

// The layout of a Win32 LOGFONTA (60 bytes), face name in GBK.
struct LogFontA {
  std::int32_t Height = 0;
  std::int32_t Width = 0;
  std::int32_t Escapement = 0;
  std::int32_t Orientation = 0;
  std::int32_t Weight = 0;
  std::uint8_t Italic = 0;
  std::uint8_t Underline = 0;
  std::uint8_t StrikeOut = 0;
  std::uint8_t CharSet = 0;
  std::uint8_t OutPrecision = 0;
  std::uint8_t ClipPrecision = 0;
  std::uint8_t Quality = 0;
  std::uint8_t PitchAndFamily = 0;
  char FaceName[32] = {};
};
static_assert(sizeof(LogFontA) == 60, "a LOGFONTA is 60 bytes");

// A glyph as GetGlyphOutline gives it in its 1-bit form: the black box's
// rows, each padded to 4 bytes, most significant bit leftmost, and where the
// box lies against the glyph origin on the baseline.
struct RasterGlyph {
  std::uint32_t BlackBoxWidth = 0;
  std::uint32_t BlackBoxHeight = 0;
  std::int32_t OriginX = 0;  // left edge of the box, right of the origin
  std::int32_t OriginY = 0;  // top edge of the box, above the baseline
  std::vector<std::uint8_t> Bits;
};

class GlyphRasterizer {
 public:
  virtual ~GlyphRasterizer() = default;
  // Selects a face for the glyphs that follow (a face selected before is
  // released); gives its descent below the baseline in pixels. False when
  // the face cannot be made.
  virtual bool SelectFace(const LogFontA& font, int& descent) = 0;
  virtual void ReleaseFace() = 0;
  // The glyph of a GB 2312 double-byte code (first byte high); nothing when
  // the face gives no bitmap for it (a blank glyph, or no such character).
  virtual std::optional<RasterGlyph> DrawGlyph(std::uint16_t gb2312_code) = 0;
  // The glyph of a character by its Unicode value, for the characters
  // beyond GB 2312 (Extension A among them, which no GBK code reaches);
  // nothing as for DrawGlyph.
  virtual std::optional<RasterGlyph> DrawCharacter(char32_t character) = 0;
};

// The process-wide rasteriser (the platform's own unless one is installed).
GlyphRasterizer& Rasterizer();
// Installs one (not owned; nullptr restores the platform's) and returns the
// one installed before (nullptr for the platform's).
GlyphRasterizer* SetRasterizer(GlyphRasterizer* rasterizer);
// This platform's own rasteriser.
GlyphRasterizer& SystemRasterizer();

}  // namespace mox::platform
