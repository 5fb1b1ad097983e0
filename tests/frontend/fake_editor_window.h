// A window of the tests' own for the editor: the control's document in
// memory, the caption and caret label kept, and the save dialog answered
// from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "frontend/core/editor.h"
#include "platform/text_document.h"

namespace mox::varelo::test {

class FakeEditorWindow final : public EditorHost {
 public:
  platform::TextDocument& Document() override { return Doc; }
  void SetCaption(const std::string& caption) override { Caption = caption; }
  std::optional<std::string> AskSaveFileName(const std::string& preset) override {
    SavePresets.push_back(preset);
    if (SaveAnswers.empty()) return std::nullopt;
    std::optional<std::string> answer = SaveAnswers.front();
    SaveAnswers.pop_front();
    return answer;
  }
  void ShowCaretLabel(const std::string& text) override { CaretLabel = text; }

  // The control's whole text replaced, as a program would put it there.
  void SetText(std::u16string text) { Doc.SetText(std::move(text)); }
  const std::u16string& Text() const { return Doc.Text(); }
  void SetSelection(std::size_t anchor, std::size_t caret) { Doc.Select(anchor, caret); }
  // Types text at the caret, as the user would: CR is the Enter key.
  void Type(std::u16string_view text) {
    Doc.ReplaceSelection(platform::WithLineEnds(text, Doc.NewLineEnd()), platform::EditKind::Typing);
  }

  platform::TextDocument Doc;
  std::string Caption;
  std::string CaretLabel;
  std::deque<std::optional<std::string>> SaveAnswers;  // nothing: Cancel
  std::deque<std::string> SavePresets;
};

}  // namespace mox::varelo::test
