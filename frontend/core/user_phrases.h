// The user's phrases: "usermac.txt" read into the phrase dialog's 188 rows
// and written back from them, with "usermac.bak" holding the file as it was
// before the last save.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

inline constexpr std::size_t kPhraseRows = 188;
inline constexpr std::string_view kPhraseFile = "usermac.txt";
inline constexpr std::string_view kPhraseBackup = "usermac.bak";
// The new file is written under this name and renamed into place once whole.
inline constexpr std::string_view kPhraseFresh = "usermac.new";
// The previous backup waits under this name until the new file is in place.
inline constexpr std::string_view kPhraseAside = "usermac.bk~";

inline constexpr std::string_view kPhraseSavedCaption = "关于自定义术语短句";
inline constexpr std::string_view kPhraseSavedText = "自定义术语短句更改后，下次运行方能生效!";
inline constexpr std::string_view kPhraseHelpCaption = "关于说明与描述";
inline constexpr std::string_view kPhraseHelpText = "说明与描述栏最多只能接受前18个字符!";

struct PhraseRow {
  std::string Description;  // as read (18 bytes) or as typed
  std::string Phrase;       // without trailing spaces
};

struct PhraseList {
  std::vector<PhraseRow> Rows = std::vector<PhraseRow>(kPhraseRows);
  // Lines after the 188th, never shown, written back unchanged.
  std::vector<std::string> ExtraLines;
};

PhraseList ParsePhrases(std::string_view bytes);

// The file's bytes: every row as its description cut or padded to 18 bytes
// (never splitting a Chinese character) and its phrase, then the extra
// lines; each line ends with CR LF. Rows are given in the order to write;
// description and phrase are always written in this order, whatever order
// the grid shows its columns in. A line break typed into a cell would split
// its row in two: it is written as a space.
std::string FormatPhrases(const PhraseList& list);

// The phrases of folder's usermac.txt; a missing or unreadable file gives
// empty rows, with no message.
PhraseList LoadPhrases(const std::string& folder);

// Saves the rows into folder's usermac.txt: the new file is written whole
// under a temporary name first, then the old file becomes the backup
// (replacing the previous backup, which is deleted only at the end) and the
// new one takes its name. A failure
// is shown in a message box with its reason and leaves the old file and the
// backup as they were; success shows the box saying the phrases take effect
// at the next start. True when saved.
bool SavePhrases(const std::string& folder, const PhraseList& list);

}  // namespace mox::varelo
