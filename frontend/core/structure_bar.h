// The structure bar's buttons left to right: eighteen open the TeX command
// assistant at the first entry of a topic, three insert a fixed piece of TeX.
#pragma once

#include <span>
#include <string_view>

namespace mox::varelo {

enum class StructureAction { ShowTopic, Insert };

struct StructureButton {
  std::string_view Control;  // the designer's button name
  std::string_view Caption;  // GBK
  StructureAction Action;
  // The assistant's search text (not always the caption: "列表" looks for
  // "表格"), or the text inserted.
  std::string_view Argument;
};

std::span<const StructureButton> StructureButtons();

}  // namespace mox::varelo
