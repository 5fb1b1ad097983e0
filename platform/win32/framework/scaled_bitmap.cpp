#include "platform/win32/framework/scaled_bitmap.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "platform/dpi_scale.h"

namespace mox::win {
namespace {

BITMAPINFO TopDown(int width, int height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

unsigned Rgb(COLORREF colour) {
  return static_cast<unsigned>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 |
         GetBValue(colour);
}

unsigned ButtonColour(unsigned pixel) {
  switch (pixel & 0xFFFFFF) {
    case 0x000000: return Rgb(GetSysColor(COLOR_BTNTEXT));
    case 0x808080: return Rgb(GetSysColor(COLOR_BTNSHADOW));
    case 0xC0C0C0: return Rgb(GetSysColor(COLOR_BTNFACE));
    case 0xFFFFFF: return Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    default: return pixel & 0xFFFFFF;
  }
}

}  // namespace

Bitmap ScaledBitmap(HBITMAP source, int dpi, bool button_colours) {
  BITMAP shape{};
  if (source == nullptr || GetObjectW(source, sizeof shape, &shape) == 0 || shape.bmWidth <= 0 ||
      shape.bmHeight <= 0) {
    return Bitmap();
  }
  const int width = shape.bmWidth;
  const int height = shape.bmHeight;
  std::vector<unsigned> pixels(static_cast<std::size_t>(width) * height);
  BITMAPINFO read = TopDown(width, height, 32);
  {
    const WindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), source, 0, static_cast<UINT>(height), pixels.data(), &read,
                  DIB_RGB_COLORS) == 0) {
      return Bitmap();
    }
  }
  if (button_colours) {
    for (unsigned& pixel : pixels) pixel = ButtonColour(pixel);
  }
  int scaled_width = 0;
  int scaled_height = 0;
  const std::vector<unsigned> scaled =
      platform::ScalePicture(pixels, width, height, dpi, scaled_width, scaled_height);
  if (scaled.empty()) return Bitmap();
  // 24 bits: a 32-bit bitmap would be read as one with an alpha channel.
  const int stride = (scaled_width * 3 + 3) & ~3;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * scaled_height);
  for (int y = 0; y < scaled_height; ++y) {
    for (int x = 0; x < scaled_width; ++x) {
      const unsigned pixel = scaled[static_cast<std::size_t>(y) * scaled_width + x];
      BYTE* out = &rows[static_cast<std::size_t>(y) * stride + x * 3];
      out[0] = static_cast<BYTE>(pixel & 0xFF);
      out[1] = static_cast<BYTE>(pixel >> 8 & 0xFF);
      out[2] = static_cast<BYTE>(pixel >> 16 & 0xFF);
    }
  }
  const BITMAPINFO write = TopDown(scaled_width, scaled_height, 24);
  const WindowDc screen(nullptr);
  return Bitmap(CreateDIBitmap(screen.Get(), &write.bmiHeader, CBM_INIT, rows.data(), &write,
                               DIB_RGB_COLORS));
}

ToolImages::ToolImages(const std::vector<int>& resource_ids, int size, int dpi)
    : size_(platform::ScaleToDpi(size, dpi)) {
  list_ = ImageList_Create(size_, size_, ILC_COLOR24 | ILC_MASK,
                           static_cast<int>(resource_ids.size()), 0);
  if (list_ == nullptr) return;
  for (const int id : resource_ids) {
    const Bitmap glyph(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    const Bitmap scaled = ScaledBitmap(glyph.Get(), dpi, true);
    // An empty place keeps the indices of the glyphs after a missing one.
    if (!scaled || ImageList_AddMasked(list_, scaled.Get(), GetSysColor(COLOR_BTNFACE)) < 0) {
      const Bitmap blank(CreateBitmap(size_, size_, 1, 1, nullptr));
      ImageList_Add(list_, blank.Get(), nullptr);
    }
  }
}

ToolImages::~ToolImages() {
  if (list_ != nullptr) ImageList_Destroy(list_);
}

ToolImages::ToolImages(ToolImages&& other) noexcept
    : list_(std::exchange(other.list_, nullptr)), size_(other.size_) {}

ToolImages& ToolImages::operator=(ToolImages&& other) noexcept {
  if (this != &other) {
    if (list_ != nullptr) ImageList_Destroy(list_);
    list_ = std::exchange(other.list_, nullptr);
    size_ = other.size_;
  }
  return *this;
}

}  // namespace mox::win
