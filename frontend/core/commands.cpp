#include "frontend/core/commands.h"

#include <algorithm>

namespace mox::varelo {
namespace {

constexpr MenuItem kSeparator{};

constexpr Shortcut Control(char letter) { return Shortcut{letter, true}; }

// The commands of the frame's menus, left to right (their numbered batch
// items and templates come last, from their own lists).
void AddFrameCommands(std::vector<Command>& commands) {
  commands.insert(commands.end(), {
      {CM_NEW, "新建[&N]", Control('N'), "新建文本文件"},
      {CM_OPEN, "打开[&O]", Control('O'), "打开文本文件"},
      {CM_EXIT, "退出[&x]", {}, "退出"},
      {CM_COMPILE, "编译[&C]", {}, "中西文ΤEΧ编译命令视窗集成环境"},
      {CM_TEX_ASSISTANT, "TeX 输入助手[&X]", {}, "中文TeX控制命令输入助手"},
      {CM_PHRASES, "短语输入助手[&I]", {}, "用户自定义习惯用语"},
      {CM_SOURCE_SPECIALS, "编译时记录源文件位置[&S]"},
      {CM_FORWARD_SEARCH, "在预览中显示本行[&V]", Control('J'), "", Needs::ActiveEditor},
      {CM_BUILD_PANEL, "编译信息窗口[&M]"},
      {CM_NEXT_MESSAGE, "下一条编译信息[&N]", Shortcut{kKeyF4}, "", Needs::BuildMessages},
      {CM_PREVIOUS_MESSAGE, "上一条编译信息[&P]", Shortcut{kKeyF4, false, true}, "",
       Needs::BuildMessages},
      {CM_ABOUT_BATCH, "关于批处理文件"},
      {CM_ABOUT_TEMPLATES, "关于模板"},
      {CM_TILE_HORIZONTAL, "水平平铺[&H]"},
      {CM_TILE_VERTICAL, "垂直平铺[&V]"},
      {CM_ARRANGE_ICONS, "重排图标[&A]"},
      {CM_CASCADE, "层叠[&C]"},
      {CM_NEXT_WINDOW, "下一个窗口[&N]", Shortcut{kKeyTab, true}},
      {CM_PREVIOUS_WINDOW, "上一个窗口[&P]", Shortcut{kKeyTab, true, true}},
      {CM_EXPLORER, "资源管理器[&E]", {}, "Windows 资源管理器"},
      {CM_COMMAND_PROMPT, "MS &DOS 环境", {}, "MS DOS"},
      {CM_TUTORIAL, "&TeX 速成教程", {}, "中西文ΤEΧ速成教程"},
      {CM_HELP_LATEX, "&LaTeX  宝典", {}, "LaΤEΧ宝典"},
      {CM_HELP_PCTEX, "&PcTeX  宝典", {}, "PcΤEΧ宝典", Needs::Never},
      {CM_HELP_MIKTEX, "&MiKTeX 宝典"},
      {CM_NEWS, "最新信息[&N]"},
      {CM_ABOUT, "关于Varelo[&A]", {}, "关于Varelo"},
      {CM_MAIL_AUTHOR, "给作者写信[&W]..."},
      {CM_MAIL_REPORT, "报告问题[&R]..."},
  });
}

// The tool bar's own commands, which no menu has.
void AddToolBarCommands(std::vector<Command>& commands) {
  commands.insert(commands.end(), {
      {CM_SAVE_ACTIVE, "保存", {}, "保存编辑文件"},
      {CM_TOGGLE_STRUCTURE_BAR, "控制", {}, "中西文ΤEΧ控制命令页面开关"},
      {CM_TOGGLE_PALETTE_BAR, "符号", {}, "ΤEΧ数学符号页面开关"},
  });
}

// The commands of an editor window's menus.
void AddEditorCommands(std::vector<Command>& commands) {
  commands.insert(commands.end(), {
      {CM_CLOSE, "关闭[&C]"},
      {CM_SAVE, "保存[&S]", Control('S')},
      {CM_SAVE_AS, "另存为[&a]"},
      {CM_PRINT, "打印[&P]"},
      {CM_PRINTER_SETUP, "打印设置"},
      {CM_UNDO, "撤消", Control('Z')},
      {CM_REDO, "重做", Control('Y')},
      {CM_CUT, "剪切[&t]", Control('X'), "剪切到剪贴板", Needs::Selection},
      {CM_COPY, "复制[&C]", Control('C'), "复制到剪贴板", Needs::Selection},
      {CM_PASTE, "粘贴[&P]", Control('V'), "从剪贴板粘贴", Needs::ClipboardText},
      {CM_DELETE, "删除[&l]", Control('D'), "", Needs::Selection},
      {CM_SELECT_ALL, "全选[&a]", Control('A')},
      {CM_FIND, "查找", Control('F'), "查找字符串"},
      {CM_FIND_NEXT, "查找下一个", Shortcut{kKeyF3, false}},
      {CM_REPLACE, "替换", Control('H'), "替换字符串"},
      {CM_MATCH_BRACE, "转到配对括号", Shortcut{kKeyCloseBracket, true}},
      {CM_WORD_WRAP, "&Word wrap"},
      // The font item has a caption here: without one it is an empty line
      // nobody can tell what it does.
      {CM_FONT, "字体[&F]..."},
      {CM_ALIGN_LEFT, "&Left"},
      {CM_ALIGN_RIGHT, "&Right"},
      {CM_ALIGN_CENTER, "&Center"},
      {CM_STRUCTURE_BAR, "控制页面"},
      {CM_PALETTE_BAR, "数学符号"},
      {CM_TEX_COLOURING, "TeX 着色[&T]"},
  });
}

// The batch items of the Batch menu, in menu order.
void AddBatchCommands(std::vector<Command>& commands) {
  int batch_index = 0;
  for (const char* name :
       {"MOXex.bat", "&LateX.bat", "&AmsTeX.bat", "&EmTeX.bat", "&PcTeX.bat", "&TeX.bat",
        "&MiKTeX.bat", "&BibTeX.bat", "&Compile.bat", "&View.bat", "&DviPrint.bat",
        "C&lean.bat", "Dv&iPs.bat", "PDFLaTeX.bat", "PDFTeX.bat", "User&1.bat", "User&2.bat",
        "User&3.bat", "User&4.bat", "User&5.bat", "User&6.bat"}) {
    commands.push_back({CM_BATCH_FIRST + batch_index++, name});
  }
}

// The templates of the Templates menu, in menu order.
void AddTemplateCommands(std::vector<Command>& commands) {
  int template_index = 0;
  for (const char* name :
       {"中文MO&X 模板", " L&aTeX  模板", " LaT&eX  书信", " A&msTeX 模板", "Sci&Word 模板",
        " B&ibTeX 数据", "Myctx&1.ctx", "Myctx&2.ctx", "Myctx3.ctx", "Myctx&4.ctx",
        "Mytex&A.tex", "Mytex&B.tex", "Mytex&C.tex", "Mytex&D.tex"}) {
    commands.push_back({CM_TEMPLATE_FIRST + template_index++, name});
  }
}

std::vector<Command> MakeCommands() {
  std::vector<Command> commands;
  AddFrameCommands(commands);
  AddToolBarCommands(commands);
  AddEditorCommands(commands);
  AddBatchCommands(commands);
  AddTemplateCommands(commands);
  return commands;
}

// The item of a command as its record gives it.
MenuItem Item(int id, bool checked = false) {
  const Command& command = CommandOf(id);
  return {id, command.Caption, command.Keys, checked};
}

// The items of the commands of a numbered range, from..to.
std::vector<MenuItem> Items(int from, int to) {
  std::vector<MenuItem> items;
  for (int id = from; id <= to; ++id) items.push_back(Item(id));
  return items;
}

std::vector<MenuItem> Join(std::initializer_list<std::vector<MenuItem>> parts) {
  std::vector<MenuItem> items;
  for (const std::vector<MenuItem>& part : parts) items.insert(items.end(), part.begin(), part.end());
  return items;
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = MakeCommands();
  return commands;
}

const Command& CommandOf(int id) {
  static const Command none{};
  const std::vector<Command>& commands = Commands();
  const auto found = std::find_if(commands.begin(), commands.end(),
                                  [id](const Command& command) { return command.Id == id; });
  return found != commands.end() ? *found : none;
}

const std::vector<Menu>& FrameMenus() {
  static const std::vector<Menu> menus = {
      {"文件(&F)", 0, {Item(CM_NEW), Item(CM_OPEN), kSeparator, Item(CM_EXIT)}},
      {"&TeX ", 9,
       {Item(CM_COMPILE), Item(CM_TEX_ASSISTANT), Item(CM_PHRASES), kSeparator,
        Item(CM_SOURCE_SPECIALS), Item(CM_FORWARD_SEARCH), kSeparator, Item(CM_BUILD_PANEL),
        Item(CM_NEXT_MESSAGE), Item(CM_PREVIOUS_MESSAGE)}},
      {"批命令(&B)", 9,
       Join({{Item(CM_ABOUT_BATCH), kSeparator}, Items(CM_BATCH_FIRST, CM_BATCH_FIRST + 7),
             {kSeparator}, Items(CM_BATCH_FIRST + 8, CM_BATCH_FIRST + 11), {kSeparator},
             Items(CM_BATCH_FIRST + 12, CM_BATCH_FIRST + 14), {kSeparator},
             Items(CM_BATCH_FIRST + 15, CM_BATCH_LAST)})},
      {"模板(&M)", 9,
       Join({Items(CM_TEMPLATE_FIRST, CM_TEMPLATE_FIRST + 5), {kSeparator},
             Items(CM_TEMPLATE_FIRST + 6, CM_TEMPLATE_LAST), {kSeparator},
             {Item(CM_ABOUT_TEMPLATES)}})},
      {"窗口(&W)", 9,
       {Item(CM_TILE_HORIZONTAL), Item(CM_TILE_VERTICAL), Item(CM_ARRANGE_ICONS),
        Item(CM_CASCADE), Item(CM_NEXT_WINDOW), Item(CM_PREVIOUS_WINDOW), kSeparator,
        Item(CM_EXPLORER), Item(CM_COMMAND_PROMPT)}},
      {"帮助(&H)", 9,
       {Item(CM_TUTORIAL), Item(CM_HELP_LATEX), Item(CM_HELP_PCTEX), Item(CM_HELP_MIKTEX),
        kSeparator, Item(CM_NEWS), Item(CM_ABOUT)}},
      {"&Email", 9, {Item(CM_MAIL_AUTHOR), Item(CM_MAIL_REPORT)}},
  };
  return menus;
}

const std::vector<Menu>& EditorMenus() {
  static const MenuItem open = [] {
    MenuItem item = Item(CM_OPEN);
    item.Caption = "打开[&O]...";  // the editor's File menu says a dialog follows
    return item;
  }();
  static const std::vector<Menu> menus = {
      {"文件[&F]", 0,
       {Item(CM_NEW), open, Item(CM_CLOSE), Item(CM_SAVE), Item(CM_SAVE_AS), Item(CM_PRINT),
        Item(CM_PRINTER_SETUP), kSeparator, Item(CM_EXIT)}},
      {"编辑[&E]", 1,
       {Item(CM_UNDO), Item(CM_REDO), kSeparator, Item(CM_CUT), Item(CM_COPY), Item(CM_PASTE),
        Item(CM_DELETE), kSeparator, Item(CM_SELECT_ALL), kSeparator, Item(CM_FIND),
        Item(CM_FIND_NEXT), Item(CM_REPLACE), kSeparator, Item(CM_MATCH_BRACE)}},
      {"视图[&V]", 1,
       {Item(CM_WORD_WRAP), Item(CM_FONT), kSeparator, Item(CM_ALIGN_LEFT, true),
        Item(CM_ALIGN_RIGHT), Item(CM_ALIGN_CENTER), kSeparator, Item(CM_STRUCTURE_BAR),
        Item(CM_PALETTE_BAR, true), kSeparator, Item(CM_TEX_COLOURING, true)}},
  };
  return menus;
}

const std::vector<ToolButton>& ToolBarButtons() {
  static const std::vector<ToolButton> buttons = {
      {CM_NEW, "new", "新建"},                        // SpeedButton3
      {CM_OPEN, "open", "打开"},                      // SBOpen
      {CM_SAVE_ACTIVE, "save", "保存"},               // SBClose
      {CM_COPY, "copy", "复制"},                      // SBCopy
      {CM_PASTE, "paste", "粘贴"},                    // SBPaste
      {CM_CUT, "cut", "剪切"},                        // SBCut
      {CM_FIND, "find", "查找"},                      // SpeedButton1
      {CM_REPLACE, "replace", "替换"},                // SpeedButton2
      {CM_TOGGLE_STRUCTURE_BAR, "structure", "控制"}, // SpeedButton41
      {CM_TOGGLE_PALETTE_BAR, "symbols", "符号"},     // plaintexSQL
      {CM_COMPILE, "compile", "编译"},                // SpeedButton8
      {CM_TEX_ASSISTANT, "assistant", "助手"},        // SBExecSL
      {CM_PHRASES, "phrases", "短语"},                // ExecAbout
      {CM_EXPLORER, "explorer", "资源"},              // SpeedButton42
      {CM_COMMAND_PROMPT, "dos", "DOS"},              // SpeedButton43
      {CM_HELP_LATEX, "latex", "LaTeX"},              // SpeedButton7
      {CM_HELP_PCTEX, "pctex", "PcTeX"},              // SpeedButton4
      {CM_HELP_MIKTEX, "miktex", "MiKTeX"},           // SpeedButton5
      {CM_TUTORIAL, "tutorial", "教程"},              // SpeedButton17
      {CM_ABOUT, "about", "关于"},                    // SpeedButton6
      {CM_EXIT, "exit", "退出"},                      // SBExitApp
  };
  return buttons;
}

bool IsEditCommandEnabled(int id, bool clipboard_has_text, bool has_selection) {
  switch (CommandOf(id).Rule) {
    case Needs::ClipboardText: return clipboard_has_text;
    case Needs::Selection: return has_selection;
    default: return true;
  }
}

}  // namespace mox::varelo
