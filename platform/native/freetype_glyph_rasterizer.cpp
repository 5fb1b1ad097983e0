// Chinese TrueType glyphs without Windows: fontconfig finds the file and face
// index of a face name, FreeType renders 1-bit glyphs sized the way GDI sizes
// a LOGFONT, and iconv turns GB 2312 codes into Unicode (code page 936, as
// Windows converts them).
//
// A face name that no installed font has falls back to the best Chinese face
// fontconfig knows, as GDI's font mapper substitutes a face; only when no
// installed font covers Chinese at all does selecting fail.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/glyph_rasterizer.h"

namespace mox::platform {
namespace {

// Pixel sizes beyond this are refused: such a glyph is a mistake in the
// document, and its bitmap alone would take megabytes.
constexpr long kMaxPixels = 8192;
// The em height GDI gives a LOGFONT that asks for height 0.
constexpr long kDefaultEmHeight = 16;
// A character every Chinese face has; a fallback face must have it.
constexpr FcChar32 kChineseProbe = 0x4E2D;  // 中
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;
// The slant of a made-up italic: x += y / 4 (16.16 fixed point), Wine's.
constexpr FT_Matrix kItalicSlant = {0x10000, 0x4000, 0, 0x10000};

long Nearest(double value) { return std::lround(value); }

// Converts text between two iconv encodings; nothing when it cannot.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output(4 * text.size() + 8, '\0');
  char* in = input.data();
  std::size_t in_left = input.size();
  char* out = output.data();
  std::size_t out_left = output.size();
  const std::size_t done = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (done == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
  output.resize(output.size() - out_left);
  return output;
}

// The Unicode character of a GB 2312 double-byte code; 0 when it has none.
char32_t UnicodeOf(std::uint16_t code) {
  const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  const std::optional<std::string> utf32 =
      Convert("UTF-32BE", "CP936", std::string_view(bytes, sizeof bytes));
  if (!utf32 || utf32->size() != 4) return 0;
  char32_t c = 0;
  for (const char byte : *utf32) c = (c << 8) | static_cast<unsigned char>(byte);
  return c;
}

struct FontFile {
  std::string Path;
  int Index = 0;
};

// The pattern of a request: scalable, and the LOGFONT's slant and weight.
FcPattern* RequestPattern(const LogFontA& font) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return nullptr;
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcPatternAddInteger(pattern, FC_SLANT, font.Italic != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddInteger(pattern, FC_WEIGHT,
                      FcWeightFromOpenType(font.Weight > 0 ? font.Weight : kNormalWeight));
  return pattern;
}

bool HasFamily(FcPattern* match, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0) {
      return true;
    }
  }
  return false;
}

bool CoversChinese(FcPattern* match) {
  FcCharSet* characters = nullptr;
  return FcPatternGetCharSet(match, FC_CHARSET, 0, &characters) == FcResultMatch &&
         FcCharSetHasChar(characters, kChineseProbe);
}

// fontconfig's best font for the pattern (which it takes over), accepted
// only when it is scalable and has the family asked for (a named request)
// or Chinese characters (a fallback).
std::optional<FontFile> BestFont(FcPattern* pattern, const std::string* family) {
  if (pattern == nullptr) return std::nullopt;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return std::nullopt;

  std::optional<FontFile> found;
  FcBool scalable = FcFalse;
  FcChar8* path = nullptr;
  int index = 0;
  if (FcPatternGetBool(match, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable &&
      (family != nullptr ? HasFamily(match, *family) : CoversChinese(match)) &&
      FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    found = FontFile{reinterpret_cast<const char*>(path), index};
  }
  FcPatternDestroy(match);
  return found;
}

// The font file of a LOGFONT's face name (GBK), or a Chinese substitute.
std::optional<FontFile> FindFontFile(const LogFontA& font) {
  const std::string gbk_name(font.FaceName, strnlen(font.FaceName, sizeof font.FaceName));
  if (const std::optional<std::string> family = Convert("UTF-8", "CP936", gbk_name);
      family && !family->empty()) {
    FcPattern* pattern = RequestPattern(font);
    if (pattern != nullptr) {
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family->c_str()));
    }
    if (std::optional<FontFile> named = BestFont(pattern, &*family)) return named;
  }
  FcPattern* pattern = RequestPattern(font);
  if (pattern != nullptr) {
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  }
  return BestFont(pattern, nullptr);
}

// Ascent plus descent in font units, the height GDI fits a positive LOGFONT
// height to: the Windows metrics of the OS/2 table, else the horizontal
// header's.
long CellUnits(FT_Face face, const TT_OS2* os2) {
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    return static_cast<long>(os2->usWinAscent) + os2->usWinDescent;
  }
  return static_cast<long>(face->ascender) - face->descender;
}

long DescentUnits(FT_Face face, const TT_OS2* os2) {
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) return os2->usWinDescent;
  return -static_cast<long>(face->descender);
}

// The em height in pixels GDI gives a LOGFONT height: a positive height is
// the whole cell (ascent plus descent, the internal leading included), a
// negative one the em itself. Rounding must not make the cell taller than
// asked.
long EmPixels(std::int32_t height, long units_per_em, long cell_units) {
  if (height == 0) return kDefaultEmHeight;
  if (height < 0) return -static_cast<long>(height);
  if (cell_units <= 0) return height;
  long em = Nearest(static_cast<double>(units_per_em) * height / cell_units);
  if (em > 1 && Nearest(static_cast<double>(cell_units) * em / units_per_em) > height) --em;
  return em;
}

class FreeTypeRasterizer final : public GlyphRasterizer {
 public:
  FreeTypeRasterizer() = default;
  FreeTypeRasterizer(const FreeTypeRasterizer&) = delete;
  FreeTypeRasterizer& operator=(const FreeTypeRasterizer&) = delete;
  ~FreeTypeRasterizer() override {
    ReleaseFace();
    if (library_ != nullptr) FT_Done_FreeType(library_);
    // fontconfig keeps its configuration in a form leak checkers cannot
    // follow; hand it back before the process ends.
    if (fontconfig_used_) FcFini();
  }

  bool SelectFace(const LogFontA& font, int& descent) override {
    ReleaseFace();
    if (library_ == nullptr && FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      return false;
    }
    fontconfig_used_ = true;
    const std::optional<FontFile> file = FindFontFile(font);
    if (!file || FT_New_Face(library_, file->Path.c_str(), file->Index, &face_) != 0) {
      face_ = nullptr;
      return false;
    }
    if (!FT_IS_SCALABLE(face_) || face_->units_per_EM == 0 ||
        FT_Select_Charmap(face_, FT_ENCODING_UNICODE) != 0) {
      ReleaseFace();
      return false;
    }

    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const long units_per_em = face_->units_per_EM;
    const long em_height = EmPixels(font.Height, units_per_em, CellUnits(face_, os2));
    // A LOGFONT width is the average character width, which for a Chinese
    // face is that of a half-width character; GDI scales the face
    // horizontally so that the OS/2 average comes out at that width.
    long em_width = em_height;
    if (font.Width != 0) {
      const long average = os2 != nullptr && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth
                                                                     : units_per_em / 2;
      em_width = Nearest(std::abs(static_cast<double>(font.Width)) * units_per_em / average);
    }
    if (em_height < 1 || em_width < 1 || em_height > kMaxPixels || em_width > kMaxPixels ||
        FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(em_width),
                           static_cast<FT_UInt>(em_height)) != 0) {
      ReleaseFace();
      return false;
    }
    descent = static_cast<int>(
        Nearest(static_cast<double>(DescentUnits(face_, os2)) * em_height / units_per_em));

    // Styles the face lacks are made up, as GDI makes them up.
    synthetic_italic_ = font.Italic != 0 && (face_->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    synthetic_bold_ = font.Weight >= kBoldWeight && (face_->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    return true;
  }

  void ReleaseFace() override {
    if (face_ != nullptr) FT_Done_Face(face_);
    face_ = nullptr;
  }

  std::optional<RasterGlyph> DrawGlyph(std::uint16_t gb2312_code) override {
    return DrawCharacter(UnicodeOf(gb2312_code));
  }

  std::optional<RasterGlyph> DrawCharacter(char32_t character) override {
    if (face_ == nullptr) return std::nullopt;
    const FT_UInt index = character != 0 ? FT_Get_Char_Index(face_, character) : 0;
    if (index == 0) return std::nullopt;

    const bool synthetic = synthetic_italic_ || synthetic_bold_;
    // Made-up styles need the outline, not an embedded bitmap.
    const FT_Int32 flags = FT_LOAD_TARGET_MONO | (synthetic ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Glyph(face_, index, flags) != 0) return std::nullopt;
    FT_GlyphSlot slot = face_->glyph;
    if (synthetic_italic_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline_Transform(&slot->outline, &kItalicSlant);
    }
    if (synthetic_bold_) FT_GlyphSlot_Embolden(slot);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
      return std::nullopt;
    }
    return Repack(slot);
  }

 private:
  // The rendered bitmap in GetGlyphOutline's form: top row first, each row
  // padded to 4 bytes. A blank glyph gives nothing, as it does there
  // (FreeType renders an empty outline as one blank pixel).
  static std::optional<RasterGlyph> Repack(FT_GlyphSlot slot) {
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.buffer == nullptr) return std::nullopt;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
      return std::nullopt;
    }
    RasterGlyph glyph;
    glyph.BlackBoxWidth = bitmap.width;
    glyph.BlackBoxHeight = bitmap.rows;
    glyph.OriginX = slot->bitmap_left;
    glyph.OriginY = slot->bitmap_top;
    const std::size_t stride = (bitmap.width + 31) / 32 * 4;
    glyph.Bits.assign(stride * bitmap.rows, 0);
    const std::size_t pitch = static_cast<std::size_t>(std::abs(bitmap.pitch));
    bool any_ink = false;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      // A negative pitch stores the bottom row first.
      const unsigned char* source =
          bitmap.buffer + pitch * (bitmap.pitch >= 0 ? row : bitmap.rows - 1 - row);
      std::uint8_t* target = glyph.Bits.data() + stride * row;
      for (unsigned x = 0; x < bitmap.width; ++x) {
        const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                             ? (source[x / 8] & (0x80 >> (x % 8))) != 0
                             : source[x] >= 128;
        if (ink) target[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        any_ink = any_ink || ink;
      }
    }
    if (!any_ink) return std::nullopt;
    return glyph;
  }

  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  bool synthetic_italic_ = false;
  bool synthetic_bold_ = false;
  bool fontconfig_used_ = false;
};

}  // namespace

GlyphRasterizer& SystemRasterizer() {
  static FreeTypeRasterizer rasterizer;
  return rasterizer;
}

}  // namespace mox::platform
