#include "previewer/dvi/em_graphics.h"

#include <cmath>
#include <optional>

#include "previewer/startup/dimension.h"

namespace mox {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  void SkipSpace() {
    while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
  }
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  void Advance() { ++at_; }
  std::string_view Word() {
    const std::size_t start = at_;
    while (at_ < text_.size() && !IsSpace(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }
  std::string_view Rest() const { return text_.substr(at_ < text_.size() ? at_ : text_.size()); }

  // White space, then an unsigned decimal number of at least one digit.
  std::optional<std::uint32_t> Number() {
    SkipSpace();
    if (AtEnd() || Peek() < '0' || Peek() > '9') return std::nullopt;
    std::uint32_t value = 0;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
      const std::uint32_t digit = static_cast<std::uint32_t>(Peek() - '0');
      value = value > (0xFFFFFFFFu - digit) / 10 ? 0xFFFFFFFFu : value * 10 + digit;
      Advance();
    }
    return value;
  }

  // "h", "v" or "p" after white space; any other character gives "p" and
  // stays to be read again.
  int Cut() {
    SkipSpace();
    switch (Peek()) {
      case 'h': Advance(); return EmCutH;
      case 'v': Advance(); return EmCutV;
      case 'p': Advance(); return EmCutP;
      default: return EmCutP;
    }
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

// A dimension in inches ("px" divided by the resolution); nothing when it is
// not a valid, non-negative dimension.
std::optional<double> WidthInInches(std::string_view text, double pixels_per_inch) {
  const std::optional<Dimension> dimension = ParseDimension(text);
  if (!dimension || dimension->Value < 0.0) return std::nullopt;
  if (dimension->Unit == DimensionUnit::Px) {
    if (!(pixels_per_inch > 0.0)) return std::nullopt;
    return dimension->Value / pixels_per_inch;
  }
  return dimension->Value * InchesPerUnit(dimension->Unit);
}

int ParseLine(Cursor& cursor, double pixels_per_inch, EmCommand& command) {
  const std::optional<std::uint32_t> first = cursor.Number();
  if (!first) return -1;
  command.Point = *first;
  command.Cut1 = cursor.Cut();
  cursor.SkipSpace();
  if (cursor.Peek() != ',') return -1;
  cursor.Advance();
  const std::optional<std::uint32_t> second = cursor.Number();
  if (!second) return -1;
  command.Point2 = *second;
  command.Cut2 = cursor.Cut();
  cursor.SkipSpace();
  command.WidthInches = 0.0;
  if (cursor.AtEnd()) return EmLine;
  if (cursor.Peek() != ',') return -1;
  cursor.Advance();
  const std::optional<double> width = WidthInInches(cursor.Rest(), pixels_per_inch);
  if (!width) return -1;
  command.WidthInches = *width;
  return EmLine;
}

}  // namespace

int ParseEm(std::string_view text, double pixels_per_inch, EmCommand& command) {
  command = EmCommand{};
  Cursor cursor(text);
  cursor.SkipSpace();
  const std::string_view word = cursor.Word();
  if (word == "point") {
    const std::optional<std::uint32_t> number = cursor.Number();
    if (!number) return -1;
    command.Point = *number;
    return EmPoint;
  }
  if (word == "line") return ParseLine(cursor, pixels_per_inch, command);
  if (word == "linewidth") {
    const std::optional<double> width = WidthInInches(cursor.Rest(), pixels_per_inch);
    if (!width) return -1;
    command.WidthInches = *width;
    return EmLineWidth;
  }
  if (word == "moveto") return EmMoveTo;
  if (word == "lineto") return EmLineTo;
  return -1;
}

std::uint32_t EmWidthUnits(double inches, double dots_per_inch, std::uint32_t magnification) {
  const double units =
      std::floor(inches * dots_per_inch * magnification / 1000.0 * 256.0 + 0.5);
  if (!(units > 0.0)) return 0;
  return units >= 0xFFFFFF ? 0xFFFFFFu : static_cast<std::uint32_t>(units);
}

}  // namespace mox
