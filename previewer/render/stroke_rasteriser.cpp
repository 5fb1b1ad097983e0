#include "previewer/render/stroke_rasteriser.h"

#include <algorithm>
#include <cmath>

#include "previewer/dvi/dvi_document.h"

namespace mox {
namespace {

constexpr double kTinyMove = 0.000001;
constexpr double kParallel = 0.01;
constexpr double kLongestMiter = 0.0625;  // 1 - k^2 below it: the miter is too long
constexpr double kScanLimit = 32767.0;

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

}  // namespace

void StrokeRasteriser::SetClip(int left, int top, int right, int bottom) {
  clip_left_ = left;
  clip_top_ = top;
  clip_right_ = right;
  clip_bottom_ = bottom;
}

void StrokeRasteriser::SetPen(double wx, double wy) {
  Flush();
  hx_ = std::max(0.0, (wx - 1.0) / 2.0);
  hy_ = std::max(0.0, (wy - 1.0) / 2.0);
}

void StrokeRasteriser::SetDash(const std::vector<double>& lengths) {
  const bool usable = lengths.size() >= 2 &&
                      std::all_of(lengths.begin(), lengths.end(), [](double l) { return l >= 0; }) &&
                      std::any_of(lengths.begin(), lengths.end(), [](double l) { return l >= 0.1; });
  dash_ = usable ? lengths : std::vector<double>{};
}

StrokeRasteriser::Vector StrokeRasteriser::PlainOffset(Vector u) const {
  return {hx_ * u.Y, -hy_ * u.X};
}

// The offset of the outline from the centre line at an end of a segment of
// unit direction u, whose neighbour at that end goes in direction a.
StrokeRasteriser::Vector StrokeRasteriser::EndOffset(Vector u, Vector a) const {
  const double cross = a.X * u.Y - a.Y * u.X;
  const double a_length = Length(a.X, a.Y);
  if (std::fabs(cross) < kParallel || a_length == 0.0) return PlainOffset(u);
  const Vector unit_a{a.X / a_length, a.Y / a_length};
  Vector s{unit_a.X + u.X, unit_a.Y + u.Y};
  const double s_length = Length(s.X, s.Y);
  if (s_length == 0.0) return PlainOffset(u);
  s = {s.X / s_length, s.Y / s_length};
  const double k = u.X * s.X + u.Y * s.Y;
  const double sine_squared = 1.0 - k * k;
  if (sine_squared < kLongestMiter) {
    // A spike: the end is cut square to the neighbour instead.
    return {hx_ * unit_a.Y, -hy_ * unit_a.X};
  }
  const double stretch = 1.0 / std::sqrt(sine_squared);
  return {s.X * hx_ * stretch, s.Y * hy_ * stretch};
}

void StrokeRasteriser::MoveTo(double x, double y) {
  Flush();
  start_ = end_ = {x, y};
}

void StrokeRasteriser::LineTo(double x, double y) {
  if (std::fabs(x - end_.X) + std::fabs(y - end_.Y) < kTinyMove) return;
  if (!pending_) {
    end_ = {x, y};
    pending_ = true;
    return;
  }
  // Draw the pending segment now, mitred towards the new point.
  const double dx = end_.X - start_.X;
  const double dy = end_.Y - start_.Y;
  const double length = Length(dx, dy);
  const double nx = x - end_.X;
  const double ny = y - end_.Y;
  const double next_length = Length(nx, ny);
  if (length > 0.0 && next_length > 0.0) {
    const Vector u{dx / length, dy / length};
    const Vector next{nx / next_length, ny / next_length};
    const Vector start_offset = join_valid_ ? join_offset_ : PlainOffset(u);
    const Vector end_offset = EndOffset(u, {-next.X, -next.Y});
    Segment(start_, start_offset, end_, end_offset);
    // The mitre is the next segment's start too, unless it is square to the
    // next direction (a straight continuation), where a plain start is the
    // same thing.
    join_valid_ = std::fabs(end_offset.X * next.X + end_offset.Y * next.Y) >= kParallel;
    join_offset_ = end_offset;
  }
  start_ = end_;
  end_ = {x, y};
}

void StrokeRasteriser::Flush() {
  if (pending_) {
    const double dx = end_.X - start_.X;
    const double dy = end_.Y - start_.Y;
    const double length = Length(dx, dy);
    if (length > 0.0) {
      const Vector u{dx / length, dy / length};
      Segment(start_, join_valid_ ? join_offset_ : PlainOffset(u), end_, PlainOffset(u));
    }
  }
  pending_ = false;
  join_valid_ = false;
  start_ = end_;
}

void StrokeRasteriser::DrawLine(StrokePoint p1, int cut1, StrokePoint p2, int cut2, double wx,
                                double wy) {
  const double saved_hx = hx_;
  const double saved_hy = hy_;
  hx_ = std::max(0.0, (wx - 1.0) / 2.0);
  hy_ = std::max(0.0, (wy - 1.0) / 2.0);
  const double dx = p2.X - p1.X;
  const double dy = p2.Y - p1.Y;
  const double length = Length(dx, dy);
  if (length > 0.0) {
    const Vector u{dx / length, dy / length};
    // A cut is the neighbour direction whose mitre lies along the wanted
    // end edge: u mirrored in that edge (square: u itself, giving the plain
    // perpendicular end).
    auto neighbour = [&u](int cut) -> Vector {
      switch (cut) {
        case kCutHorizontal: return {u.X, -u.Y};
        case kCutVertical: return {-u.X, u.Y};
        default: return u;
      }
    };
    Segment(p1, EndOffset(u, neighbour(cut1)), p2, EndOffset(u, neighbour(cut2)));
  }
  hx_ = saved_hx;
  hy_ = saved_hy;
}

void StrokeRasteriser::Segment(StrokePoint start, Vector o1, StrokePoint end, Vector o2) {
  double dx = end.X - start.X;
  double dy = end.Y - start.Y;
  if (dx * dx + dy * dy < 1e-12) return;
  // Both offsets on the same side of the line.
  if (o1.X * dy - o1.Y * dx > 0) o1 = {-o1.X, -o1.Y};
  if (o2.X * dy - o2.Y * dx > 0) o2 = {-o2.X, -o2.Y};

  // A segment wholly beyond a side of the clip rectangle (widened by the
  // offsets) draws nothing. One that crosses a side is not cut there: its
  // corners are those of the whole segment, and only the scan lines are
  // limited to the clip, so that a line drawn band by band comes out the
  // same, pixel for pixel, as drawn at once.
  const double ex = std::max(std::fabs(o1.X), std::fabs(o2.X));
  const double ey = std::max(std::fabs(o1.Y), std::fabs(o2.Y));
  if (std::max(start.X, end.X) < clip_left_ - ex || std::min(start.X, end.X) > clip_right_ + ex ||
      std::max(start.Y, end.Y) < clip_top_ - ey || std::min(start.Y, end.Y) > clip_bottom_ + ey) {
    return;
  }
  const StrokePoint s = start;
  const StrokePoint e = end;

  auto rounded = [](double x, double y) {
    return StrokePoint{static_cast<double>(NearestInt(x)), static_cast<double>(NearestInt(y))};
  };
  // Corners in order round the quadrilateral.
  const StrokePoint corners[4] = {rounded(s.X - o1.X, s.Y - o1.Y), rounded(e.X - o2.X, e.Y - o2.Y),
                                  rounded(e.X + o2.X, e.Y + o2.Y), rounded(s.X + o1.X, s.Y + o1.Y)};
  FillQuadrilateral(corners, std::fabs(dy) > std::fabs(dx));
}

// Scans the quadrilateral along its longer axis and fills the span of every
// scan line; equal spans of neighbouring lines merge into one rectangle.
void StrokeRasteriser::FillQuadrilateral(const StrokePoint corners[4], bool by_rows) {
  // Scan coordinate a (rows: y) and span coordinate b (rows: x).
  auto a_of = [by_rows](const StrokePoint& p) { return by_rows ? p.Y : p.X; };
  auto b_of = [by_rows](const StrokePoint& p) { return by_rows ? p.X : p.Y; };
  double low = a_of(corners[0]);
  double high = low;
  for (int i = 1; i < 4; ++i) {
    low = std::min(low, a_of(corners[i]));
    high = std::max(high, a_of(corners[i]));
  }
  const int clip_a_low = by_rows ? clip_top_ : clip_left_;
  const int clip_a_high = by_rows ? clip_bottom_ : clip_right_;
  const int clip_b_low = by_rows ? clip_left_ : clip_top_;
  const int clip_b_high = by_rows ? clip_right_ : clip_bottom_;
  const int first = std::max(static_cast<int>(std::ceil(low)), clip_a_low);
  const int last = std::min(static_cast<int>(std::floor(high)), clip_a_high);

  auto emit = [&](int a0, int a1, int b0, int b1) {
    const int lo = std::max(b0, clip_b_low);
    const int hi = std::min(b1, clip_b_high);
    if (lo > hi) return;
    if (by_rows) {
      fill_(lo, a0, hi, a1);
    } else {
      fill_(a0, lo, a1, hi);
    }
  };

  bool open = false;
  int run_start = 0;
  int span_low = 0;
  int span_high = 0;
  for (int a = first; a <= last; ++a) {
    double min_b = kScanLimit;
    double max_b = -kScanLimit;
    bool hit = false;
    for (int i = 0; i < 4; ++i) {
      const StrokePoint& p = corners[i];
      const StrokePoint& q = corners[(i + 1) % 4];
      const double pa = a_of(p);
      const double qa = a_of(q);
      if (a < std::min(pa, qa) || a > std::max(pa, qa)) continue;
      hit = true;
      if (pa == qa) {
        min_b = std::min({min_b, b_of(p), b_of(q)});
        max_b = std::max({max_b, b_of(p), b_of(q)});
      } else {
        const double b = b_of(p) + (a - pa) * (b_of(q) - b_of(p)) / (qa - pa);
        min_b = std::min(min_b, b);
        max_b = std::max(max_b, b);
      }
    }
    if (!hit) continue;
    const int lo = NearestInt(std::clamp(min_b, -kScanLimit, kScanLimit));
    const int hi = NearestInt(std::clamp(max_b, -kScanLimit, kScanLimit));
    if (open && lo == span_low && hi == span_high) continue;
    if (open) emit(run_start, a - 1, span_low, span_high);
    open = true;
    run_start = a;
    span_low = lo;
    span_high = hi;
  }
  if (open) emit(run_start, last, span_low, span_high);
}

}  // namespace mox
