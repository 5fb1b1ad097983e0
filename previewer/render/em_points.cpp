#include "previewer/render/em_points.h"

#include "platform/text_format.h"
#include "previewer/dvi/dvi_document.h"

namespace mox {
namespace {

constexpr double kFraction = 0.00003051850947599719;  // 1 / 32767

bool IsPoint(const PageItem& item, std::uint32_t number) {
  return item.Kind == ItemEm && (EmCommandOfRef(item.Ref()) & 0x0F) == 0 &&
         (item.Ref() & 0xFFFF) == (number & 0xFFFF);
}

}  // namespace

std::optional<DevicePoint> FindEmPoint(const std::vector<PageItem>& items, std::uint32_t number,
                                       std::size_t line, double zoom, int x_origin,
                                       int y_origin, Reporter& report) {
  const PageItem* found = nullptr;
  for (std::size_t i = line; i-- > 0;) {
    if (items[i].Kind == ItemEnd) break;
    if (IsPoint(items[i], number)) {
      found = &items[i];
      break;
    }
  }
  for (std::size_t i = line + 1; found == nullptr && i < items.size(); ++i) {
    if (items[i].Kind == ItemEnd) break;
    if (IsPoint(items[i], number)) found = &items[i];
  }
  if (found == nullptr) {
    report.Warning(Format("em:point %d undefined, line ignored.", static_cast<int>(number)));
    return std::nullopt;
  }
  return DevicePoint{x_origin + NearestInt((found->X + found->Width * kFraction) * zoom),
                     y_origin + NearestInt((found->Y + found->Height * kFraction) * zoom)};
}

}  // namespace mox
