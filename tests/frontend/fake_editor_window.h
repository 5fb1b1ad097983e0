// A window of the tests' own for the editor: the control's text, selection
// and modified flag in memory, the caption and caret label kept, and the
// save dialog answered from a script.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>

#include "frontend/core/editor.h"

namespace mox::varelo::test {

class FakeEditorWindow final : public EditorHost {
 public:
  std::u16string ControlText() override { return Text; }
  std::u16string TextRange(std::size_t start, std::size_t end) override {
    return Text.substr(start, end - start);
  }
  void SetControlText(const std::u16string& text) override {
    Text = text;
    Start = End = 0;
    Modified = true;  // as the control does: the editor clears it
  }
  void GetSelection(std::size_t& start, std::size_t& end) override {
    start = Start;
    end = End;
  }
  void SetSelection(std::size_t start, std::size_t end) override {
    Start = std::min(start, Text.size());
    End = std::min(end, Text.size());
  }
  void ReplaceSelection(std::u16string_view text) override {
    Text.replace(Start, End - Start, text);
    Start = End = Start + text.size();
    Modified = true;
  }
  bool IsModified() override { return Modified; }
  void SetModified(bool modified) override { Modified = modified; }
  long LineOfPosition(std::size_t position) override {
    return static_cast<long>(std::count(Text.begin(), Text.begin() + position, u'\r'));
  }
  std::size_t LineStart(long line) override {
    std::size_t at = 0;
    for (long i = 0; i < line; ++i) at = Text.find(u'\r', at) + 1;
    return at;
  }
  void SetCaption(const std::string& caption) override { Caption = caption; }
  std::optional<std::string> AskSaveFileName(const std::string& preset) override {
    SavePresets.push_back(preset);
    if (SaveAnswers.empty()) return std::nullopt;
    std::optional<std::string> answer = SaveAnswers.front();
    SaveAnswers.pop_front();
    return answer;
  }
  void ShowCaretLabel(const std::string& text) override { CaretLabel = text; }

  // Types text at the caret, as the user would.
  void Type(std::u16string_view text) { ReplaceSelection(text); }

  std::u16string Text;
  std::size_t Start = 0;
  std::size_t End = 0;
  bool Modified = false;
  std::string Caption;
  std::string CaretLabel;
  std::deque<std::optional<std::string>> SaveAnswers;  // nothing: Cancel
  std::deque<std::string> SavePresets;
};

}  // namespace mox::varelo::test
