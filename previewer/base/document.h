// The reader's state of an open document: a DVI file, or a DBA archive
// holding a DVI file and its BMF images. A document object holds it (with
// the fonts, the scan state and the renderer's of the same document); the
// reader fills it (previewer/dvi), the font registry and the glyph sources
// read its conversion factors, and the document object releases it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/base/byte_reader.h"
#include "previewer/base/chinese_codes.h"

namespace mox {

// One page of the page index, in file order.
struct PageEntry {
  std::int32_t Count0;   // \count0 of the page's bop
  std::uint32_t Offset;  // of the bop, relative to the document's base
  std::uint8_t Ziti;     // ziti in force at the start of the page (pre-scan)
};

// A source special ("src:LINE FILE", written by TeX's -src-specials) of a
// selected page, found by the pre-scan: the line and the file (an index into
// the document's source file names) of the source the following material
// came from.
struct SourceMark {
  std::uint32_t Page;    // index in the page index
  std::int32_t Line;
  std::uint32_t File;    // index into DviDocument::SourceFiles
};

struct DviDocument {
  std::string Name;                 // as passed to OpenDviFile
  std::uint32_t Base = 0;           // DVI data offset: 0, or 12 + 24 n in an archive
  std::uint16_t ArchiveEntryCount = 0;
  bool Archive = false;             // a DBA archive
  std::uint32_t DviLength = 0;
  std::string Comment;              // of the preamble
  bool Mer2Dvi = false;             // the comment begins "Mer2Dvi"
  // Chinese code boundaries: where the first and second level begin and
  // where the codes end, in the document's counting.
  std::int32_t Boundary1 = kFirstLevel1Code;
  std::int32_t Boundary2 = kFirstLevel2Code;
  std::int32_t Boundary3 = kEndOfCodes;
  std::uint32_t Num = 0;
  std::uint32_t Den = 0;
  std::uint32_t Magnification = 0;  // thousandths: the "-M" override or the file's
  std::int32_t MaxHeightDepth = 0;  // l of the postamble, DVI units
  std::int32_t MaxWidth = 0;        // u of the postamble
  std::uint32_t StackSize = 0;      // s of the postamble + 10
  std::uint32_t PageCountInFile = 0; // t of the postamble, before unselected pages are cut
  std::vector<PageEntry> Pages;
  double ConversionX = 0.0;         // device pixels per DVI unit at the font resolution
  double ConversionY = 0.0;
  std::int32_t DummyFont = -1;      // number of "ccdummy", -1 if none
  // The paper a "papersize=" special of the document asks for, in big
  // points (the first one found, its sides swapped by "landscape"); 0 when
  // there is none: the page is then the postamble's size with the margins
  // the user set.
  double PaperWidthBp = 0.0;
  double PaperHeightBp = 0.0;
  bool Landscape = false;           // a "landscape" special: the sides swap
  // With a paper size, the page inside the paper's one-inch margins in DVI
  // units, so that with the margins the frame is the paper (the pre-scan
  // sets them); 0: none.
  std::int32_t PaperContentWidth = 0;
  std::int32_t PaperContentHeight = 0;

  // The page the frame goes round: the paper's, or the postamble's.
  std::int32_t PageWidth() const { return PaperContentWidth > 0 ? PaperContentWidth : MaxWidth; }
  std::int32_t PageHeight() const {
    return PaperContentHeight > 0 ? PaperContentHeight : MaxHeightDepth;
  }
  // Source specials of the selected pages in page order (none, and nothing
  // allocated, for a document compiled without them), and the file names
  // they use, each once, as written in the specials.
  std::vector<SourceMark> SourceMarks;
  std::vector<std::string> SourceFiles;
  bool Loaded = false;

  ByteReader Reader;                // the DVI file; may be closed between scans
};

}  // namespace mox
