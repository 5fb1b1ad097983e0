// Source specials: "src:LINE FILE" (or "src:LINEFILE"), which TeX writes at
// the start of paragraphs and displays when run with -src-specials. The
// pre-scan keeps them per selected page, the page scan puts their positions
// into the page buffer, and the searches between a place on a page and a
// line of a source file use them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "previewer/base/document.h"
#include "previewer/dvi/page_buffer.h"

namespace mox {

struct SourceSpecial {
  std::int32_t Line = 0;
  std::string_view File;  // in the special's text; empty: the file before
};

// The line and file of a special's text after "src:", or nothing when it is
// not a source special (no line number, or a line below 1).
std::optional<SourceSpecial> ParseSourceSpecial(std::string_view text);

// Whether a special's text is a source special ("src:" in any case).
bool IsSourceSpecial(std::string_view text);

// Adds the source special of a page to the document's marks; a special
// without a file takes the file of the one before it (the first one of a
// document gets an empty name). Every source special of a selected page
// becomes a mark, so that the page scan finds the k-th special of a page at
// the page's first mark + k.
void AddSourceMark(DviDocument& document, std::uint32_t page, const SourceSpecial& special);

// The mark of the page buffer's source items that the point (x, y), in
// device pixels of the page at the font resolution, belongs to: the last
// one at or above the point's line (`slack` pixels below the point count as
// its line, since a special sits on the baseline of the first line of its
// paragraph), on that line the last one left of the point; when every item
// lies below the point, the first. Nothing when the page has no source items.
std::optional<std::uint32_t> SourceMarkAtPoint(const PageBuffer& buffer, std::int32_t x,
                                               std::int32_t y, std::int32_t slack);

// The item of the page buffer for a mark, if the scanned page has it.
const PageItem* SourceItemOf(const PageBuffer& buffer, std::uint32_t mark);

// The mark for a line of a source file: among the marks of that file, the
// one with the greatest line at or before it (the first mark of the file when
// the line comes before all of them); of marks with the same line, the one
// on `current_page` if there is one, else the first. `file` is a full path;
// the names of the specials are taken relative to `dvi_folder`.
std::optional<std::uint32_t> SourceMarkForLine(const DviDocument& document,
                                               const std::string& dvi_folder,
                                               const std::string& file, std::int32_t line,
                                               std::uint32_t current_page);

// Whether a special's file name means the file at `path`: the same path
// once taken relative to the DVI file's folder, with either separator and
// ASCII letters in either case; a ".tex" made from a ".ctx" (same lines)
// and a name without extension match either.
bool SameSourceFile(const std::string& special_file, const std::string& dvi_folder,
                    const std::string& path);

// The file an editor should open for a special's file name: the full path
// relative to the DVI file's folder, the ".ctx" beside a ".tex" when there
// is one (its lines are the same), and for a name without extension the
// ".ctx" or ".tex" that exists.
std::string EditorFileFor(const std::string& special_file, const std::string& dvi_folder);

// Whether two paths name the same file: either separator, ASCII letters in
// either case.
bool SameFileName(const std::string& a, const std::string& b);

// The folder of a file name, with its trailing separator ("" for none).
std::string FolderOf(const std::string& path);

}  // namespace mox
