#include "previewer/shell/gdi_render_device.h"

#include <algorithm>
#include <vector>

#include "platform/win32/gdi.h"

namespace mox {

int GdiRenderDevice::ColourCount() const { return GetDeviceCaps(dc_, NUMCOLORS); }

void GdiRenderDevice::CopyBand(const BandImage& band, int rows, int x, int y) {
  // A BITMAPINFO with room for the 16 colours of a grey band.
  std::vector<std::uint8_t> storage(sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD), 0);
  auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = band.Width;
  info->bmiHeader.biHeight = -rows;  // top row first
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(band.BitsPerPixel);
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biClrUsed = static_cast<DWORD>(std::min<std::size_t>(band.Palette.size(), 16));
  // The colour table follows the header; BITMAPINFO declares room for one.
  auto* colours = reinterpret_cast<RGBQUAD*>(storage.data() + sizeof(BITMAPINFOHEADER));
  for (std::size_t i = 0; i < info->bmiHeader.biClrUsed; ++i) {
    colours[i] = {band.Palette[i].Blue, band.Palette[i].Green, band.Palette[i].Red, 0};
  }
  SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(band.Width), static_cast<DWORD>(rows), 0, 0, 0,
                    static_cast<UINT>(rows), band.Bits.data(), info, DIB_RGB_COLORS);
}

void GdiRenderDevice::DrawFrame(int left, int top, int right, int bottom) {
  win::Pen pen(CreatePen(PS_DOT, 1, RGB(0, 0, 255)));
  win::Selection selected(dc_, pen.Get());
  const int old_mode = SetROP2(dc_, R2_MASKPEN);
  MoveToEx(dc_, left, top, nullptr);
  LineTo(dc_, right, top);
  LineTo(dc_, right, bottom);
  LineTo(dc_, left, bottom);
  LineTo(dc_, left, top);
  SetROP2(dc_, old_mode);
}

}  // namespace mox
