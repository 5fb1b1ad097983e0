// The texts of the TeX command assistant and the user phrase dialog, for
// the windows that show them (GBK once compiled).
#pragma once

#include <string_view>

namespace mox::varelo {

// The assistant's caption, column headings, hints and label.
inline constexpr std::string_view kAssistantCaption = "ΤEΧ  命令输入助手";
inline constexpr std::string_view kAssistantDescriptionHeading = "说明";
inline constexpr std::string_view kAssistantTextHeading = "辅助输入";
inline constexpr std::string_view kAssistantListHint = "请双击鼠标键选择ΤEΧ命令";
inline constexpr std::string_view kAssistantEditLabel = "选择ΤEΧ命令∶";
inline constexpr std::string_view kAssistantOkHint = "请选择ΤEΧ命令";
inline constexpr std::string_view kAssistantHelpHint = "在浏览器中打开 LaTeX 命令参考";

// The phrase dialog's caption ends with this.
inline constexpr std::string_view kPhraseCaptionEnd = "自定义术语短句输入助手";
inline constexpr std::string_view kPhraseCaption = "用户自定义术语短句输入助手";
inline constexpr std::string_view kPhraseHeadings = " 描述与说明       用户自定义宏内容";
// The two halves of the headings, one over each column of the grid (whose
// columns can be dragged, the headings with them).
inline constexpr std::string_view kPhraseDescriptionHeading = "描述与说明";
inline constexpr std::string_view kPhraseTextHeading = "用户自定义宏内容";
inline constexpr std::string_view kPhraseListHint = "请双击鼠标键选择宏，单击进入修改，修改后请注意保存。";
inline constexpr std::string_view kPhraseEditLabel = "选择术语短句∶";
inline constexpr std::string_view kPhraseOkHint = "选择自定义宏";
inline constexpr std::string_view kPhraseSaveHint = "保存自定义宏";
inline constexpr std::string_view kPhraseHelpHint = "关于自定义宏";

// Buttons of both dialogs.
inline constexpr std::string_view kSelectButton = "选择[&Y]";
inline constexpr std::string_view kSaveButton = "存盘[&S]";
inline constexpr std::string_view kHelpButton = "帮助[&H]";
inline constexpr std::string_view kCancelButton = "取消[&C]";

// The assistant's list: column width (grid width - 30) / 2, rows 21 high.
inline constexpr int kListRowHeight = 21;
inline constexpr int ListColumnWidth(int grid_width) { return (grid_width - 30) / 2; }

}  // namespace mox::varelo
