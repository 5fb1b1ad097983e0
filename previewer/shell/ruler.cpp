#include "previewer/shell/ruler.h"
#include "previewer/shell/shell_texts.h"

#include "platform/dpi_scale.h"
#include "platform/text_format.h"

namespace mox {
namespace {

constexpr double kInchesPerMillimetre = 0.03937007874015748;
constexpr double kFourInchesInMillimetres = 101.6;

// Rounds as the ruler does: add a half and truncate.
std::int32_t Round(double value) { return static_cast<std::int32_t>(value + 0.5); }

struct Tick {
  std::int32_t HalfLength;
  RulerPen Pen;
};

Tick TickAt(std::int32_t millimetres) {
  if (millimetres % 100 == 0) return {8, RulerPen::HundredMm};
  if (millimetres % 50 == 0) return {6, RulerPen::FiftyMm};
  if (millimetres % 10 == 0) return {4, RulerPen::TenMm};
  if (millimetres % 5 == 0) return {4, RulerPen::FiveMm};
  return {2, RulerPen::Default};
}

// Ticks a side at most: only resolutions no one uses put so many ticks
// between the cross and the window's edge.
constexpr std::int32_t kMaxTicks = 100000;

// One scale: ticks from the centre towards both edges (each side stops
// with the first tick at or beyond its edge), reporting how far each side
// reached. `place` puts a tick across the scale at a position along it.
template <typename Place>
void Scale(std::int32_t centre, std::int32_t low, std::int32_t high, std::int32_t unit,
           double pixels_per_mm, Place place, std::int32_t& reach_low,
           std::int32_t& reach_high) {
  reach_low = 0;
  for (std::int32_t n = 1; n <= kMaxTicks; ++n) {
    reach_low = Round(n * unit * pixels_per_mm);
    place(centre - reach_low, TickAt(n * unit));
    if (centre - reach_low <= low) break;
  }
  reach_high = 0;
  for (std::int32_t n = 1; n <= kMaxTicks; ++n) {
    reach_high = Round(n * unit * pixels_per_mm);
    place(centre + reach_high, TickAt(n * unit));
    if (centre + reach_high >= high) break;
  }
}

}  // namespace

std::int32_t RulerUnit(double resolution_x, double resolution_y, double zoom) {
  const std::int32_t a = Round(kFourInchesInMillimetres / (resolution_x * zoom));
  const std::int32_t b = Round(kFourInchesInMillimetres / (resolution_y * zoom));
  const std::int32_t e = a > b ? a : b;
  if (e <= 1) return 1;
  if (e <= 2) return 2;
  if (e <= 7) return 5;
  return 10;
}

std::vector<RulerLine> RulerCross(std::int32_t x, std::int32_t y, std::int32_t unit,
                                  const RulerRect& client, double resolution_x,
                                  double resolution_y, double zoom, int screen_dpi) {
  std::vector<RulerLine> lines;
  const auto s = [screen_dpi](std::int32_t value) { return platform::ScaleToDpi(value, screen_dpi); };
  const std::int32_t reach = s(8);
  const double per_mm_v = kInchesPerMillimetre * resolution_y * zoom;
  const double per_mm_h = kInchesPerMillimetre * resolution_x * zoom;
  std::int32_t up = 0;
  std::int32_t down = 0;
  if (x + reach >= client.Left && x - reach < client.Right) {
    Scale(y, client.Top, client.Bottom, unit, per_mm_v,
          [&lines, x, s](std::int32_t at, Tick tick) {
            lines.push_back({tick.Pen, x - s(tick.HalfLength), at, x + s(tick.HalfLength) + 1, at});
          },
          up, down);
    lines.push_back({RulerPen::HundredMm, x, y - up, x, y + down + 1});
  }
  std::int32_t left = 0;
  std::int32_t right = 0;
  if (y + reach >= client.Top && y - reach < client.Bottom) {
    Scale(x, client.Left, client.Right, unit, per_mm_h,
          [&lines, y, s](std::int32_t at, Tick tick) {
            lines.push_back({tick.Pen, at, y - s(tick.HalfLength), at, y + s(tick.HalfLength) + 1});
          },
          left, right);
    lines.push_back({RulerPen::HundredMm, x - left, y, x + right + 1, y});
  }
  return lines;
}

std::string RulerReadout(std::int32_t unit, double view_x, double view_y, std::int32_t origin_x,
                         std::int32_t origin_y, double resolution_x, double resolution_y,
                         double zoom, Language language) {
  const double x = (view_x - origin_x) * 2.54 / (zoom * resolution_x);
  const double y = (view_y - origin_y) * 2.54 / (zoom * resolution_y);
  return Format(kRulerReadout.In(language),
                static_cast<int>(unit), x, y);
}

}  // namespace mox
