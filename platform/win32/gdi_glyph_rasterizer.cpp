// Chinese TrueType glyphs from GDI: the face is created from the LOGFONT in a
// memory device context compatible with the screen (text mapping mode), and
// each glyph is fetched with GetGlyphOutline in its 1-bit form. Face names
// and codes go through UTF-16, so GBK names and GB 2312 codes work whatever
// the system's ANSI code page is.
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/glyph_rasterizer.h"
#include "platform/win32/gdi.h"
#include "platform/win32/gdi_glyph_rasterizer.h"
#include "platform/win32/log_font.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {


class GdiRasterizer final : public GlyphRasterizer {
 public:
  GdiRasterizer() = default;
  GdiRasterizer(const GdiRasterizer&) = delete;
  GdiRasterizer& operator=(const GdiRasterizer&) = delete;
  ~GdiRasterizer() override { ReleaseFace(); }

  void SetReferenceWindow(HWND window) { reference_window_ = window; }

  bool SelectFace(const LogFontA& font, int& descent) override {
    ReleaseFace();
    // Glyphs are made for the device that shows them: the previewer's
    // window, or the screen before it has one.
    {
      const win::WindowDc reference(reference_window_);
      dc_ = win::MemoryDc(reference.Get());
    }
    if (!dc_) return false;
    SetMapMode(dc_.Get(), MM_TEXT);
    const LOGFONTW wide = WideLogFont(font);
    font_.Reset(CreateFontIndirectW(&wide));
    if (!font_) {
      ReleaseFace();
      return false;
    }
    previous_font_ = SelectObject(dc_.Get(), font_.Get());
    TEXTMETRICW metrics{};
    if (previous_font_ == nullptr || !GetTextMetricsW(dc_.Get(), &metrics)) {
      ReleaseFace();
      return false;
    }
    descent = metrics.tmDescent;
    return true;
  }

  void ReleaseFace() override {
    // The font leaves the device context before either goes.
    if (dc_ && previous_font_ != nullptr) SelectObject(dc_.Get(), previous_font_);
    previous_font_ = nullptr;
    font_.Reset();
    dc_.Reset();
  }

  std::optional<RasterGlyph> DrawGlyph(std::uint16_t gb2312_code) override {
    if (!dc_) return std::nullopt;
    const char bytes[2] = {static_cast<char>(gb2312_code >> 8),
                           static_cast<char>(gb2312_code & 0xFF)};
    wchar_t character = 0;
    if (MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes, 2, &character, 1) != 1) {
      return std::nullopt;
    }
    return Draw(character);
  }

  std::optional<RasterGlyph> DrawCharacter(char32_t unicode) override {
    // The wide glyph call takes one UTF-16 unit: every Chinese character
    // the documents carry is in the Basic Multilingual Plane.
    if (!dc_ || unicode == 0 || unicode > 0xFFFF) return std::nullopt;
    // A character the face lacks would come back as its "missing" glyph:
    // it is none, so that it shows as the empty box named in the warning.
    const wchar_t character = static_cast<wchar_t>(unicode);
    WORD index = 0;
    if (GetGlyphIndicesW(dc_.Get(), &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) != 1 ||
        index == 0xFFFF) {
      return std::nullopt;
    }
    return Draw(character);
  }

 private:
  std::optional<RasterGlyph> Draw(UINT character) {
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    const DWORD size = GetGlyphOutlineW(dc_.Get(), character, GGO_BITMAP, &metrics, 0, nullptr, &identity);
    // GDI_ERROR is -1 as a signed size: "0 or less" means no glyph.
    if (size == 0 || size == GDI_ERROR) return std::nullopt;
    std::vector<std::uint8_t> bits(size);
    if (GetGlyphOutlineW(dc_.Get(), character, GGO_BITMAP, &metrics, size, bits.data(), &identity) ==
        GDI_ERROR) {
      return std::nullopt;
    }
    RasterGlyph glyph;
    glyph.BlackBoxWidth = metrics.gmBlackBoxX;
    glyph.BlackBoxHeight = metrics.gmBlackBoxY;
    glyph.OriginX = metrics.gmptGlyphOrigin.x;
    glyph.OriginY = metrics.gmptGlyphOrigin.y;
    // Whatever GDI says, the rows the box claims are there (blank if not).
    const std::size_t stride = (glyph.BlackBoxWidth + 31) / 32 * 4;
    if (bits.size() < stride * glyph.BlackBoxHeight) bits.resize(stride * glyph.BlackBoxHeight, 0);
    glyph.Bits = std::move(bits);
    return glyph;
  }

  HWND reference_window_ = nullptr;
  win::MemoryDc dc_;
  win::Font font_;
  HGDIOBJ previous_font_ = nullptr;
};

}  // namespace

namespace {

GdiRasterizer& TheGdiRasterizer() {
  static GdiRasterizer rasterizer;
  return rasterizer;
}

}  // namespace

GlyphRasterizer& SystemRasterizer() { return TheGdiRasterizer(); }

void SetGlyphReferenceWindow(HWND window) { TheGdiRasterizer().SetReferenceWindow(window); }

}  // namespace mox::platform
