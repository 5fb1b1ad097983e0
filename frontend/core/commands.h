// Varelo's commands as data: their ids, the menus of the frame and of an
// editor window with their merge groups, the tool bar, the shortcuts, and
// the rules that grey commands. The window code builds its menus, tool bar
// and accelerators from these tables.
#pragma once

#include <cstddef>
#include <vector>

namespace mox::varelo {

enum CommandId : int {
  // The frame's menus.
  CM_NEW = 101,          // New1
  CM_OPEN = 102,         // Open1
  CM_EXIT = 103,         // Exit1
  CM_COMPILE = 111,      // C1
  CM_TEX_ASSISTANT = 112,  // TeX2
  CM_PHRASES = 113,      // I1
  CM_FORWARD_SEARCH = 114,  // the caret line's place in the previewer
  CM_SOURCE_SPECIALS = 115, // compile with source specials (MOXSRC=1)
  CM_NEXT_MESSAGE = 116,     // the build panel's next row with a place (F4)
  CM_PREVIOUS_MESSAGE = 117, // and the one before (Shift+F4)
  CM_BUILD_PANEL = 118,      // the build panel shown or hidden
  CM_ABOUT_BATCH = 120,  // Batch1
  CM_BATCH_FIRST = 121,  // MOXexbat1 ... User6bat1, in menu order
  CM_BATCH_LAST = 141,
  CM_TEMPLATE_FIRST = 151,  // MOX1 ... MytexDtex1, in menu order
  CM_TEMPLATE_LAST = 164,
  CM_ABOUT_TEMPLATES = 165,  // N13
  CM_TILE_HORIZONTAL = 171,  // Tile1
  CM_TILE_VERTICAL = 172,    // V1
  CM_ARRANGE_ICONS = 173,    // Arrangeicons1
  CM_CASCADE = 174,          // Cascade1
  CM_NEXT_WINDOW = 177,      // the next editor window (Ctrl+Tab)
  CM_PREVIOUS_WINDOW = 178,  // the one before (Ctrl+Shift+Tab)
  CM_EXPLORER = 175,         // N4
  CM_COMMAND_PROMPT = 176,   // MSDOS1
  CM_TUTORIAL = 181,         // TeX3
  CM_HELP_LATEX = 182,       // LaTeX1
  CM_HELP_PCTEX = 183,       // PcTeX1
  CM_HELP_MIKTEX = 184,      // MiKTeX2
  CM_NEWS = 185,             // N5
  CM_ABOUT = 186,            // A1
  CM_MAIL_AUTHOR = 191,
  CM_MAIL_REPORT = 192,
  // The tool bar's own.
  CM_SAVE_ACTIVE = 201,          // SBClose
  CM_TOGGLE_STRUCTURE_BAR = 202, // SpeedButton41
  CM_TOGGLE_PALETTE_BAR = 203,   // plaintexSQL
  // An editor window's menus.
  CM_CLOSE = 301,        // Close1
  CM_SAVE = 302,         // Save1
  CM_SAVE_AS = 303,      // Saveas1
  CM_PRINT = 304,        // Print1
  CM_PRINTER_SETUP = 305,  // Printersetup1
  CM_UNDO = 311,         // N8
  CM_REDO = 320,         // the undone edit done again
  CM_CUT = 312,          // Cut1
  CM_COPY = 313,         // Copy1
  CM_PASTE = 314,        // Paste1
  CM_DELETE = 315,       // Delete1
  CM_SELECT_ALL = 316,   // Selectall1
  CM_FIND = 317,         // Search2
  CM_FIND_NEXT = 318,    // Search1
  CM_REPLACE = 319,      // Replace1
  CM_WORD_WRAP = 321,    // Wordwrap1
  CM_FONT = 322,         // Font1
  CM_ALIGN_LEFT = 323,   // Left1
  CM_ALIGN_RIGHT = 324,  // Right1
  CM_ALIGN_CENTER = 325, // Center1
  CM_STRUCTURE_BAR = 326,  // N7
  CM_PALETTE_BAR = 327,    // N6
  CM_TEX_COLOURING = 328,  // the text coloured as TeX
  CM_MATCH_BRACE = 329,    // the caret to the partner of the brace beside it
  // The recent files of the File menu, most recent first.
  CM_RECENT_FIRST = 401,
  CM_RECENT_LAST = 408,
};

// Virtual-key codes of the shortcuts (the values Windows gives them).
inline constexpr int kKeyF3 = 0x72;
inline constexpr int kKeyF4 = 0x73;
inline constexpr int kKeyTab = 0x09;
inline constexpr int kKeyCloseBracket = 0xDD;  // "]" of a US keyboard (VK_OEM_6)

struct Shortcut {
  int Key = 0;       // 0 for none; a letter's upper-case code, kKeyF3, kKeyF4 or kKeyTab
  bool Control = false;
  bool Shift = false;
};

// A command: its caption in the menus, its shortcut and its hint (the tool
// tip of its button), all GBK; the menus, the accelerators and the tool bar
// read them from here.
// What a command needs to be chosen (greyed otherwise).
enum class Needs {
  Nothing,
  ActiveEditor,   // an editor window
  BuildMessages,  // rows in the build panel
  Selection,      // selected text in the editor
  ClipboardText,  // text on the clipboard
  Never,          // a product that no longer exists
};

struct Command {
  int Id = 0;
  const char* Caption = "";
  Shortcut Keys{};
  const char* Hint = "";  // empty for none
  Needs Rule = Needs::Nothing;
};

// Every command of the frame and of an editor window.
const std::vector<Command>& Commands();
// The command of an id; a command without a record is one of no caption.
const Command& CommandOf(int id);

// An item of a menu as the menu shows it: a command's caption and keys
// (the File menu of an editor window names Open with a "..." the frame's
// lacks).
struct MenuItem {
  int Id = 0;               // 0 for a separator
  const char* Caption = ""; // GBK
  Shortcut Keys{};
  bool Checked = false;     // the check mark it starts with
};

struct Menu {
  const char* Caption;  // GBK
  int Group;            // the merge group (platform::MergeMenuGroups)
  std::vector<MenuItem> Items;
};

// The frame's main menu and an editor window's menu, left to right.
const std::vector<Menu>& FrameMenus();
const std::vector<Menu>& EditorMenus();

// A button of the tool bar: its command (which gives the hint), its glyph
// and the short caption under it.
struct ToolButton {
  int Id;
  const char* Name;     // the control's name, also its glyph's file name
  const char* Caption;  // GBK
};

// The tool bar ToolBar2, left to right.
const std::vector<ToolButton>& ToolBarButtons();

// The edit menu and the context menu (Edit1Click): paste needs text on
// the clipboard; cut, copy and delete need a selection.
bool IsEditCommandEnabled(int id, bool clipboard_has_text, bool has_selection);

}  // namespace mox::varelo
