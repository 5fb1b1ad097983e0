// The previewer's commands as one table (command_texts.h holds it): each
// command's English id (its Chinese menus' id is CHINESE_ID_OFFSET more),
// its menu caption with the keys the caption names and its hint, in both
// languages, and the rule that enables it; and the menus of the frame,
// popup by popup. The resource script holds the menus, hints and
// accelerators the program loads (the Chinese ones need their own ids), and
// a test of the Windows build checks that they are these; the frame's
// greying, its hints and its accelerators read the table.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "previewer/base/bilingual.h"

namespace mox {

struct PreviewerCommand {
  int Id;                 // English id
  Bilingual Caption;      // with its mnemonic, GBK
  Bilingual Keys;         // what the menu shows after a tab; empty for none
  Bilingual Hint;         // the status line's while it is under the pointer
  bool NeedsDocument;     // greyed without an open document
};

inline constexpr int kMenuSeparator = -1;
inline constexpr std::size_t kMostMenuItems = 16;

struct PreviewerMenu {
  Bilingual Caption;
  int HintId;             // the popup's hint: its first item's id minus 1
  Bilingual Hint;
  // English ids or kMenuSeparator, then zeros after the last.
  std::array<int, kMostMenuItems> Items;
};

// A key that runs a command: a character (Ctrl with a letter gives a control
// character: Ctrl+O is 15) or a virtual key, with Windows' key code, and the
// modifiers held. One table serves the menus of both languages: the frame
// sends the English id.
struct PreviewerKey {
  int Code;
  bool Virtual;
  int Id;                 // English id
  bool Shift = false;
  bool Control = false;
};

std::span<const PreviewerCommand> PreviewerCommands();
std::span<const PreviewerKey> PreviewerKeys();
std::span<const PreviewerMenu> PreviewerMenus();
// A menu's items, separators included, without the zeros after them.
std::vector<int> ItemsOf(const PreviewerMenu& menu);
// The command of an English or Chinese id, or null.
const PreviewerCommand* FindPreviewerCommand(int id);
// The status line's hint of a command or of a popup (by its hint id), in the
// language of the id; empty for none.
const char* PreviewerHintOf(int id);

}  // namespace mox
