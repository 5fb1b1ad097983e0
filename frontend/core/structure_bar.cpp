#include "frontend/core/structure_bar.h"

#include <array>

namespace mox::varelo {
namespace {

constexpr StructureAction kTopic = StructureAction::ShowTopic;
constexpr StructureAction kInsert = StructureAction::Insert;

constexpr std::array<StructureButton, 21> kButtons = {{
    {"SpeedButton18", "TeX格式", kTopic, "格式"},
    {"SpeedButton26", "页面", kTopic, "页面"},
    {"SpeedButton19", "章节", kTopic, "章节"},
    {"SpeedButton20", "字体", kTopic, "字体"},
    {"SpeedButton21", "字号", kTopic, "字号"},
    {"SpeedButton28", "列表", kTopic, "表格"},
    {"SpeedButton25", "填充", kTopic, "填充"},
    {"SpeedButton27", "对齐", kTopic, "对齐"},
    {"SpeedButton22", "间距", kTopic, "间距"},
    {"SpeedButton31", "换行", kTopic, "换行"},
    {"SpeedButton38", "回车", kInsert, "\r\n"},
    {"SpeedButton30", "$$", kInsert, "$$"},
    {"SpeedButton32", "上下标", kInsert, "{}_{}^{}"},
    {"SpeedButton37", "修饰", kTopic, "修饰"},
    {"SpeedButton33", "分式", kTopic, "分数"},
    {"SpeedButton34", "根式", kTopic, "根式"},
    {"SpeedButton35", "微积分", kTopic, "极限"},
    {"SpeedButton24", "矩阵", kTopic, "矩阵"},
    {"SpeedButton23", "方程组", kTopic, "方程"},
    {"SpeedButton29", "框盒", kTopic, "框盒"},
    {"SpeedButton36", "作图", kTopic, "图表"},
}};

}  // namespace

std::span<const StructureButton> StructureButtons() { return kButtons; }

}  // namespace mox::varelo
