#include "tools/moxrender/page_pictures.h"

#include <algorithm>

#include "platform/text_format.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/render/page_renderer.h"
#include "previewer/startup/dimension.h"
#include "previewer/startup/options.h"

namespace mox {

MemoryDevice DrawPicture(const PictureSettings& settings) {
  const Options& options = CurrentOptions();
  const DviDocument& document = Document();
  const double z = settings.Zoom;
  // The margins as the window computes them: pixels at zoom 1, then scaled.
  const int margin_x = NearestInt(DimensionToPixels(options.MarginX, options.ResolutionX) * z);
  const int margin_y = NearestInt(DimensionToPixels(options.MarginY, options.ResolutionY) * z);
  const int width = static_cast<int>(document.MaxWidth * z * document.ConversionX) + 2 * margin_x;
  const int height =
      static_cast<int>(document.MaxHeightDepth * z * document.ConversionY) + 2 * margin_y;
  MemoryDevice device(std::max(width, 1), std::max(height, 1));
  DrawPage(device, {0, 0, device.Width(), device.Height()}, 1.0,
           {z, margin_x, margin_y, settings.LeaveOutFrame});
  return device;
}

std::string PictureFileName(const std::string& pattern, int page, bool several) {
  const std::size_t mark = pattern.find("%d");
  if (mark != std::string::npos) {
    return pattern.substr(0, mark) + std::to_string(page) + pattern.substr(mark + 2);
  }
  if (!several) return pattern;
  const std::size_t dot = pattern.rfind('.');
  const std::size_t separator = FindLastOfGbk(pattern, "/\\:");
  const bool has_extension =
      dot != std::string::npos && (separator == std::string::npos || dot > separator);
  const std::string suffix = "-" + std::to_string(page);
  return has_extension ? pattern.substr(0, dot) + suffix + pattern.substr(dot) : pattern + suffix;
}

}  // namespace mox
