#include "frontend/core/caret_label.h"

#include "frontend/core/gbk_view.h"
#include "platform/text_format.h"

namespace mox::varelo {

std::string CaretLabel(long line_index, std::u16string_view line_before_caret) {
  const GbkView bytes(line_before_caret);
  return Format("%ld,%lu", line_index + 1, static_cast<unsigned long>(bytes.Bytes().size() + 1));
}

}  // namespace mox::varelo
