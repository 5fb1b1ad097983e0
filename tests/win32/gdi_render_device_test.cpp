// The renderer's Windows device draws what the memory device draws: the
// same page into a DIB section through SetDIBitsToDevice, and the frame with
// the same dots.
#include "previewer/shell/gdi_render_device.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/memory_device.h"
#include "previewer/render/page_renderer.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {
namespace {

constexpr std::int32_t kPoint = 65536;

// A 32-bit DIB section in a memory device context, white at the start.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    selection_.emplace(dc_.Get(), bitmap_.Get());
    std::fill_n(static_cast<std::uint32_t*>(bits_), static_cast<std::size_t>(width) * height,
                0xFFFFFFu);
  }
  HDC Dc() const { return dc_.Get(); }
  RgbColour Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t value = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
  }

 private:
  int width_;
  int height_;
  win::MemoryDc dc_{nullptr};
  win::Bitmap bitmap_;
  std::optional<win::Selection> selection_;  // goes first: the bitmap leaves the DC
  void* bits_ = nullptr;
};

class GdiRenderDeviceTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc_.Settings.ResolutionX = 72.27;
    doc_.Settings.ResolutionY = 72.27;
    DiscardZoomImages(doc_);
    DviWriter dvi;
    dvi.Preamble("device test");
    dvi.BeginPage(1).Down(60 * kPoint).Right(10 * kPoint).Font(0).SetChar('A').Right(30 * kPoint)
        .SetRule(20 * kPoint, 45 * kPoint).Special("em:point 1").Down(40 * kPoint)
        .Right(50 * kPoint).Special("em:point 2").Special("em:line 1,2,2pt").EndPage();
    dvi.Finish({.MaxHeightDepth = 150 * kPoint, .MaxWidth = 150 * kPoint,
                .Fonts = {{.Number = 0, .Name = "cmr10"}}});
    ASSERT_EQ(OpenBytes(dvi.Data()), 0);
    ASSERT_EQ(PreScan(doc_), 0);
    PkGlyph& glyph = doc_.Fonts.PkGlyphs[0];
    glyph.Width = 19;
    glyph.Height = 23;
    glyph.YOffset = 22;
    glyph.Bitmap.assign(3 * 23, 0);
    for (int i = 0; i < 3 * 23; ++i) glyph.Bitmap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x5A ^ i);
    ASSERT_EQ(ScanPage(doc_, 0), 0);
  }
};

TEST_F(GdiRenderDeviceTest, BandsLookAsInMemoryAtEveryDepth) {
  for (double zoom : {1.0, 0.6, 0.25}) {
    DiscardZoomImages(doc_);
    MemoryDevice memory(200, 200, 16);
    DrawPage(doc_, memory, {0, 0, 200, 200}, 1.0, {zoom, 7, 7, true});
    Canvas canvas(200, 200);
    GdiRenderDevice device(canvas.Dc());
    // Painted in two update rectangles, as a window gets them.
    DrawPage(doc_, device, {0, 0, 200, 90}, 1.0, {zoom, 7, 7, true});
    DrawPage(doc_, device, {0, 90, 200, 200}, 1.0, {zoom, 7, 7, true});
    int different = 0;
    int ink = 0;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 200; ++x) {
        const RgbColour a = memory.Pixel(x, y);
        const RgbColour b = canvas.Pixel(x, y);
        different += a.Red != b.Red || a.Green != b.Green || a.Blue != b.Blue;
        ink += a.Red != 255;
      }
    }
    EXPECT_EQ(different, 0) << zoom;
    EXPECT_GT(ink, 50) << zoom;
  }
}

TEST_F(GdiRenderDeviceTest, TheFrameHasTheDotsOfTheMemoryDevice) {
  MemoryDevice memory(200, 200, 16);
  DrawPage(doc_, memory, {0, 0, 200, 200}, 1.0, {1.0, 10, 10, false});
  Canvas canvas(200, 200);
  GdiRenderDevice device(canvas.Dc());
  DrawPage(doc_, device, {0, 0, 200, 200}, 1.0, {1.0, 10, 10, false});
  std::string gdi_dots;
  std::string memory_dots;
  for (int x = 0; x < 24; ++x) {
    gdi_dots += canvas.Pixel(x, 0).Red == 0 ? '#' : '.';
    memory_dots += memory.Pixel(x, 0).Red == 0 ? '#' : '.';
  }
  EXPECT_EQ(memory_dots, gdi_dots);
  // Every side of the frame, as each device drew it.
  auto side = [](auto pixel, int x0, int y0, int dx, int dy, int n) {
    std::string dots;
    for (int i = 0; i < n; ++i) dots += pixel(x0 + i * dx, y0 + i * dy).Red == 0 ? '#' : '.';
    return dots;
  };
  auto gdi = [&](int x, int y) { return canvas.Pixel(x, y); };
  auto mem = [&](int x, int y) { return memory.Pixel(x, y); };
  const int right = 150 + 20 - 1;
  EXPECT_EQ(side(mem, right, 0, 0, 1, 40), side(gdi, right, 0, 0, 1, 40)) << "right";
  EXPECT_EQ(side(mem, right, right, -1, 0, 40), side(gdi, right, right, -1, 0, 40)) << "bottom";
  EXPECT_EQ(side(mem, 0, right, 0, -1, 170), side(gdi, 0, right, 0, -1, 170)) << "left";
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      const RgbColour a = memory.Pixel(x, y);
      const RgbColour b = canvas.Pixel(x, y);
      ASSERT_TRUE(a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue) << x << "," << y;
    }
  }
}

TEST(GdiRenderDeviceColoursTest, AScreenDeviceContextReportsItsColours) {
  const win::WindowDc screen(nullptr);
  GdiRenderDevice device(screen.Get());
  const int colours = device.ColourCount();
  EXPECT_TRUE(colours == -1 || colours >= 2) << colours;
}

}  // namespace
}  // namespace mox::test
