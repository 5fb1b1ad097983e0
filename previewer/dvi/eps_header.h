// What an included figure's own file says of its size: the bounding box
// comment of an EPS file, and where the PostScript is in a DOS EPS file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace mox {

// llx, lly, urx, ury in big points, y up, as the comment gives them.
using FigureBox = std::array<double, 4>;

// The four numbers of the first "%%BoundingBox:" line of the header
// comments (up to "%%EndComments" or a line that is no comment) in the
// first bytes of an EPS file.
// Nothing when there is none in `file_head`, when it is "(atend)" (the
// figure's end would have to be read) or is not four numbers. A head that
// is a DOS EPS file is looked into at its PostScript section, as far as the
// head holds it.
std::optional<FigureBox> ReadEpsBoundingBox(std::string_view file_head);

inline constexpr std::size_t kDosEpsHeaderSize = 30;

// Where the PostScript of a DOS EPS file (one with a Windows metafile or a
// TIFF preview) lies in the file.
struct DosEpsSection {
  std::uint32_t Offset = 0;
  std::uint32_t Length = 0;
};

// The PostScript section named by the 30-byte header of a DOS EPS file
// (C5 D0 D3 C6, then the section's offset and length, little-endian).
// Nothing when the head is shorter or is not such a header, or names an
// empty section, one inside the header, or one past 4 GB.
std::optional<DosEpsSection> ReadDosEpsHeader(std::string_view file_head);

}  // namespace mox
