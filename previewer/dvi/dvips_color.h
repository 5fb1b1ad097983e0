// The colour specials LaTeX's color and xcolor packages write for dvips:
// "color push <colour>", "color pop", "color <colour>" and
// "background <colour>", and the colour stack they work on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mox {

// 0..255 a channel.
struct RgbColor {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  bool operator==(const RgbColor&) const = default;
};

// Pages that never leave black keep the scanner's uncoloured path.
inline bool IsBlack(RgbColor color) { return color.R == 0 && color.G == 0 && color.B == 0; }

// A colour as the colour specials give it after their command words: a
// model and its values ("rgb r g b", "cmyk c m y k", "gray g", "hsb h s b",
// each value a number clamped to 0..1) or one of the 68 names dvips
// defines (GreenYellow ... White, case as written there). Blanks may stand
// around it; anything more makes it nothing. CMYK and HSB are turned into RGB
// as PostScript does without a colour profile. A PostScript literal (a
// colour beginning with a double quote) or a name a header of the
// document's own defines is nothing too: its colour cannot be known without
// running the PostScript.
std::optional<RgbColor> ParseDvipsColor(std::string_view text);

enum class ColorAction { Push, Pop, Set, Background };

struct ColorSpecial {
  ColorAction Action = ColorAction::Set;
  RgbColor Color;  // black for Pop
};

// The whole text of a special: "color push <colour>", "color pop",
// "color <colour>" or "background <colour>", the words lower case and
// separated by blanks, blanks allowed before and after. Nothing for any
// other special and for a colour ParseDvipsColor refuses.
std::optional<ColorSpecial> ParseDvipsColorSpecial(std::string_view special);

enum class ColorStackResult { Ok, Overflow, Underflow };

// dvips' colour stack: the base colour (black at first) with the colours
// pushed on it; the current colour is the last pushed, or the base. The
// scanner records each page's starting stack, so a stack that holds no
// pushes copies without allocating.
class ColorStack {
 public:
  // Pushes beyond this are refused, so that a document that never pops
  // cannot grow the stack without end.
  static constexpr std::size_t kMaxDepth = 255;

  // Overflow (and no change) when kMaxDepth colours are pushed already.
  ColorStackResult Push(RgbColor color);
  // Underflow (and no change) when nothing is pushed.
  ColorStackResult Pop();
  // Replaces the current colour: the last pushed, or the base colour when
  // nothing is pushed.
  void Set(RgbColor color);

  RgbColor Current() const { return pushed_.empty() ? base_ : pushed_.back(); }
  // The colours pushed and not popped.
  std::size_t Depth() const { return pushed_.size(); }

  bool operator==(const ColorStack&) const = default;

 private:
  RgbColor base_;
  std::vector<RgbColor> pushed_;
};

}  // namespace mox
