#include "previewer/render/page_renderer.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "previewer/dvi/bmf_image.h"
#include "previewer/fonts/glyph_budget.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/em_graphics.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/render/colour_band.h"
#include "previewer/render/indexed_colour_band.h"
#include "previewer/render/em_points.h"
#include "previewer/render/grey_palette.h"
#include "previewer/render/resampler.h"
#include "previewer/render/stroke_rasteriser.h"
#include "previewer/startup/options.h"
#include "previewer/render/preview_document.h"
#include "previewer/render/render_texts.h"

namespace mox {
namespace {

constexpr int kBandBytes = 65520;
constexpr int kVirtualRows = 20000;  // the column glyphs are sampled in below zoom 1
constexpr int kVirtualBaseline = 10000;
constexpr double kFraction = 0.00003051850947599719;  // 1 / 32767

int Ceiling(double value) { return static_cast<int>(std::ceil(value)); }

// The part of the band being drawn: page pixels Left.. and Top.., Rows rows.
struct Band {
  BandImage& Image;
  int Left;
  int Top;
  int Rows;

  int Width() const { return Image.Width; }
  std::uint8_t* Row(int y) { return Image.Bits.data() + static_cast<std::size_t>(y) * Image.RowBytes; }
};

// Fills page pixels left..right, top..bottom (inclusive) with full ink.
void FillInk(Band& band, int left, int top, int right, int bottom) {
  const int x0 = std::max(left - band.Left, 0);
  const int x1 = std::min(right - band.Left, band.Width() - 1);
  const int y0 = std::max(top - band.Top, 0);
  const int y1 = std::min(bottom - band.Top, band.Rows - 1);
  if (x0 > x1 || y0 > y1) return;
  const int depth = band.Image.BitsPerPixel;
  for (int y = y0; y <= y1; ++y) {
    std::uint8_t* row = band.Row(y);
    if (depth == 1) {
      int x = x0;
      for (; x <= x1 && (x & 7) != 0; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
      for (; x + 7 <= x1; x += 8) row[x >> 3] = 0xFF;
      for (; x <= x1; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
    } else {
      for (int x = x0; x <= x1; ++x) row[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? 0x0F : 0xF0);
    }
  }
}

// ORs a zoom image into the band with its top-left corner at page pixel
// (left, top), clipped to the band.
void OrImage(Band& band, const ZoomImage& image, int left, int top) {
  const int x = left - band.Left;
  if (x >= band.Width() || x + image.Width <= 0) return;
  const int depth = band.Image.BitsPerPixel;
  const int row_bytes = band.Image.RowBytes;
  // Only the image rows that fall into the band.
  const int first = std::max(0, band.Top - top);
  const int last = std::min(image.Height, band.Top + band.Rows - top);
  for (int i = first; i < last; ++i) {
    const int y = top - band.Top + i;
    const std::uint8_t* source = image.Bits.data() + static_cast<std::size_t>(i) * image.RowBytes;
    std::uint8_t* target = band.Row(y);
    if (depth == 1 && x >= 0 && x + image.Width <= band.Width()) {
      // Inside the band's width (nearly every glyph): each source byte
      // lands on two band bytes at a fixed shift.
      const int source_bytes = (image.Width + 7) / 8;
      const int index = x >> 3;
      const int shift = x & 7;
      if (shift == 0) {
        for (int b = 0; b < source_bytes; ++b) target[index + b] |= source[b];
        continue;
      }
      unsigned carry = 0;
      for (int b = 0; b < source_bytes; ++b) {
        const unsigned bits = source[b];
        target[index + b] |= static_cast<std::uint8_t>((bits >> shift) | carry);
        carry = (bits << (8 - shift)) & 0xFFu;
      }
      if (carry != 0 && index + source_bytes < row_bytes) {
        target[index + source_bytes] |= static_cast<std::uint8_t>(carry);
      }
    } else if (depth == 1) {
      const int source_bytes = (image.Width + 7) / 8;
      for (int b = 0; b < source_bytes; ++b) {
        unsigned bits = source[b];
        if (bits == 0) continue;
        int position = x + 8 * b;
        if (position >= band.Width()) break;
        if (position + 8 <= 0) continue;
        if (position < 0) {
          bits = (bits << -position) & 0xFFu;
          position = 0;
        }
        const int index = position >> 3;
        const int shift = position & 7;
        target[index] |= static_cast<std::uint8_t>(bits >> shift);
        if (shift != 0 && index + 1 < row_bytes) {
          target[index + 1] |= static_cast<std::uint8_t>(bits << (8 - shift));
        }
      }
    } else {
      for (int c = 0; c < image.Width; ++c) {
        const int column = x + c;
        if (column < 0) continue;
        if (column >= band.Width()) break;
        const unsigned value = (source[c >> 1] >> ((c & 1) ? 0 : 4)) & 0x0F;
        if (value != 0) {
          target[column >> 1] |= static_cast<std::uint8_t>((column & 1) ? value : value << 4);
        }
      }
    }
  }
}

struct GlyphSource {
  const GlyphBitmap* Bitmap;
  int Width;
  int Height;
  ZoomImage* Zoom;
};

GlyphSource GlyphOf(FontRegistry& fonts, const PageItem& item) {
  if (item.Kind == ItemPkChar) {
    if (item.Ref() >= fonts.PkGlyphs.size()) return {nullptr, 0, 0, nullptr};
    PkGlyph& glyph = fonts.PkGlyphs[item.Ref()];
    return {&glyph.Bitmap, glyph.Width, glyph.Height, &glyph.Zoom};
  }
  const int slot = SlotOfRef(item.Ref());
  const std::uint32_t index = IndexOfRef(item.Ref());
  if (slot >= kAllSlotCount || index >= fonts.Slots[static_cast<std::size_t>(slot)].Glyphs.size()) {
    return {nullptr, 0, 0, nullptr};
  }
  ChineseGlyph& glyph = fonts.Slots[static_cast<std::size_t>(slot)].Glyphs[index];
  // A Chinese glyph's size is its item's (the cell of its font).
  return {&glyph.Bitmap, item.Width, item.Height, &glyph.Zoom};
}

// Where a glyph's zoom image goes and which target rows it holds.
struct GlyphPlacement {
  int TargetWidth;
  int TargetHeight;   // rows of the whole source column
  int FirstRow;       // first target row of the image
  int Rows;
  int SourceRows;     // rows of the source column (virtual below zoom 1)
  int SourceFirst;    // rows of the glyph within that column
  int Left;
  int Top;            // page pixel of the image's first row
};

GlyphPlacement PlaceGlyph(const PageItem& item, int w, int h, double z, const RenderView& view) {
  GlyphPlacement place{};
  place.TargetWidth = std::max(1, Ceiling(w * z));
  place.Left = NearestInt(item.X * z) + view.MarginX;
  if (z >= 1.0) {
    place.TargetHeight = std::max(1, Ceiling(h * z));
    place.FirstRow = 0;
    place.Rows = place.TargetHeight;
    place.SourceRows = h;
    place.SourceFirst = 0;
    place.Top = NearestInt(item.Y * z) + view.MarginY;
    return place;
  }
  // Below zoom 1 every glyph is sampled in a column whose row 10000 is its
  // baseline, so that all glyphs of a line share one vertical phase.
  const int t = kVirtualBaseline - item.Baseline;
  place.TargetHeight = std::max(1, Ceiling(kVirtualRows * z));
  place.SourceRows = kVirtualRows;
  place.SourceFirst = t;
  place.FirstRow = static_cast<int>(z * t) - 1;
  const int last = NearestInt(std::ceil((t + h) * z));
  place.Rows = last - place.FirstRow + 1;
  place.Top = NearestInt(z * (item.Y - t)) + place.FirstRow + view.MarginY;
  return place;
}

ResampleSource GlyphSampler(const GlyphBitmap& bitmap, int w, int h, const GlyphPlacement& place) {
  ResampleSource source;
  source.Width = w;
  source.Height = place.SourceRows;
  source.First = place.SourceFirst;
  source.Last = place.SourceFirst + h - 1;
  const int row_bytes = (w + 7) / 8;
  const std::uint8_t* bits = bitmap.data();
  const int first = place.SourceFirst;
  source.Row = [bits, row_bytes, first](int i) {
    return bits + static_cast<std::size_t>(i - first) * row_bytes;
  };
  return source;
}

void DrawGlyph(FontRegistry& fonts, Band& band, const PageItem& item, double z,
               const RenderView& view) {
  const GlyphSource glyph = GlyphOf(fonts, item);
  if (glyph.Bitmap == nullptr || glyph.Bitmap->empty() || !(z > 0.0)) return;
  const int w = glyph.Width;
  const int h = glyph.Height;
  // A glyph wholly above or below the band is left at once: its rows lie
  // within a few pixels of its item's top edge and height at this zoom.
  constexpr double kRowSlack = 4.0;
  const double top = item.Y * z + view.MarginY;
  if (top - kRowSlack >= band.Top + band.Rows || top + h * z + kRowSlack < band.Top) return;
  if (w < 1 || h < 1 ||
      glyph.Bitmap->size() < static_cast<std::size_t>((w + 7) / 8) * static_cast<std::size_t>(h)) {
    return;
  }
  const GlyphPlacement place = PlaceGlyph(item, w, h, z, view);
  const int depth = band.Image.BitsPerPixel;
  ZoomImage& image = *glyph.Zoom;
  // Resampled straight into the band, row by row, when the image is not
  // kept: no room for it (the document's budget of zoomed images spent, or
  // no memory at all).
  const auto draw_uncached = [&] {
    const int first_row = std::max(place.Top, band.Top);
    const int last_row = std::min(place.Top + place.Rows, band.Top + band.Rows);
    const int first_column = std::max(place.Left, band.Left);
    const int last_column = std::min(place.Left + place.TargetWidth, band.Left + band.Width());
    if (first_row >= last_row || first_column >= last_column) return;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(band.Image.RowBytes), 0);
    for (int y = first_row; y < last_row; ++y) {
      std::fill(line.begin(), line.end(), 0);
      ResampleTarget target{place.TargetWidth, place.TargetHeight, depth, line.data(),
                            band.Image.RowBytes, place.FirstRow + (y - place.Top), 1,
                            first_column - place.Left, last_column - first_column};
      Resample(GlyphSampler(*glyph.Bitmap, w, h, place), target);
      ZoomImage row_image{last_column - first_column, 1, 0, depth, band.Image.RowBytes, line};
      OrImage(band, row_image, first_column, y);
    }
  };
  if (image.Empty()) {
    const std::int32_t row_bytes = ((depth * place.TargetWidth + 31) / 32) * 4;
    const std::size_t bytes =
        static_cast<std::size_t>(row_bytes) * static_cast<std::size_t>(std::max(place.Rows, 0));
    std::size_t& kept = fonts.ZoomBytes;
    if (bytes > kZoomImageBudget - std::min(kept, kZoomImageBudget)) {
      draw_uncached();
      return;
    }
    try {
      ZoomImage made;
      made.Width = place.TargetWidth;
      made.Height = place.Rows;
      made.Top = place.FirstRow;
      made.BitsPerPixel = depth;
      made.RowBytes = row_bytes;
      made.Bits.assign(bytes, 0);
      ResampleTarget target{place.TargetWidth, place.TargetHeight, depth, made.Bits.data(),
                            made.RowBytes, place.FirstRow, place.Rows, 0, place.TargetWidth};
      Resample(GlyphSampler(*glyph.Bitmap, w, h, place), target);
      image = std::move(made);
      kept += bytes;
    } catch (const std::bad_alloc&) {
      draw_uncached();
      return;
    }
  }
  OrImage(band, image, place.Left, place.Top);
}

void DrawRule(Band& band, const PageItem& item, double z, const RenderView& view) {
  const int left = NearestInt(item.X * z) + view.MarginX;
  const int top = NearestInt(item.Y * z) + view.MarginY;
  const int width = std::max(1, Ceiling(item.Width * z));
  const int height = std::max(1, Ceiling(item.Height * z));
  FillInk(band, left, top, left + width - 1, top + height - 1);
}

// A BMF image: the rows of the band are resampled from the file's rows,
// read forwards through a window of source rows.
void DrawImage(ScanDocument& doc, Band& band, const PageItem& item, double z,
               const RenderView& view) {
  const int left = NearestInt(item.X * z) + view.MarginX;
  const int top = NearestInt(item.Y * z) + view.MarginY;
  const int width = std::max(1, Ceiling(item.Width * z));
  const int height = std::max(1, Ceiling(item.Height * z));
  const int first_row = std::max(top, band.Top);
  const int last_row = std::min(top + height, band.Top + band.Rows);
  const int first_column = std::max(left, band.Left);
  const int last_column = std::min(left + width, band.Left + band.Width());
  if (first_row >= last_row || first_column >= last_column) return;

  ImageHeader header;
  ImageState& image = doc.Image;
  if (OpenImage(image, doc.Dvi, ImageNameOf(doc.Page, item), header) < 0) return;
  const int fw = header.Width;
  const int fh = header.Height;
  const int row_bytes = (fw + 7) / 8;
  // Source rows the band needs, from the first covered one on.
  const int source_first =
      std::max(0, static_cast<int>((static_cast<std::int64_t>(fh) * (first_row - top)) / height) - 1);
  const int source_last = std::min(
      fh - 1, static_cast<int>((static_cast<std::int64_t>(fh) * (last_row - top)) / height) + 1);
  std::vector<std::uint8_t> rows;
  std::vector<std::uint8_t> scratch(kImageRowBufferSize);
  try {
    rows.assign(static_cast<std::size_t>(source_last - source_first + 1) * row_bytes, 0);
  } catch (const std::bad_alloc&) {
    CloseImage(image);
    return;
  }
  for (int r = source_first; r <= source_last; ++r) {
    if (ReadImageRow(image, r, scratch.data()) != 0) break;
    std::copy_n(scratch.begin(), row_bytes,
                rows.begin() + static_cast<std::ptrdiff_t>(r - source_first) * row_bytes);
  }
  ResampleSource source;
  source.Width = fw;
  source.Height = fh;
  source.First = source_first;
  source.Last = source_last;
  source.Row = [&rows, row_bytes, source_first](int i) {
    return rows.data() + static_cast<std::size_t>(i - source_first) * row_bytes;
  };
  const int depth = band.Image.BitsPerPixel;
  std::vector<std::uint8_t> line(static_cast<std::size_t>(band.Image.RowBytes), 0);
  for (int y = first_row; y < last_row; ++y) {
    std::fill(line.begin(), line.end(), 0);
    ResampleTarget target{width, height, depth, line.data(), band.Image.RowBytes, y - top, 1,
                          first_column - left, last_column - first_column};
    Resample(source, target);
    ZoomImage row_image{last_column - first_column, 1, 0, depth, band.Image.RowBytes, line};
    OrImage(band, row_image, first_column, y);
  }
  CloseImage(image);
}

// The em: graphics of the page, through the stroke rasteriser.
class Graphics {
 public:
  Graphics(Band& band, double z, double line_width, double aspect, const RenderView& view,
           Reporter& report)
      : band_(band), z_(z), line_width_(line_width), aspect_(aspect), view_(view), report_(report),
        strokes_([this](int l, int t, int r, int b) { FillInk(band_, l, t, r, b); }) {
    strokes_.SetClip(band.Left - 1, band.Top - 1, band.Left + band.Width(), band.Top + band.Rows);
    ResetPen();
  }

  void Item(const std::vector<PageItem>& items, std::size_t index) {
    const PageItem& item = items[index];
    const std::uint32_t value = item.Ref();
    const int command = EmCommandOfRef(value);
    const double parameter = static_cast<double>(EmArgumentOfRef(value));
    switch (command) {
      case EmLine: {  // between two numbered points
        const auto p1 = FindEmPoint(items, static_cast<std::uint16_t>(item.Width), index, z_,
                                    view_.MarginX, view_.MarginY, report_);
        const auto p2 = FindEmPoint(items, static_cast<std::uint16_t>(item.Height), index, z_,
                                    view_.MarginX, view_.MarginY, report_);
        if (!p1 || !p2) return;
        const double wx = parameter > 0 ? parameter * z_ / 256.0 : pen_x_;
        const double wy = parameter > 0 ? parameter * z_ / 256.0 * aspect_ : pen_y_;
        strokes_.DrawLine({static_cast<double>(p1->X), static_cast<double>(p1->Y)}, item.X,
                          {static_cast<double>(p2->X), static_cast<double>(p2->Y)}, item.Y, wx, wy);
        break;
      }
      case EmLineWidth:
        pen_x_ = parameter * z_ / 256.0;
        pen_y_ = pen_x_ * aspect_;
        strokes_.SetPen(pen_x_, pen_y_);
        break;
      case EmMoveTo:
      case EmLineTo: {
        const double x = NearestInt((item.X + item.Width * kFraction) * z_) + view_.MarginX;
        const double y = NearestInt((item.Y + item.Height * kFraction) * z_) + view_.MarginY;
        if (command == EmMoveTo) {
          strokes_.MoveTo(x, y);
        } else {
          strokes_.LineTo(x, y);
        }
        break;
      }
      default:
        break;  // points are only found by lines
    }
  }

  // The end of a path: pending strokes are drawn and the pen starts afresh.
  void End() {
    strokes_.Flush();
    ResetPen();
    strokes_.SetDash({});
    strokes_.SetClip(band_.Left, band_.Top, band_.Left + band_.Width() - 1,
                     band_.Top + band_.Rows - 1);
  }

  void Flush() { strokes_.Flush(); }

 private:
  void ResetPen() {
    pen_x_ = line_width_ * z_;
    pen_y_ = line_width_ * z_ * aspect_;
    strokes_.SetPen(pen_x_, pen_y_);
    strokes_.SetDash({});
  }

  Band& band_;
  double z_;
  double line_width_;
  double aspect_;
  const RenderView& view_;
  Reporter& report_;
  StrokeRasteriser strokes_;
  double pen_x_ = 0.0;
  double pen_y_ = 0.0;
};

// Draws items [first, last) of the page buffer into the band, or every
// item to the end.
void DrawItems(PreviewDocument& doc, Band& band, double z, const RenderView& view,
               std::size_t first = 0, std::size_t last = SIZE_MAX) {
  const std::vector<PageItem>& items = doc.Page.Items;
  const Options& options = doc.Settings;
  const double line_width =
      options.ResolutionX * 0.4 / 72.27 * doc.Dvi.Magnification / 1000.0;
  const double aspect = options.ResolutionY / options.ResolutionX;
  Graphics graphics(band, z, line_width, aspect, view, doc.Report);
  for (std::size_t i = first; i < std::min(last, items.size()); ++i) {
    const PageItem& item = items[i];
    if (item.Kind <= ItemRule && (item.Width < 1 || item.Height < 1)) continue;
    switch (item.Kind) {
      case ItemImage: DrawImage(doc, band, item, z, view); break;
      case ItemPkChar:
      case ItemChineseChar: DrawGlyph(doc.Fonts, band, item, z, view); break;
      case ItemRule: DrawRule(band, item, z, view); break;
      case ItemEm: graphics.Item(items, i); break;
      case ItemEnd: graphics.End(); return;
      default: break;  // colours and unknown kinds draw nothing
    }
  }
  graphics.Flush();
}

// A figure: its picture at the zoom, or, when it has none, a frame of its
// place in the current colour.
void DrawFigure(PreviewDocument& doc, const Band& band, BandImage& colour, const PageItem& item,
                double z, const RenderView& view, RgbColour ink) {
  const std::vector<std::shared_ptr<const FigurePicture>>& figures = doc.Page.Figures;
  if (item.Ref() >= figures.size()) return;
  const int left = NearestInt(item.X * z) + view.MarginX - band.Left;
  const int top = NearestInt(item.Y * z) + view.MarginY - band.Top;
  const int width = std::max(1, Ceiling(item.Width * z));
  const int height = std::max(1, Ceiling(item.Height * z));
  const FigurePicture& figure = *figures[item.Ref()];
  if (figure.Problem != FigureProblem::None || figure.Picture.Rgb.empty()) {
    FrameRectangle(colour, band.Rows, left, top, left + width - 1, top + height - 1, ink);
    return;
  }
  LayPicture(colour, band.Rows, figure.Picture.Rgb.data(), figure.Picture.Width,
             figure.Picture.Height, left, top, width, height);
}

// The band rows [first, end) that items [start, stop) may put ink into: a
// few rows of slack round each item's box at the zoom (glyphs are sampled
// a little beyond their rows); every row for lines and images, whose ink
// is not bounded by their items.
std::pair<int, int> RowsOf(const std::vector<PageItem>& items, std::size_t start,
                           std::size_t stop, const Band& band, double z, const RenderView& view) {
  constexpr int kSlack = 4;
  int first = band.Rows;
  int end = 0;
  for (std::size_t i = start; i < stop; ++i) {
    const PageItem& item = items[i];
    if (item.Kind == ItemEm || item.Kind == ItemImage) return {0, band.Rows};
    if (item.Kind != ItemPkChar && item.Kind != ItemChineseChar && item.Kind != ItemRule) continue;
    const int top = NearestInt(item.Y * z) + view.MarginY - band.Top - kSlack;
    const int bottom = top + Ceiling(item.Height * z) + 2 * kSlack;
    first = std::min(first, std::max(top, 0));
    end = std::max(end, std::min(bottom, band.Rows));
  }
  return {first, end};
}

// A page with colour: each stretch of items in one colour is drawn as ink
// and laid over the colour band in that colour, in the order of the page.
// With a palette (a 1-bit page for a device that takes one), the colour
// band holds its indices.
void DrawColouredItems(PreviewDocument& doc, Band& band, BandImage& colour, double z,
                       const RenderView& view, const std::vector<RgbColour>* palette) {
  const std::vector<PageItem>& items = doc.Page.Items;
  const RgbColor paper = doc.Page.Background;
  if (palette) {
    StartIndexedBand(colour, band.Image, band.Rows, *palette);
  } else {
    StartColourBand(colour, band.Image, band.Rows, {paper.R, paper.G, paper.B});
  }
  RgbColour ink{0, 0, 0};
  std::size_t start = 0;
  for (std::size_t i = 0; i <= items.size(); ++i) {
    const bool end = i == items.size() || items[i].Kind == ItemEnd;
    if (!end && items[i].Kind != ItemDvipsColor && items[i].Kind != ItemFigure) continue;
    if (i > start) {
      // Only the rows of the band the stretch's items may touch are
      // cleared, drawn and laid: a colour is often a word or a line.
      const auto [first, end] = RowsOf(items, start, i, band, z, view);
      if (first < end) {
        auto rows = band.Image.Bits.begin() + static_cast<std::ptrdiff_t>(first) * band.Image.RowBytes;
        std::fill(rows, rows + static_cast<std::ptrdiff_t>(end - first) * band.Image.RowBytes, 0);
        DrawItems(doc, band, z, view, start, i);
        if (palette) {
          LayIndexedInk(colour, band.Image, first, end, IndexOfColour(*palette, ink));
        } else {
          LayInk(colour, band.Image, first, end, ink);
        }
      }
    }
    if (end) break;
    if (items[i].Kind == ItemFigure) {
      DrawFigure(doc, band, colour, items[i], z, view, ink);
    } else {
      ink = ColourOfRef(items[i].Ref());
    }
    start = i + 1;
  }
}

// Keeps the band bitmap when its width, height and depth stay the same.
bool PrepareBand(BandImage& band, int width, int rows, int depth, double gamma) {
  const int row_bytes = ((depth * width + 31) / 32) * 4;
  if (band.Width != width || band.Rows != rows || band.BitsPerPixel != depth) {
    band.Width = width;
    band.Rows = rows;
    band.BitsPerPixel = depth;
    band.RowBytes = row_bytes;
    band.Bits.assign(static_cast<std::size_t>(row_bytes) * rows, 0);
  }
  band.Palette = GreyPalette(1 << depth, gamma);
  return true;
}

}  // namespace

int BitsPerPixelFor(double zoom, int device_colour_count) {
  if (zoom >= kGreyBelowZoom) return 1;
  // Displays of 256 colours or more, or that say -1, count as 16-colour ones.
  if (device_colour_count >= 0 && device_colour_count < 16) return 1;
  return 4;
}

void DiscardZoomImages(PreviewDocument& doc) {
  FontRegistry& fonts = doc.Fonts;
  for (PkGlyph& glyph : fonts.PkGlyphs) glyph.Zoom = ZoomImage{};
  for (ChineseSlot& slot : fonts.Slots) {
    for (ChineseGlyph& glyph : slot.Glyphs) glyph.Zoom = ZoomImage{};
  }
  fonts.ZoomBytes = 0;
  doc.Render.ZoomOfImages = -1.0;
}

PageExtent PageExtentAt(const DviDocument& document, double zoom, int margin_x, int margin_y) {
  const auto side = [](double page, int margin) {
    const std::int64_t pixels = std::int64_t{TruncatedInt(page)} + 2 * std::int64_t{margin};
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels, INT32_MIN, INT32_MAX));
  };
  return {side(document.PageWidth() * zoom * document.ConversionX, margin_x),
          side(document.PageHeight() * zoom * document.ConversionY, margin_y)};
}

bool DrawPage(PreviewDocument& doc, RenderDevice& device, const PixelRect& update,
              double device_scale, const RenderView& view) {
  RendererState& state = doc.Render;
  if (state.Painting) return false;
  if (update.Right <= update.Left || update.Bottom <= update.Top) return true;
  state.Painting = true;
  const double z = view.Zoom;
  const int depth = BitsPerPixelFor(z, device.ColourCount());
  if (z != state.ZoomOfImages || depth != state.DepthOfImages) {
    DiscardZoomImages(doc);
    state.ZoomOfImages = z;
    state.DepthOfImages = depth;
  }
  const std::int64_t width = std::int64_t{update.Right} - update.Left;
  const std::int64_t row_bytes = ((depth * width + 31) / 32) * 4;
  const int rows =
      static_cast<int>(std::min<std::int64_t>(kBandBytes / row_bytes, std::int64_t{update.Bottom} - update.Top));
  if (rows <= 0) {
    state.Painting = false;
    doc.Report.Error(doc.Say(kRectangleTooWide));
    return false;
  }
  PrepareBand(state.Band, static_cast<int>(width), rows, depth, doc.Settings.Gamma);
  std::optional<std::vector<RgbColour>> palette;
  if (doc.Page.Coloured && depth == 1 && device.TakesPalette()) palette = IndexedColoursOf(doc.Page);
  const double scale = device_scale > 0.0 ? device_scale : 1.0;
  for (int top = update.Top; top < update.Bottom; top += std::min(rows, update.Bottom - top)) {
    const int band_rows = std::min(rows, update.Bottom - top);
    std::fill(state.Band.Bits.begin(), state.Band.Bits.end(), 0);
    Band band{state.Band, update.Left, top, band_rows};
    if (doc.Page.Coloured) {
      DrawColouredItems(doc, band, state.ColourBand, z, view, palette ? &*palette : nullptr);
      device.CopyBand(state.ColourBand, band_rows, NearestInt(update.Left / scale),
                      NearestInt(top / scale));
      continue;
    }
    DrawItems(doc, band, z, view);
    device.CopyBand(state.Band, band_rows, NearestInt(update.Left / scale), NearestInt(top / scale));
  }
  if (!view.LeaveOutFrame) {
    const PageExtent page = PageExtentAt(doc.Dvi, z, view.MarginX, view.MarginY);
    device.DrawFrame(0, 0, NearestInt((page.Width - 1.0) / scale),
                     NearestInt((page.Height - 1.0) / scale));
  }
  state.Painting = false;
  return true;
}

}  // namespace mox
