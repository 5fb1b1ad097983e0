// What printing decides without a printer: the pages picked in the print
// dialog (kept until a document is loaded or closed), the dialog's odd and
// even buttons, the title of the job, where the page box goes on the paper
// and at what scale, and where the preview page lies in its window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "previewer/dvi/scan_document.h"

namespace mox {

// The print dialog's list: the page list lines, and the positions selected
// (every line, or the lines of the stored pages). The stored pages are
// physical page indices in list order; nothing when no selection is stored.
struct PrintList {
  std::vector<std::string> Lines;
  std::vector<int> Selected;
};
PrintList PrintListData(const ScanDocument& doc,
                        const std::optional<std::vector<std::int32_t>>& stored);

// The pages to store for the selected list positions (positions that map
// to no page are left out).
std::vector<std::int32_t> PrintSelectionPages(const ScanDocument& doc,
                                              const std::vector<int>& positions);

// The page number of a list line: its first run of decimal digits (a minus
// sign is not part of it), 0 when it has none.
long NumberInLine(const std::string& line);

// Odd or even pages only: the selection without the lines whose number has
// the other parity (no line is newly selected).
std::vector<int> KeepParity(const std::vector<std::string>& lines, const std::vector<int>& selected,
                            bool odd);

// The job's title: the base name of the document (after the last "\\",
// "/" or ":").
std::string PrintTitle(const std::string& document);

// Printer pixels a font pixel: the smaller of LOGPIXELS over the font
// resolution of each axis.
double PrinterScale(const Options& options, int logpixels_x, int logpixels_y);

// The page box on the paper at scale s: its size, and its top-left corner
// centring it on the printable area (0 where the paper is narrower).
struct PrintBox {
  std::int32_t Width;
  std::int32_t Height;
  std::int32_t X0;
  std::int32_t Y0;
};
PrintBox PageBoxOnPaper(const DviDocument& document, double scale, std::int32_t printable_width,
                        std::int32_t printable_height);

// The preview page inside its layout window of the given client size,
// with margins of 15 and the printable area's proportions.
struct PreviewRect {
  std::int32_t Left;
  std::int32_t Top;
  std::int32_t Right;
  std::int32_t Bottom;
};
PreviewRect PreviewPageRect(std::int32_t client_width, std::int32_t client_height,
                            std::int32_t extent_width, std::int32_t extent_height);

}  // namespace mox
