#include "previewer/dvi/page_buffer.h"

namespace mox {

const char* ImageNameOf(const PageBuffer& buffer, const PageItem& item) {
  if (item.Kind != ItemImage || item.Ref() >= buffer.ImageNames.size()) return "";
  return buffer.ImageNames.data() + item.Ref();
}

}  // namespace mox
