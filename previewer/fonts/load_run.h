// The load run: fills every glyph the pre-scan found, from its source, in a
// fixed order (PK fonts, then the Chinese slots served by TrueType faces,
// then the other Chinese slots from outline font files), with progress lines
// in the caption. Every source follows the abort protocol of the document
// operations; LoadFonts (previewer/dvi/document_operation.h) runs it as one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mox {

struct FontDocument;
struct LoadRunState;

// Fills every glyph of the document, or throws the abort (DocumentAbort,
// or a failed allocation) after releasing the run's buffers and forgetting
// the document's file name.
void RunLoad(FontDocument& doc);

// The glyph work buffer's first size.
inline constexpr std::size_t kFirstGlyphWorkBuffer = 8192;

// The buffers the glyph sources share during a run.
struct LoadRunBuffers {
  // Work area of the font files: the outline driver's crossing table. 65520
  // bytes when the document has Chinese fonts, else 16384.
  std::vector<std::uint8_t> FontFile;
  // The outline driver's offset table: 15044 bytes, room for 3761 offsets.
  std::vector<std::uint8_t> ChineseDriver;
  // One glyph while it is made; it only grows, and its size is remembered
  // from one run to the next.
  std::vector<std::uint8_t> GlyphWork;
};

class Reporter;
struct ChineseGlyph;
struct GlyphSize;

// A progress line in the caption every kProgressEvery glyphs, padded so that
// a shorter line covers a longer one.
inline constexpr int kProgressEvery = 16;
void ShowProgress(Reporter& report, const std::string& line);

// Renders glyph glyph_index of the run's open outline font into a record of
// a slot at its size. An error asks whether to go on (the glyph is then
// blank) or aborts the document operation.
void RenderOutlineGlyph(FontDocument& doc, int slot, ChineseGlyph& glyph, const GlyphSize& size,
                        int glyph_index);

// The run's glyph work buffer, at least `bytes` long (grown when needed).
std::uint8_t* GlyphWorkBuffer(LoadRunState& run, std::size_t bytes);

// The Chinese font directory and the PK path template as the run uses them:
// with a separator at the end unless they end in one or in ":" ("\\", or
// natively "/" for a path written with "/" only). An empty one stays empty.
std::string WithTrailingSeparator(const std::string& directory);

}  // namespace mox
