// A window of the tests' own for the page view: a client area of a given
// size, every request the view makes counted, the ruler's lines and the
// frame caption kept; and documents whose pages can be told apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/dvi/page_buffer.h"
#include "previewer/shell/page_view.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {

inline constexpr std::int32_t kPoint = 65536;

// A client area of a given size; every request the view makes is counted.
class FakeWindow final : public PageViewHost, public platform::ScrollHost {
 public:
  void MeasureClient(std::uint32_t& width, std::uint32_t& height) override {
    width = Width - (VerticalBar ? BarSize : 0);
    height = Height - (HorizontalBar ? BarSize : 0);
  }
  void InvalidateView(bool erase) override {
    ++Invalidations;
    Pending = true;
    LastEraseRequest = erase;
  }
  bool HasPendingPaint() override { return Pending; }
  void SetDocumentBackground(bool document_shown) override { White = document_shown; }
  void ShowBusy(bool busy) override { BusyCalls.push_back(busy); }
  platform::TScroller& ViewScroller() override { return Scroller; }
  void RealizePalette() override { ++Palettes; }
  void RebuildPalette() override { ++PaletteBuilds; }
  void BeginRulerDrawing() override { ++RulerDrawings; }
  void DrawRulerLines(const std::vector<RulerLine>& lines) override {
    for (const RulerLine& line : lines) XorLines.push_back(line);
  }
  void EndRulerDrawing() override { --RulerDrawings; }
  std::string FrameCaption() override { return Caption; }
  void SetFrameCaption(const std::string& text) override { Caption = text; }
  void ShowMainFrame(bool shown) override { FrameHidden = !shown; }
  // A bar shows for a range above 0 and, with BarSize set, takes room.
  void SetScrollBar(bool horizontal, long range, long, long) override {
    (horizontal ? HorizontalBar : VerticalBar) = range > 0;
  }
  void ScrollContent(long, long) override {}
  void ShowSourceLine(const std::string& file, std::int32_t line) override {
    SourceLines.push_back(file + ":" + std::to_string(line));
  }
  void MarkPlace(std::int32_t x, std::int32_t y, std::int32_t height) override {
    Marks.push_back({x, y, height});
  }
  void CaptureMouse(bool captured) override { Captured = captured; }
  void PutOnClipboard(const std::string& utf8) override { Clipboard = utf8; }
  bool OpenAddress(const std::string& address) override {
    Opened.push_back(address);
    return true;
  }

  std::uint32_t Width = 800;
  std::uint32_t Height = 600;
  std::uint32_t BarSize = 0;
  bool HorizontalBar = false;
  bool VerticalBar = false;
  int Invalidations = 0;
  bool Pending = false;
  bool LastEraseRequest = false;
  bool White = false;
  int Palettes = 0;
  std::vector<bool> BusyCalls;
  int PaletteBuilds = 0;
  int RulerDrawings = 0;  // 1 while a drag holds its drawing context
  std::vector<RulerLine> XorLines;
  std::string Caption;
  bool FrameHidden = false;
  std::vector<std::string> SourceLines;  // "file:line" asked of the editor
  struct Mark {
    std::int32_t X, Y, Height;
  };
  std::vector<Mark> Marks;
  bool Captured = false;
  std::string Clipboard;             // UTF-8
  std::vector<std::string> Opened;   // addresses the browser was asked to open
  platform::TScroller Scroller{*this, 1, 1, 0, 0};
};

// A document whose pages carry the given \count0 values, each page a rule
// of its own width (in points) so that pages can be told apart.
inline std::string Pages(const std::vector<std::int32_t>& counts, std::int32_t first_width = 10) {
  DviWriter dvi;
  dvi.Preamble();
  std::int32_t width = first_width;
  for (std::int32_t count : counts) {
    dvi.BeginPage(count).Down(72 * kPoint).Right(72 * kPoint)
        .SetRule(20 * kPoint, width * kPoint).EndPage();
    ++width;
  }
  dvi.Finish();
  return dvi.Data();
}

// The width in page pixels of the rule the current page shows.
inline int CurrentRuleWidth(const PreviewDocument& doc) {
  for (const PageItem& item : doc.Page.Items) {
    if (item.Kind == ItemRule) return item.Width;
  }
  return -1;
}

}  // namespace mox::test
