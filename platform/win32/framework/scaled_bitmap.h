// Pictures made for 96 dpi drawn at a window's DPI: every screen pixel
// shows one picture pixel (platform::ScalePicture), so glyphs and palettes
// grow without blur and a palette's hit test maps back exactly.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "platform/win32/gdi.h"

namespace mox::win {

// A 24-bit copy of `source` at `dpi`. With `button_colours` the four
// colours of tool-bar glyphs (black, dark grey, light grey, white) become
// the system's button colours, as the tool bar does with the glyphs it
// loads itself.
Bitmap ScaledBitmap(HBITMAP source, int dpi, bool button_colours);

// The glyphs of a tool bar (bitmap resources of `size` square at 96 dpi,
// in the colours of tool-bar glyphs) at `dpi`, in an image list whose
// button-face colour is transparent, as the tool bar makes of glyphs it
// loads itself; the glyphs' indices are their places in `resource_ids`.
// The bar shows it after TB_SETIMAGELIST and the owner keeps it for as
// long as the bar does.
class ToolImages {
 public:
  ToolImages() = default;
  ToolImages(const std::vector<int>& resource_ids, int size, int dpi);
  ~ToolImages();
  ToolImages(ToolImages&& other) noexcept;
  ToolImages& operator=(ToolImages&& other) noexcept;
  ToolImages(const ToolImages&) = delete;
  ToolImages& operator=(const ToolImages&) = delete;

  HIMAGELIST Get() const { return list_; }
  int Size() const { return size_; }

 private:
  HIMAGELIST list_ = nullptr;
  int size_ = 0;
};

}  // namespace mox::win
