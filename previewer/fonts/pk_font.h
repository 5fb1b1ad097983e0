// PK fonts: finding the file of a font at the document's resolution and
// unpacking exactly the characters the document uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mox {

class ByteReader;
struct DviDocument;
struct FontDocument;
struct PkFont;

// The file names of one run: the template before and after "$d", and the
// separator that comes before the font name.
struct PkPathFormat {
  std::string Before;
  std::string After;
  char Separator = '\\';
};

// The PK file names of a run from the PK path template (the load run's
// copy, with its trailing separator); nothing for a template without "$d".
std::optional<PkPathFormat> PkPathFormatOf(const std::string& path_template);
// The same into the run's state; a template without "$d" aborts the run
// with "Invalid PK font path ...".
void PreparePkFileNames(FontDocument& doc, const std::string& path_template);

// The file of a font at a resolution: the template with the resolution put
// for "$d", then the font name (only its first 8 characters for the short
// name) and ".PK".
std::string PkFileName(const PkPathFormat& format, int resolution, const std::string& font_name,
                       bool short_name);

// The files a font at a resolution r is looked for in, in order: r - 1, r
// and r + 1 (none beyond the int range), each with the full name and then,
// for a name longer than 8 characters, with its first 8.
std::vector<std::string> PkFileCandidates(const PkPathFormat& format, int resolution,
                                          const std::string& font_name);

// The size of a PK font in points, magnification included.
double PkFontPoints(const DviDocument& document, const PkFont& font);

// A font the load run found no file for, even after the generator ran: its
// characters stay empty (and take no room), the document shows without them.
struct MissingPkFont {
  std::string Name;
  double Points = 0;
  int Resolution = 0;  // the one wanted, not the neighbours tried
};

// Fills the glyph group of PK font `font_index`: from the carry-over, else
// from its file (starting the PK generator once per run when no file is
// found). A font with no file even then is added to the run's missing
// fonts and its glyphs left empty. Aborts the load run on a bad file, which
// is deleted. Returns the number of glyphs filled.
std::size_t LoadPkFont(FontDocument& doc, std::size_t font_index);

// The packed and raw raster forms of a character packet, from the reader's
// position; used by LoadPkFont and its tests. destination receives
// ((width + 7) / 8) x height bytes. UnpackPkCharacter returns 0 or an error
// code 1 to 4; packet_bytes is the number of raster bytes in the packet.
int UnpackPkCharacter(std::uint8_t* destination, std::uint32_t width, std::uint32_t height,
                      std::uint32_t packet_bytes, int dyn_f, bool first_black,
                      ByteReader& reader);
void ReadRawPkCharacter(std::uint8_t* destination, std::uint32_t width, std::uint32_t height,
                        ByteReader& reader);

}  // namespace mox
