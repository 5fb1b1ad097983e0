// The caret position the frame shows in Label4: the line and the column,
// both counted from 1, the column in GBK bytes (a Chinese character counts
// two), as "line,column".
#pragma once

#include <string>
#include <string_view>

namespace mox::varelo {

// line_index counts from 0; line_before_caret is the text of the caret's
// line up to the caret.
std::string CaretLabel(long line_index, std::u16string_view line_before_caret);

}  // namespace mox::varelo
