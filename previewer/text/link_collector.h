// Puts a page's link specials together as the page is read: hypertex's
// links cover the characters and rules set between their tags, a
// rectangle a line; the dvips driver's are the rectangle between the
// corner marks before their annotation. Anchors are where their tag is,
// or the view the last corner mark set.
#pragma once

#include <cstdint>
#include <optional>

#include "previewer/text/link_specials.h"
#include "previewer/text/page_text.h"

namespace mox {

struct DviDocument;

class LinkCollector {
 public:
  LinkCollector(const DviDocument& document, PageText& page) : document_(document), page_(page) {}

  // A link special at the DVI position h, v.
  void Mark(const LinkSpecial& special, std::int32_t h, std::int32_t v);
  // Something set on the page: a character on the baseline v of a font of
  // that quad, or a rule (quad 0), which joins the current line.
  void Ink(const TextBox& box, std::int32_t v, std::int32_t quad);

 private:
  struct Point {
    std::int32_t X;
    std::int32_t Y;
  };
  Point PixelsAt(std::int32_t h, std::int32_t v) const;
  Point Raised(std::int32_t h, std::int32_t v, double points) const;

  const DviDocument& document_;
  PageText& page_;
  // hypertex: the link being set (an index into the page's links), and the
  // baseline of its last rectangle.
  std::optional<std::size_t> open_link_;
  std::int32_t line_v_ = 0;
  std::int32_t line_quad_ = 0;
  bool line_open_ = false;
  // dvips: the corners marked since the last annotation, and the view the
  // last destination shows.
  std::optional<Point> start_corner_;
  std::optional<Point> end_corner_;
  std::optional<Point> view_;
};

}  // namespace mox
