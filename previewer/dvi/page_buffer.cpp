#include "previewer/dvi/page_buffer.h"

namespace mox {

PageBuffer& ThePageBuffer() {
  static PageBuffer buffer;
  return buffer;
}

void ReleasePageBuffer() { ThePageBuffer() = PageBuffer{}; }

const char* ImageNameOf(const PageItem& item) {
  const PageBuffer& buffer = ThePageBuffer();
  if (item.Kind != ItemImage || item.Ref() >= buffer.ImageNames.size()) return "";
  return buffer.ImageNames.data() + item.Ref();
}

}  // namespace mox
