#include "previewer/render/stroke_rasteriser.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace mox {
namespace {

struct Rect {
  int Left, Top, Right, Bottom;
};

// Collects the rectangles and the pixels they cover.
class Canvas {
 public:
  StrokeRasteriser::FillRectangle Filler() {
    return [this](int l, int t, int r, int b) {
      rects.push_back({l, t, r, b});
      for (int y = t; y <= b; ++y) {
        for (int x = l; x <= r; ++x) pixels.insert({x, y});
      }
    };
  }
  bool Ink(int x, int y) const { return pixels.count({x, y}) != 0; }
  std::vector<Rect> rects;
  std::set<std::pair<int, int>> pixels;
};

TEST(StrokeRasteriserTest, APenOfOnePixelDrawsThinLines) {
  Canvas canvas;
  StrokeRasteriser strokes(canvas.Filler());
  strokes.SetClip(0, 0, 99, 99);
  strokes.SetPen(1, 1);
  strokes.MoveTo(10, 10);
  strokes.LineTo(20, 20);
  strokes.Flush();
  for (int i = 10; i <= 20; ++i) EXPECT_TRUE(canvas.Ink(i, i)) << i;
  EXPECT_FALSE(canvas.Ink(11, 10));
  EXPECT_EQ(canvas.pixels.size(), 11u);
}

TEST(StrokeRasteriserTest, AHorizontalLineIsOneRectangle) {
  Canvas canvas;
  StrokeRasteriser strokes(canvas.Filler());
  strokes.SetClip(0, 0, 199, 99);
  strokes.SetPen(5, 5);
  strokes.MoveTo(10, 50);
  strokes.LineTo(150, 50);
  strokes.Flush();
  ASSERT_EQ(canvas.rects.size(), 1u);
  EXPECT_EQ(canvas.rects[0].Left, 10);
  EXPECT_EQ(canvas.rects[0].Right, 150);
  EXPECT_EQ(canvas.rects[0].Top, 48);
  EXPECT_EQ(canvas.rects[0].Bottom, 52);
}

TEST(StrokeRasteriserTest, AMoveToTheCurrentPointChangesNothing) {
  Canvas canvas;
  StrokeRasteriser strokes(canvas.Filler());
  strokes.SetClip(0, 0, 99, 99);
  strokes.SetPen(3, 3);
  strokes.MoveTo(10, 10);
  strokes.LineTo(10.0000001, 10);
  strokes.Flush();
  EXPECT_TRUE(canvas.pixels.empty());
}

TEST(StrokeRasteriserTest, CollinearSegmentsJoinWithoutANotch) {
  Canvas joined;
  StrokeRasteriser strokes(joined.Filler());
  strokes.SetClip(0, 0, 199, 199);
  strokes.SetPen(9, 9);
  strokes.MoveTo(10, 10);
  strokes.LineTo(60, 60);
  strokes.LineTo(110, 110);
  strokes.Flush();
  Canvas single;
  StrokeRasteriser one(single.Filler());
  one.SetClip(0, 0, 199, 199);
  one.SetPen(9, 9);
  one.MoveTo(10, 10);
  one.LineTo(110, 110);
  one.Flush();
  // The joint may differ by a pixel of rounding, but leaves no gap.
  for (int d = -3; d <= 3; ++d) EXPECT_TRUE(joined.Ink(60 + d, 60 - d)) << d;
  std::size_t missing = 0;
  for (const auto& p : single.pixels) missing += joined.pixels.count(p) == 0;
  EXPECT_LE(missing, 4u);
}

TEST(StrokeRasteriserTest, ARightAngleIsMitred) {
  Canvas canvas;
  StrokeRasteriser strokes(canvas.Filler());
  strokes.SetClip(0, 0, 199, 199);
  strokes.SetPen(11, 11);
  strokes.MoveTo(20, 100);
  strokes.LineTo(100, 100);
  strokes.LineTo(100, 20);
  strokes.Flush();
  // The outer corner of the mitre is filled, square to both arms.
  EXPECT_TRUE(canvas.Ink(105, 105));
  EXPECT_FALSE(canvas.Ink(107, 107));
}

TEST(StrokeRasteriserTest, ASpikeIsCutSquareInsteadOfMitred) {
  Canvas canvas;
  StrokeRasteriser strokes(canvas.Filler());
  strokes.SetClip(0, 0, 399, 199);
  strokes.SetPen(11, 11);
  strokes.MoveTo(20, 100);
  strokes.LineTo(200, 100);
  strokes.LineTo(20, 120);  // back at a very sharp angle
  strokes.Flush();
  // A mitre would reach far beyond the turning point; the cut does not.
  for (int x = 230; x < 399; ++x) EXPECT_FALSE(canvas.Ink(x, 101)) << x;
  EXPECT_TRUE(canvas.Ink(200, 100));
}

TEST(StrokeRasteriserTest, CutsShapeTheEndsOfSingleLines) {
  Canvas horizontal;
  StrokeRasteriser a(horizontal.Filler());
  a.SetClip(0, 0, 199, 199);
  a.DrawLine({50, 50}, kCutHorizontal, {100, 150}, kCutHorizontal, 21, 21);
  // A horizontal end edge: the line's first row runs level.
  int top_row = 1000;
  for (const auto& [x, y] : horizontal.pixels) top_row = std::min(top_row, y);
  int top_count = 0;
  for (const auto& [x, y] : horizontal.pixels) top_count += y == top_row;
  EXPECT_GE(top_count, 15);

  Canvas square;
  StrokeRasteriser b(square.Filler());
  b.SetClip(0, 0, 199, 199);
  b.DrawLine({50, 50}, kCutSquare, {100, 150}, kCutSquare, 21, 21);
  int square_top = 1000;
  for (const auto& [x, y] : square.pixels) square_top = std::min(square_top, y);
  int square_count = 0;
  for (const auto& [x, y] : square.pixels) square_count += y == square_top;
  EXPECT_LT(square_count, top_count);  // a square cut of a slanted line comes to a point
}

TEST(StrokeRasteriserTest, LinesAcrossBandsHaveNoSeam) {
  Canvas whole;
  StrokeRasteriser all(whole.Filler());
  all.SetClip(0, 0, 199, 199);
  all.DrawLine({10, 20}, kCutSquare, {180, 170}, kCutVertical, 7, 7);
  Canvas banded;
  for (int top = 0; top < 200; top += 37) {
    StrokeRasteriser band(banded.Filler());
    // Each band clips with a one-pixel margin, as the renderer does.
    band.SetClip(-1, top - 1, 200, top + 37);
    band.DrawLine({10, 20}, kCutSquare, {180, 170}, kCutVertical, 7, 7);
  }
  for (const auto& p : whole.pixels) EXPECT_TRUE(banded.pixels.count(p)) << p.first << "," << p.second;
}

TEST(StrokeRasteriserTest, SegmentsOutsideTheClipDrawNothing) {
  Canvas canvas;
  StrokeRasteriser strokes(canvas.Filler());
  strokes.SetClip(0, 0, 99, 99);
  strokes.DrawLine({200, 10}, kCutSquare, {300, 80}, kCutSquare, 5, 5);
  strokes.DrawLine({-50, 50}, kCutSquare, {150, 50}, kCutSquare, 3, 3);
  for (const auto& [x, y] : canvas.pixels) {
    EXPECT_GE(x, 0);
    EXPECT_LE(x, 99);
  }
  EXPECT_TRUE(canvas.Ink(0, 50));
  EXPECT_TRUE(canvas.Ink(99, 50));
}

}  // namespace
}  // namespace mox
