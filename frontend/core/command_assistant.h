// The TeX command assistant's list and what its dialog does with it: the
// entries read from "tex.txt", the topic search, a click on a row and
// opening the list at a keyword. The window shows this state; everything
// here is GBK bytes.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

inline constexpr std::size_t kAssistantRows = 780;
inline constexpr std::string_view kAssistantFile = "tex.txt";

// The topic box's list, in order (55 items; "AMSTeX格式" twice).
std::span<const std::string_view> AssistantTopics();
inline constexpr std::string_view kFirstTopic = "LaTeX论文格式";

struct AssistantEntry {
  std::string Description;  // the description bytes as read, spaces included
  std::string Text;         // " " + command without trailing spaces + " "
};

// The entries of a tex.txt, one a line, at most kAssistantRows.
std::vector<AssistantEntry> ParseAssistantEntries(std::string_view bytes);

// The first row whose description contains text (byte for byte), or -1;
// an empty text matches nothing.
int FindFirstRow(const std::vector<AssistantEntry>& entries, std::string_view text);

// The dialog's state: the list, the selected and the top visible row, the
// text to insert and the topic box's text.
class CommandAssistant {
 public:
  // Reads path; a missing or unreadable file leaves the list empty, as the
  // program shows an empty list without a message.
  void Load(const std::string& path);
  void SetEntries(std::vector<AssistantEntry> entries) { entries_ = std::move(entries); }
  const std::vector<AssistantEntry>& Entries() const { return entries_; }

  // The user picked or typed a topic: true when a row contains it, which
  // is then the top row, selected, and its text the one to insert.
  bool SearchTopic(std::string_view topic);
  // Opens the list at the first row containing keyword, which becomes the
  // topic box's text; false (and nothing changed) when no row contains it.
  bool ShowAt(std::string_view keyword);
  // A click on a row: its text to insert, its description in the topic box.
  void ClickRow(std::size_t row);

  std::string Insertion;  // the edit box below the list
  std::string Topic{kFirstTopic};
  std::size_t SelectedRow = 0;
  std::size_t TopRow = 0;

 private:
  std::vector<AssistantEntry> entries_;
};

}  // namespace mox::varelo
