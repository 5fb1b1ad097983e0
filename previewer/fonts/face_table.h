// The face table: which Chinese TrueType face draws each ziti letter "@" (0)
// to "Z" (26), kept in the face table file beside the program.
//
// File: "MOX TrueType Fonts", a space, then for each serving entry in ziti
// order its index (16-bit little-endian) and its 68 bytes (the LOGFONTA and
// the scale as an IEEE double), then 0xFFFF.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/glyph_rasterizer.h"

namespace mox {

inline constexpr int kFaceTableEntries = 27;
inline constexpr std::size_t kFaceEntryBytes = 68;

struct FaceEntry {
  platform::LogFontA Font;
  double Scale = -1.0;
};

struct FaceTable {
  std::array<FaceEntry, kFaceTableEntries> Entries;
};

// The program path with its last three characters replaced by "FNT".
std::string FaceTableFileName(const std::string& program_path);

// Empties every face name, then reads the file; a missing file leaves the
// table empty, a file with a wrong head is deleted.
void LoadFaceTable(FaceTable& table, const std::string& path);
// Writes the file; 0 on success, 1 on failure (the partial file deleted).
int SaveFaceTable(const FaceTable& table, const std::string& path);

// Whether ziti z (0..26) is served: a face name and a scale above 0.
bool FaceServes(const FaceTable& table, int ziti);

// The cell of a glyph of a font of pixel size width x height in a served
// ziti, widened 1.5 (italic) or 1.1 times and scaled; nothing when the ziti
// is not served.
struct FaceCell {
  std::int32_t Width;        // Wc
  std::int32_t Height;       // Hc
  std::int32_t EmWidth;      // We
  std::int32_t EmHeight;     // He
  std::int32_t XOffset;      // of the em box inside the cell
  std::int32_t YOffset;
};
std::optional<FaceCell> FaceCellFor(const FaceTable& table, int ziti, std::int32_t width,
                                    std::int32_t height);

struct FontDocument;

// Fills the glyphs of every ziti the document's face table serves through
// the rasteriser (part of the load run; only when the document has Chinese
// fonts).
void LoadTrueTypeGlyphs(FontDocument& doc);

}  // namespace mox
