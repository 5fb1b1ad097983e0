#include "previewer/text/link_collector.h"

#include <algorithm>

#include "previewer/base/document.h"
#include "previewer/base/nearest_int.h"
#include "previewer/text/text_flow.h"

namespace mox {

LinkCollector::Point LinkCollector::PixelsAt(std::int32_t h, std::int32_t v) const {
  return {NearestInt(h * document_.ConversionX), NearestInt(v * document_.ConversionY)};
}

LinkCollector::Point LinkCollector::Raised(std::int32_t h, std::int32_t v, double points) const {
  // DVI units a TeX point: the unit is num/den of 10^-7 m, a point 1/72.27 in.
  const double units_per_point =
      document_.Num == 0 ? 65536.0 : 254000.0 * document_.Den / (72.27 * document_.Num);
  const Point at = PixelsAt(h, v);
  return {at.X, NearestInt(at.Y - points * units_per_point * document_.ConversionY)};
}

void LinkCollector::Mark(const LinkSpecial& special, std::int32_t h, std::int32_t v) {
  switch (special.Kind) {
    case LinkSpecialKind::LinkStart: {
      PageLink link;
      link.Internal = !special.Text.empty() && special.Text.front() == '#';
      link.Target = link.Internal ? special.Text.substr(1) : special.Text;
      page_.Links.push_back(std::move(link));
      open_link_ = page_.Links.size() - 1;
      line_open_ = false;
      break;
    }
    case LinkSpecialKind::AnchorStart: {
      const Point at = PixelsAt(h, v);
      page_.Anchors.push_back({special.Text, at.X, at.Y});
      break;
    }
    case LinkSpecialKind::End:
      // A link with nothing set inside covers nothing.
      if (open_link_ && page_.Links[*open_link_].Rectangles.empty()) page_.Links.pop_back();
      open_link_.reset();
      break;
    case LinkSpecialKind::CornerStart:
      start_corner_ = PixelsAt(h, v);
      break;
    case LinkSpecialKind::CornerEnd:
      end_corner_ = Raised(h, v, special.RaisePoints);
      if (special.SetsView) view_ = end_corner_;
      break;
    case LinkSpecialKind::Annotation:
      if (start_corner_ && end_corner_) {
        PageLink link;
        link.Target = special.Text;
        link.Internal = special.Internal;
        TextBox box{std::min(start_corner_->X, end_corner_->X),
                    std::min(start_corner_->Y, end_corner_->Y),
                    std::max(start_corner_->X, end_corner_->X),
                    std::max(start_corner_->Y, end_corner_->Y)};
        if (!box.Empty()) {
          link.Rectangles.push_back(box);
          page_.Links.push_back(std::move(link));
        }
      }
      start_corner_.reset();
      end_corner_.reset();
      break;
    case LinkSpecialKind::Destination: {
      const Point at = view_ ? *view_ : PixelsAt(h, v);
      page_.Anchors.push_back({special.Text, at.X, at.Y});
      view_.reset();
      start_corner_.reset();
      end_corner_.reset();
      break;
    }
  }
}

void LinkCollector::Ink(const TextBox& box, std::int32_t v, std::int32_t quad) {
  if (!open_link_ || box.Empty()) return;
  std::vector<TextBox>& rectangles = page_.Links[*open_link_].Rectangles;
  const bool rule = quad == 0;
  if (line_open_ && (rule || SameLine(line_v_, v, std::max(quad, line_quad_)))) {
    rectangles.back().Add(box);
    return;
  }
  rectangles.push_back(box);
  line_open_ = true;
  line_v_ = v;
  line_quad_ = quad;
}

}  // namespace mox
