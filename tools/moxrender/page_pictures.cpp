#include "tools/moxrender/page_pictures.h"

#include <algorithm>

#include "platform/text_format.h"
#include "previewer/base/nearest_int.h"
#include "previewer/dvi/page_frame.h"
#include "previewer/render/page_renderer.h"
#include "previewer/startup/dimension.h"
#include "previewer/startup/options.h"
#include "previewer/render/preview_document.h"

namespace mox {

PictureGeometry PictureGeometryAt(const PreviewDocument& doc, double zoom) {
  // The margins as the window computes them: pixels at zoom 1, then scaled.
  const PageMargins margins = PageMarginsOf(doc);
  const int margin_x = NearestInt(margins.X * zoom);
  const int margin_y = NearestInt(margins.Y * zoom);
  const PageExtent page = PageExtentAt(doc.Dvi, zoom, margin_x, margin_y);
  return {std::max(page.Width, 1), std::max(page.Height, 1), margin_x, margin_y};
}

bool PictureFits(const PictureGeometry& geometry) {
  return geometry.Width <= kMaxPictureSide && geometry.Height <= kMaxPictureSide &&
         static_cast<long long>(geometry.Width) * geometry.Height <= kMaxPicturePixels;
}

bool DrawPicture(PreviewDocument& doc, RenderDevice& device, const PictureGeometry& geometry,
                 double zoom, bool leave_out_frame) {
  return DrawPage(doc, device, {0, 0, geometry.Width, geometry.Height}, 1.0,
                  {zoom, geometry.MarginX, geometry.MarginY, leave_out_frame});
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
  std::string name = has_extension ? pattern.substr(0, dot) : pattern;
  name.append("-").append(std::to_string(page));
  if (has_extension) name.append(pattern, dot, std::string::npos);
  return name;
}

}  // namespace mox
