#include "frontend/core/commands.h"

namespace mox::varelo {
namespace {

constexpr MenuItem kSeparator{};

Shortcut Control(char letter) { return Shortcut{letter, true}; }

// New, open and save have the keys every editor gives them.
constexpr MenuItem kNewItem{CM_NEW, "新建[&N]", Shortcut{'N', true}};

}  // namespace

const std::vector<Menu>& FrameMenus() {
  static const std::vector<Menu> menus = {
      {"文件(&F)", 0,
       {kNewItem, {CM_OPEN, "打开[&O]", Control('O')}, kSeparator, {CM_EXIT, "退出[&x]"}}},
      {"&TeX ", 9,
       {{CM_COMPILE, "编译[&C]"},
        {CM_TEX_ASSISTANT, "TeX 输入助手[&X]"},
        {CM_PHRASES, "短语输入助手[&I]"},
        kSeparator,
        {CM_SOURCE_SPECIALS, "编译时记录源文件位置[&S]"},
        {CM_FORWARD_SEARCH, "在预览中显示本行[&V]", Control('J')},
        kSeparator,
        {CM_BUILD_PANEL, "编译信息窗口[&M]"},
        {CM_NEXT_MESSAGE, "下一条编译信息[&N]", Shortcut{kKeyF4}},
        {CM_PREVIOUS_MESSAGE, "上一条编译信息[&P]", Shortcut{kKeyF4, false, true}}}},
      {"批命令(&B)", 9,
       {{CM_ABOUT_BATCH, "关于批处理文件"},
        kSeparator,
        {CM_BATCH_FIRST + 0, "MOXex.bat"},
        {CM_BATCH_FIRST + 1, "&LateX.bat"},
        {CM_BATCH_FIRST + 2, "&AmsTeX.bat"},
        {CM_BATCH_FIRST + 3, "&EmTeX.bat"},
        {CM_BATCH_FIRST + 4, "&PcTeX.bat"},
        {CM_BATCH_FIRST + 5, "&TeX.bat"},
        {CM_BATCH_FIRST + 6, "&MiKTeX.bat"},
        {CM_BATCH_FIRST + 7, "&BibTeX.bat"},
        kSeparator,
        {CM_BATCH_FIRST + 8, "&Compile.bat"},
        {CM_BATCH_FIRST + 9, "&View.bat"},
        {CM_BATCH_FIRST + 10, "&DviPrint.bat"},
        {CM_BATCH_FIRST + 11, "C&lean.bat"},
        kSeparator,
        {CM_BATCH_FIRST + 12, "Dv&iPs.bat"},
        {CM_BATCH_FIRST + 13, "PDFLaTeX.bat"},
        {CM_BATCH_FIRST + 14, "PDFTeX.bat"},
        kSeparator,
        {CM_BATCH_FIRST + 15, "User&1.bat"},
        {CM_BATCH_FIRST + 16, "User&2.bat"},
        {CM_BATCH_FIRST + 17, "User&3.bat"},
        {CM_BATCH_FIRST + 18, "User&4.bat"},
        {CM_BATCH_FIRST + 19, "User&5.bat"},
        {CM_BATCH_FIRST + 20, "User&6.bat"}}},
      {"模板(&M)", 9,
       {{CM_TEMPLATE_FIRST + 0, "中文MO&X 模板"},
        {CM_TEMPLATE_FIRST + 1, " L&aTeX  模板"},
        {CM_TEMPLATE_FIRST + 2, " LaT&eX  书信"},
        {CM_TEMPLATE_FIRST + 3, " A&msTeX 模板"},
        {CM_TEMPLATE_FIRST + 4, "Sci&Word 模板"},
        {CM_TEMPLATE_FIRST + 5, " B&ibTeX 数据"},
        kSeparator,
        {CM_TEMPLATE_FIRST + 6, "Myctx&1.ctx"},
        {CM_TEMPLATE_FIRST + 7, "Myctx&2.ctx"},
        {CM_TEMPLATE_FIRST + 8, "Myctx3.ctx"},
        {CM_TEMPLATE_FIRST + 9, "Myctx&4.ctx"},
        {CM_TEMPLATE_FIRST + 10, "Mytex&A.tex"},
        {CM_TEMPLATE_FIRST + 11, "Mytex&B.tex"},
        {CM_TEMPLATE_FIRST + 12, "Mytex&C.tex"},
        {CM_TEMPLATE_FIRST + 13, "Mytex&D.tex"},
        kSeparator,
        {CM_ABOUT_TEMPLATES, "关于模板"}}},
      {"窗口(&W)", 9,
       {{CM_TILE_HORIZONTAL, "水平平铺[&H]"},
        {CM_TILE_VERTICAL, "垂直平铺[&V]"},
        {CM_ARRANGE_ICONS, "重排图标[&A]"},
        {CM_CASCADE, "层叠[&C]"},
        {CM_NEXT_WINDOW, "下一个窗口[&N]", Shortcut{kKeyTab, true}},
        {CM_PREVIOUS_WINDOW, "上一个窗口[&P]", Shortcut{kKeyTab, true, true}},
        kSeparator,
        {CM_EXPLORER, "资源管理器[&E]"},
        {CM_COMMAND_PROMPT, "MS &DOS 环境"}}},
      {"帮助(&H)", 9,
       {{CM_TUTORIAL, "&TeX 速成教程"},
        {CM_HELP_LATEX, "&LaTeX  宝典"},
        {CM_HELP_PCTEX, "&PcTeX  宝典"},
        {CM_HELP_MIKTEX, "&MiKTeX 宝典"},
        kSeparator,
        {CM_NEWS, "最新信息[&N]"},
        {CM_ABOUT, "关于Varelo[&A]"}}},
      {"&Email", 9,
       {{CM_MAIL_AUTHOR, "给作者写信[&W]..."}, {CM_MAIL_REPORT, "报告问题[&R]..."}}},
  };
  return menus;
}

const std::vector<Menu>& EditorMenus() {
  static const std::vector<Menu> menus = {
      {"文件[&F]", 0,
       {kNewItem,
        {CM_OPEN, "打开[&O]...", Control('O')},
        {CM_CLOSE, "关闭[&C]"},
        {CM_SAVE, "保存[&S]", Control('S')},
        {CM_SAVE_AS, "另存为[&a]"},
        {CM_PRINT, "打印[&P]"},
        {CM_PRINTER_SETUP, "打印设置"},
        kSeparator,
        {CM_EXIT, "退出[&x]"}}},
      {"编辑[&E]", 1,
       {{CM_UNDO, "撤消", Control('Z')},
        {CM_REDO, "重做", Control('Y')},
        kSeparator,
        {CM_CUT, "剪切[&t]", Control('X')},
        {CM_COPY, "复制[&C]", Control('C')},
        {CM_PASTE, "粘贴[&P]", Control('V')},
        {CM_DELETE, "删除[&l]", Control('D')},
        kSeparator,
        {CM_SELECT_ALL, "全选[&a]", Control('A')},
        kSeparator,
        {CM_FIND, "查找", Control('F')},
        {CM_FIND_NEXT, "查找下一个", Shortcut{kKeyF3, false}},
        {CM_REPLACE, "替换", Control('H')},
        kSeparator,
        {CM_MATCH_BRACE, "转到配对括号", Shortcut{kKeyCloseBracket, true}}}},
      {"视图[&V]", 1,
       {{CM_WORD_WRAP, "&Word wrap"},
        // The font item has a caption here: without one it is an empty
        // line nobody can tell what it does.
        {CM_FONT, "字体[&F]..."},
        kSeparator,
        {CM_ALIGN_LEFT, "&Left", {}, true},
        {CM_ALIGN_RIGHT, "&Right"},
        {CM_ALIGN_CENTER, "&Center"},
        kSeparator,
        {CM_STRUCTURE_BAR, "控制页面"},
        {CM_PALETTE_BAR, "数学符号", {}, true},
        kSeparator,
        {CM_TEX_COLOURING, "TeX 着色[&T]", {}, true}}},
  };
  return menus;
}

const std::vector<ToolButton>& ToolBarButtons() {
  static const std::vector<ToolButton> buttons = {
      {CM_NEW, "new", "新建", "新建文本文件"},                         // SpeedButton3
      {CM_OPEN, "open", "打开", "打开文本文件"},                       // SBOpen
      {CM_SAVE_ACTIVE, "save", "保存", "保存编辑文件"},                // SBClose
      {CM_COPY, "copy", "复制", "复制到剪贴板"},                       // SBCopy
      {CM_PASTE, "paste", "粘贴", "从剪贴板粘贴"},                     // SBPaste
      {CM_CUT, "cut", "剪切", "剪切到剪贴板"},                         // SBCut
      {CM_FIND, "find", "查找", "查找字符串"},                         // SpeedButton1
      {CM_REPLACE, "replace", "替换", "替换字符串"},                   // SpeedButton2
      {CM_TOGGLE_STRUCTURE_BAR, "structure", "控制", "中西文ΤEΧ控制命令页面开关"},  // SpeedButton41
      {CM_TOGGLE_PALETTE_BAR, "symbols", "符号", "ΤEΧ数学符号页面开关"},            // plaintexSQL
      {CM_COMPILE, "compile", "编译", "中西文ΤEΧ编译命令视窗集成环境"},             // SpeedButton8
      {CM_TEX_ASSISTANT, "assistant", "助手", "中文TeX控制命令输入助手"},           // SBExecSL
      {CM_PHRASES, "phrases", "短语", "用户自定义习惯用语"},           // ExecAbout
      {CM_EXPLORER, "explorer", "资源", "Windows 资源管理器"},         // SpeedButton42
      {CM_COMMAND_PROMPT, "dos", "DOS", "MS DOS"},                     // SpeedButton43
      {CM_HELP_LATEX, "latex", "LaTeX", "LaΤEΧ宝典"},                  // SpeedButton7
      {CM_HELP_PCTEX, "pctex", "PcTeX", "PcΤEΧ宝典"},                  // SpeedButton4
      {CM_HELP_MIKTEX, "miktex", "MiKTeX", ""},                        // SpeedButton5
      {CM_TUTORIAL, "tutorial", "教程", "中西文ΤEΧ速成教程"},          // SpeedButton17
      {CM_ABOUT, "about", "关于", "关于Varelo"},                       // SpeedButton6
      {CM_EXIT, "exit", "退出", "退出"},                               // SBExitApp
  };
  return buttons;
}

bool IsEditCommandEnabled(int id, bool clipboard_has_text, bool has_selection) {
  switch (id) {
    case CM_PASTE: return clipboard_has_text;
    case CM_CUT:
    case CM_COPY:
    case CM_DELETE: return has_selection;
    default: return true;
  }
}

}  // namespace mox::varelo
