// The pages of a printed text: its lines wrapped at the printable width,
// aligned like the window's paragraphs, and cut into pages. The printer
// measures; this decides where lines and pages break.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

enum class Alignment { Left, Right, Center };

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // How many leading units of text fit into max_width, and the width
  // they take.
  virtual std::size_t Fit(std::u16string_view text, int max_width, int& width) = 0;
  virtual int Width(std::u16string_view text) = 0;
};

struct PrintedLine {
  std::u16string Text;
  int X = 0;  // from the left margin
};

// The lines of one page, top to bottom, one line height apart.
using PrintedPage = std::vector<PrintedLine>;

// Lays out text (lines ended by CR, as the window holds it) on pages of
// `width` by `lines_per_page` lines. A tab moves to the next multiple of
// eight columns (a character beyond ASCII takes two). A line too wide breaks after its last blank that fits,
// else between two characters of which one is Chinese, else at the last
// character that fits (at least one a line); blanks at a break end the
// line. A text ending in a line end has no empty line after it. There is
// always at least one page.
std::vector<PrintedPage> LayOutPages(std::u16string_view text, int width, int lines_per_page,
                                     TextMeasure& measure, Alignment alignment);

}  // namespace mox::varelo
