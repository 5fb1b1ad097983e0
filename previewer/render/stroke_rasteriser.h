// Lines of a given width for the em: graphics: single segments with chosen
// end cuts, and polylines with mitred joins. Every segment becomes a filled
// quadrilateral, clipped to the band and painted as rectangles of full ink.
#pragma once

#include <functional>
#include <vector>

namespace mox {

struct StrokePoint {
  double X;
  double Y;
};

// End cuts: the end edge horizontal, vertical, or square to the line.
enum StrokeCut : int { kCutHorizontal = 0, kCutVertical = 1, kCutSquare = 2 };

class StrokeRasteriser {
 public:
  // Receives each rectangle to fill, inclusive pixel bounds.
  using FillRectangle = std::function<void(int left, int top, int right, int bottom)>;

  explicit StrokeRasteriser(FillRectangle fill) : fill_(std::move(fill)) {}

  void SetClip(int left, int top, int right, int bottom);
  // A pen of wx by wy pixels (flushes the path).
  void SetPen(double wx, double wy);
  // A dash pattern (at least two lengths, one of them 0.1 or longer), or
  // none. Kept for callers that want one; lines here are always solid.
  void SetDash(const std::vector<double>& lengths);
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void Flush();
  // One segment on its own, with a pen of wx by wy and the given end cuts.
  void DrawLine(StrokePoint p1, int cut1, StrokePoint p2, int cut2, double wx, double wy);

  double HalfWidthX() const { return hx_; }
  double HalfWidthY() const { return hy_; }

 private:
  struct Vector {
    double X = 0.0;
    double Y = 0.0;
  };
  Vector EndOffset(Vector direction, Vector adjacent) const;
  Vector PlainOffset(Vector direction) const;
  void Segment(StrokePoint start, Vector start_offset, StrokePoint end, Vector end_offset);
  void FillQuadrilateral(const StrokePoint corners[4], bool by_rows);

  FillRectangle fill_;
  int clip_left_ = 0;
  int clip_top_ = 0;
  int clip_right_ = -1;
  int clip_bottom_ = -1;
  double hx_ = 0.0;
  double hy_ = 0.0;
  std::vector<double> dash_;
  StrokePoint start_{0.0, 0.0};
  StrokePoint end_{0.0, 0.0};
  bool pending_ = false;
  Vector join_offset_;
  bool join_valid_ = false;
};

}  // namespace mox
