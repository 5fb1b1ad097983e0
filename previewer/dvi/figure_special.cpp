#include "previewer/dvi/figure_special.h"

#include <algorithm>
#include <cmath>

#include "previewer/dvi/mox_conventions.h"
#include "previewer/dvi/special_text.h"
#include "previewer/startup/number_syntax.h"

namespace mox {
namespace {

constexpr std::string_view kKeyword = "psfile=";
constexpr double kPi = 3.14159265358979323846;

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

struct NumericKeyName {
  std::string_view Name;
  std::optional<double> FigureSpecial::*Member;
};

constexpr NumericKeyName kNumericKeys[] = {
    {"hoffset", &FigureSpecial::HOffset}, {"voffset", &FigureSpecial::VOffset},
    {"hsize", &FigureSpecial::HSize},     {"vsize", &FigureSpecial::VSize},
    {"hscale", &FigureSpecial::HScale},   {"vscale", &FigureSpecial::VScale},
    {"angle", &FigureSpecial::Angle},     {"llx", &FigureSpecial::Llx},
    {"lly", &FigureSpecial::Lly},         {"urx", &FigureSpecial::Urx},
    {"ury", &FigureSpecial::Ury},         {"rwi", &FigureSpecial::Rwi},
    {"rhi", &FigureSpecial::Rhi},
};

// The value a numeric key is stored in; null for "clip" and unknown keys.
std::optional<double> FigureSpecial::*NumericKey(std::string_view key) {
  for (const NumericKeyName& known : kNumericKeys) {
    if (SameNoCase(key, known.Name)) return known.Member;
  }
  return nullptr;
}

// Takes a value off the front of text: in double quotes (without them), or
// up to the next blank. Nothing for a quote that is not closed.
std::optional<std::string_view> TakeValue(std::string_view& text) {
  if (!text.empty() && text.front() == '"') {
    const std::size_t close = text.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view value = text.substr(1, close - 1);
    text.remove_prefix(close + 1);
    return value;
  }
  std::size_t end = 0;
  while (end < text.size() && !IsOptionSpace(text[end])) ++end;
  const std::string_view value = text.substr(0, end);
  text.remove_prefix(end);
  return value;
}

// (cos, sin) of an angle in degrees, exact for quarter turns so that a
// figure turned by 90 degrees covers exactly its box's sides swapped.
std::array<double, 2> CosSin(double degrees) {
  const double turned = std::fmod(degrees, 360.0);
  if (std::fmod(turned, 90.0) == 0.0) {
    switch (static_cast<int>(turned < 0.0 ? turned + 360.0 : turned) / 90) {
      case 0: return {1.0, 0.0};
      case 1: return {0.0, 1.0};
      case 2: return {-1.0, 0.0};
      default: return {0.0, -1.0};
    }
  }
  const double radians = turned * kPi / 180.0;
  return {std::cos(radians), std::sin(radians)};
}

bool WithinBounds(const FigurePlacement& placement) {
  const double coefficients[] = {placement.Xx, placement.Xy, placement.X0,
                                 placement.Yx, placement.Yy, placement.Y0};
  for (const double c : coefficients) {
    if (!std::isfinite(c)) return false;
  }
  for (const double c : {placement.Xx, placement.Xy, placement.Yx, placement.Yy}) {
    if (std::fabs(c) > kMaxFigureScale) return false;
  }
  for (const double edge : {placement.Left, placement.Top, placement.Right, placement.Bottom}) {
    if (!(std::fabs(edge) <= kMaxFigureExtentBp)) return false;
  }
  return placement.Right - placement.Left <= kMaxFigureExtentBp &&
         placement.Bottom - placement.Top <= kMaxFigureExtentBp;
}

}  // namespace

std::optional<FigureBox> FigureSpecial::Box() const {
  if (!Llx || !Lly || !Urx || !Ury) return std::nullopt;
  return FigureBox{*Llx, *Lly, *Urx, *Ury};
}

std::optional<FigureSpecial> ParseFigureSpecial(std::string_view special) {
  std::string_view text = TrimSpecialBlanks(special);
  if (!StartsWithNoCase(text, kKeyword)) return std::nullopt;
  text.remove_prefix(kKeyword.size());
  const std::optional<std::string_view> file = TakeValue(text);
  if (!file || file->empty()) return std::nullopt;
  FigureSpecial figure;
  figure.File = std::string(*file);

  while (true) {
    text = TrimSpecialBlanks(text);
    if (text.empty()) return figure;
    std::size_t key_end = 0;
    while (key_end < text.size() && text[key_end] != '=' && !IsOptionSpace(text[key_end])) {
      ++key_end;
    }
    const std::string_view key = text.substr(0, key_end);
    text.remove_prefix(key_end);
    const bool has_value = !text.empty() && text.front() == '=';
    std::optional<std::string_view> value;
    if (has_value) {
      text.remove_prefix(1);
      value = TakeValue(text);
      if (!value) return std::nullopt;
    }
    if (SameNoCase(key, "clip")) {
      if (has_value) return std::nullopt;
      figure.Clip = true;
    } else if (const auto member = NumericKey(key)) {
      const std::optional<double> number = value ? ParseSpecialNumber(*value) : std::nullopt;
      if (!number) return std::nullopt;
      figure.*member = *number;
    }
  }
}

std::optional<FigurePlacement> PlaceFigure(const FigureSpecial& figure,
                                           const std::optional<FigureBox>& file_box) {
  const double rwi = figure.Rwi.value_or(0.0);
  const double rhi = figure.Rhi.value_or(0.0);
  const bool sized = rwi != 0.0 || rhi != 0.0;
  std::optional<FigureBox> box = figure.Box();
  if (!box) box = file_box;
  if (!box) {
    if (sized) return std::nullopt;
    box = FigureBox{0.0, 0.0, figure.HSize.value_or(612.0), figure.VSize.value_or(792.0)};
  }
  const auto [llx, lly, urx, ury] = *box;

  // The scaling to rwi and rhi, which moves the box's corner to the origin.
  double sx = 1.0;
  double sy = 1.0;
  if (sized) {
    const double width = urx - llx;
    const double height = ury - lly;
    if (rwi != 0.0 && width == 0.0) return std::nullopt;
    if (rhi != 0.0 && height == 0.0) return std::nullopt;
    sx = rwi != 0.0 ? rwi / 10.0 / width : 0.0;
    sy = rhi != 0.0 ? rhi / 10.0 / height : sx;
    if (rwi == 0.0) sx = sy;
  }
  const double tx = sized ? -sx * llx : 0.0;
  const double ty = sized ? -sy * lly : 0.0;

  // Turned, then scaled, then offset, y up; the page's y goes down.
  const auto [c, s] = CosSin(figure.Angle.value_or(0.0));
  const double hs = figure.HScale.value_or(100.0) / 100.0;
  const double vs = figure.VScale.value_or(100.0) / 100.0;
  FigurePlacement placement;
  placement.Xx = hs * c * sx;
  placement.Xy = -hs * s * sy;
  placement.X0 = hs * (c * tx - s * ty) + figure.HOffset.value_or(0.0);
  placement.Yx = -vs * s * sx;
  placement.Yy = -vs * c * sy;
  placement.Y0 = -(vs * (s * tx + c * ty) + figure.VOffset.value_or(0.0));

  placement.Box = *box;
  placement.Clip = figure.Clip;
  bool first = true;
  for (const double x : {llx, urx}) {
    for (const double y : {lly, ury}) {
      const double px = placement.Xx * x + placement.Xy * y + placement.X0;
      const double py = placement.Yx * x + placement.Yy * y + placement.Y0;
      placement.Left = first ? px : std::min(placement.Left, px);
      placement.Right = first ? px : std::max(placement.Right, px);
      placement.Top = first ? py : std::min(placement.Top, py);
      placement.Bottom = first ? py : std::max(placement.Bottom, py);
      first = false;
    }
  }
  if (!WithinBounds(placement)) return std::nullopt;
  return placement;
}

}  // namespace mox
