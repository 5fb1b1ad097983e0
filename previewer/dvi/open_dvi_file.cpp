// Opening a document: the file is validated from its end (trailer, post_post,
// postamble), the page index is built from the chain of back pointers, and
// the postamble's font definitions fill the font tables.
#include <cstdint>
#include <new>
#include <optional>
#include <string>

#include "platform/text_format.h"
#include "previewer/base/little_endian.h"
#include "previewer/fonts/virtual_fonts.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_commands.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/postamble_fonts.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/scan_document.h"

namespace mox {
namespace {

using namespace dvi;

[[noreturn]] void InvalidFile(const Bilingual& text, Language language) {
  AbortDocument(text.In(language));
}

// Where the DVI data lies: at the start of a plain file, or after the header
// and directory of a DBA archive, whose stored DVI length must fit the file.
void LocateDviData(DviDocument& document, Language language) {
  ByteReader& reader = document.Reader;
  std::uint8_t header[10];
  reader.ReadBytes(header, sizeof header);
  const bool archive = header[0] == 'D' && header[1] == 'B' && header[2] == 'A' && header[3] == 0;
  if (!archive) {
    document.Base = 0;
    document.DviLength = reader.FileLength();
    return;
  }
  document.Archive = true;
  document.DviLength = LittleEndian32(header + 4);
  document.ArchiveEntryCount = LittleEndian16(header + 8);
  document.Base = kArchiveHeaderSize + kArchiveEntrySize * document.ArchiveEntryCount;
  if (std::uint64_t{document.Base} + document.DviLength > reader.FileLength()) {
    InvalidFile(kInvalidDvi, language);
  }
  reader.LimitTo(document.Base + document.DviLength);
}

void ReadComment(DviDocument& document, Reporter& report) {
  ByteReader& reader = document.Reader;
  reader.Seek(document.Base + kCommentLengthOffset);
  const std::uint8_t length = reader.ReadByte();
  document.Comment = reader.ReadText(length);
  if (!document.Comment.empty()) {
    report.Status(Format("%s: '%s'", document.Name.c_str(), document.Comment.c_str()));
  }
  document.Mer2Dvi = document.Comment.compare(0, 7, "Mer2Dvi") == 0;
  const std::int32_t shift = document.Mer2Dvi ? kMer2DviCodeShift : 0;
  document.Boundary1 = kFirstLevel1Code + shift;
  document.Boundary2 = kFirstLevel2Code + shift;
  document.Boundary3 = kEndOfCodes + shift;
}

// The end of the DVI data: trailer bytes, the id byte, and before it
// post_post with the postamble's offset. Offsets are relative to the base,
// like every offset below.
struct Trailer {
  std::uint32_t PostPost;
  std::uint32_t Postamble;
};

Trailer ReadTrailer(DviDocument& document, Language language) {
  ByteReader& reader = document.Reader;
  const std::uint32_t base = document.Base;
  if (document.DviLength < 4) InvalidFile(kInvalidDvi, language);
  reader.Seek(base + document.DviLength - 4);
  for (int i = 0; i < 4; ++i) {
    if (reader.ReadByte() != kTrailerByte) InvalidFile(kInvalidDvi, language);
  }
  // Back over every trailer byte to the id byte.
  if (document.DviLength < 5) InvalidFile(kInvalidId, language);
  std::uint32_t id_offset = document.DviLength - 5;
  for (;;) {
    reader.Seek(base + id_offset);
    const std::uint8_t byte = reader.ReadByte();
    if (byte != kTrailerByte) {
      if (byte != kDviId) InvalidFile(kInvalidId, language);
      break;
    }
    if (id_offset == 0) InvalidFile(kInvalidId, language);
    --id_offset;
  }
  if (id_offset < 5) InvalidFile(kNoPostPost, language);
  Trailer trailer{};
  trailer.PostPost = id_offset - 5;
  reader.Seek(base + trailer.PostPost);
  if (reader.ReadByte() != kPostPost) InvalidFile(kNoPostPost, language);
  trailer.Postamble = reader.ReadUnsigned(4);
  return trailer;
}

// Reads the postamble's fixed fields; gives p, the offset of the last bop,
// and the page count t.
struct PostambleStart {
  std::uint32_t LastPage;
  std::uint16_t PageCount;
};

// A magnification other than 0 overrides the document's.
PostambleStart ReadPostamble(DviDocument& document, std::uint32_t postamble,
                             std::uint32_t post_post, std::int32_t override_magnification,
                             Language language) {
  ByteReader& reader = document.Reader;
  // The fixed fields must end before post_post.
  if (postamble >= post_post || post_post - postamble < kPostambleSize) {
    InvalidFile(kNoPostamble, language);
  }
  reader.Seek(document.Base + postamble);
  if (reader.ReadByte() != kPost) InvalidFile(kNoPostamble, language);
  PostambleStart start{};
  start.LastPage = reader.ReadUnsigned(4);
  document.Num = reader.ReadUnsigned(4);
  document.Den = reader.ReadUnsigned(4);
  const std::uint32_t magnification = reader.ReadUnsigned(4);
  document.MaxHeightDepth = reader.ReadSigned(4);
  document.MaxWidth = reader.ReadSigned(4);
  document.StackSize = reader.ReadUnsigned(2) + 10;
  start.PageCount = static_cast<std::uint16_t>(reader.ReadUnsigned(2));
  // A zero denominator would make every pixel position infinite.
  if (document.Den == 0) InvalidFile(kInvalidDvi, language);
  document.Magnification = override_magnification != 0
                               ? static_cast<std::uint32_t>(override_magnification)
                               : magnification;
  return start;
}

// Fills the page index from the chain of back pointers, last page first.
// Every page of the chain lies before the postamble, which also bounds the
// page count.
void WalkPageChain(DviDocument& document, const PostambleStart& start, std::uint32_t postamble,
                   Language language) {
  ByteReader& reader = document.Reader;
  if (std::uint64_t{start.PageCount} * kBopSize > postamble) {
    InvalidFile(kBadPageChain, language);
  }
  document.PageCountInFile = start.PageCount;
  document.Pages.assign(start.PageCount, PageEntry{0, 0, 0});
  std::int32_t n = static_cast<std::int32_t>(start.PageCount) - 1;
  for (std::uint32_t pointer = start.LastPage; pointer != 0xFFFFFFFFu; --n) {
    // At most t steps: a chain that loops runs into this check.
    if (n < 0) InvalidFile(kBadPageChain, language);
    if (pointer >= postamble || postamble - pointer < kBopSize) {
      InvalidFile(kBadPagePointer, language);
    }
    PageEntry& entry = document.Pages[static_cast<std::size_t>(n)];
    entry.Offset = pointer;
    reader.Seek(document.Base + pointer);
    if (reader.ReadByte() != kBop) InvalidFile(kBadPagePointer, language);
    entry.Count0 = reader.ReadSigned(4);
    reader.Skip(36);  // \count1 to \count9
    pointer = reader.ReadUnsigned(4);
  }
  // The chain ended before t pages were stored: the first entries would be
  // pages nobody read.
  if (n >= 0) InvalidFile(kBadPageChain, language);
}

// Builds the page index; pages after the last selected one are dropped.
void BuildPageIndex(ScanDocument& doc, const PostambleStart& start, std::uint32_t postamble) {
  DviDocument& document = doc.Dvi;
  WalkPageChain(document, start, postamble, doc.Report.Lang());
  std::size_t page_count = document.Pages.size();
  while (page_count > 0) {
    const PageEntry& entry = document.Pages[page_count - 1];
    if (doc.IsPageSelected(entry.Count0, static_cast<std::int32_t>(page_count))) break;
    --page_count;
  }
  document.Pages.resize(page_count);
  if (page_count == 0) {
    AbortDocument(doc.Say(kNoSelectedPage));
  }
}

void ComputeConversions(DviDocument& document, const Options& options) {
  // num/den is the DVI unit in 1e-7 m: to centimetres, inches, then pixels.
  const double unit = static_cast<double>(document.Num) / document.Den * 0.00001 *
                      0.39370078740157477;
  const double magnification = 0.001 * document.Magnification;
  document.ConversionX = unit * options.ResolutionX * magnification;
  document.ConversionY = unit * options.ResolutionY * magnification;
}

int OpenDocument(ScanDocument& doc, const std::string& name) {
  CloseDviFile(doc);
  DviDocument& document = doc.Dvi;
  const Language language = doc.Report.Lang();
  document.DummyFont = -1;
  document.Name = name;
  if (name.empty()) return 1;

  if (!document.Reader.Open("", name)) {
    AbortDocument(doc.Say(kCannotOpenDvi));
  }
  document.Reader.SetTruncationMessage(doc.Say(kInvalidDvi));

  LocateDviData(document, language);
  ReadComment(document, doc.Report);
  const Trailer trailer = ReadTrailer(document, language);
  const PostambleStart start = ReadPostamble(document, trailer.Postamble, trailer.PostPost,
                                             doc.Settings.Magnification, language);
  BuildPageIndex(doc, start, trailer.Postamble);

  doc.Fonts.Slots = {};
  ComputeConversions(document, doc.Settings);
  ReadPostambleFonts(doc, trailer.Postamble + kPostambleSize);
  SortFontTables(doc.Fonts);
  ResolveVirtualFonts(doc);

  document.Loaded = true;
  return 0;
}

}  // namespace

int OpenDviFile(ScanDocument& doc, const std::string& name) {
  return GuardDocumentOperation(doc, [&] { return OpenDocument(doc, name); });
}

std::optional<std::string> DviFileProblem(const std::string& name, Language language) {
  try {
    // A document of its own: the open one stays as it is.
    DviDocument probe;
    if (!probe.Reader.Open("", name)) {
      return kCannotOpenDvi.In(language);
    }
    probe.Reader.SetTruncationMessage(kInvalidDvi.In(language));
    LocateDviData(probe, language);
    const Trailer trailer = ReadTrailer(probe, language);
    const PostambleStart start =
        ReadPostamble(probe, trailer.Postamble, trailer.PostPost, 0, language);
    WalkPageChain(probe, start, trailer.Postamble, language);
    return std::nullopt;
  } catch (const DocumentAbort& abort) {
    return abort.Message;
  } catch (const std::bad_alloc&) {
    return kMemoryError.In(language);
  }
}

}  // namespace mox
