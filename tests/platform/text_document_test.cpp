// The editor's document: its line index kept right by every kind of edit
// (line ends met and split included), the undo history's steps, the
// selection that never splits a character, and the layout of rows that
// follows the edits.
#include "platform/text_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text_layout.h"
#include "platform/text_motion.h"

namespace mox::platform {
namespace {

// The line starts of a text, worked out from nothing.
std::vector<std::size_t> StartsOf(const std::u16string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    if (text[i] == u'\r' || text[i] == u'\n') starts.push_back(i + 1);
  }
  return starts;
}

std::vector<std::size_t> StartsOf(const TextDocument& document) {
  std::vector<std::size_t> starts;
  for (std::size_t line = 0; line < document.LineCount(); ++line) {
    starts.push_back(document.LineStart(line));
  }
  return starts;
}

// Counts what the listener is told, and checks each change against the
// lines before and after it.
class Recorder : public TextDocumentListener {
 public:
  explicit Recorder(TextDocument& document) : document_(document) {
    before_ = StartsOf(document);
    document.AddListener(this);
  }
  void TextReset() override { before_ = StartsOf(document_); }
  void TextChanged(const TextChange& change) override {
    const std::vector<std::size_t> after = StartsOf(document_);
    const auto delta = static_cast<std::ptrdiff_t>(change.Inserted) -
                       static_cast<std::ptrdiff_t>(change.Removed);
    ASSERT_EQ(before_.size() - change.OldLines, after.size() - change.NewLines);
    for (std::size_t line = 0; line < change.FirstLine; ++line) {
      EXPECT_EQ(before_[line], after[line]);
    }
    for (std::size_t line = change.FirstLine + change.OldLines; line < before_.size(); ++line) {
      EXPECT_EQ(static_cast<std::ptrdiff_t>(before_[line]) + delta,
                static_cast<std::ptrdiff_t>(after[line - change.OldLines + change.NewLines]));
    }
    before_ = after;
    if (layout != nullptr) layout->Update(change);
    ++changes;
  }
  void SelectionChanged() override { ++selections; }

  int changes = 0;
  int selections = 0;
  TextLayout* layout = nullptr;  // laid out edit by edit

 private:
  TextDocument& document_;
  std::vector<std::size_t> before_;
};

// Widths of the tests' own: every character 10 pixels, wide ones 20.
class FixedWidths : public CharacterWidths {
 public:
  int Width(char32_t character) override { return character >= 0x2E80 ? 20 : 10; }
};

TEST(TextDocumentTest, TheLineIndexFollowsEveryEditOfMixedLineEnds) {
  TextDocument document;
  document.SetText(u"a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(document.LineCount(), 6u);
  EXPECT_EQ(document.LineEnd(0), 1u);
  EXPECT_EQ(document.LineEnd(3), 8u);
  EXPECT_EQ(document.LineOf(2), 0u);  // between CR and LF
  Recorder recorder(document);
  FixedWidths widths;
  TextLayout layout(document, widths);
  layout.SetWrapWidth(35);
  recorder.layout = &layout;
  const std::u16string pieces[] = {u"", u"\r", u"\n", u"\r\n", u"x", u"yz\r", u"\n\n", u"中文字"};
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t length = document.Length();
    std::size_t start = random() % (length + 1);
    std::size_t end = std::min(length, start + random() % 4);
    document.Replace(start, end, pieces[random() % std::size(pieces)]);
    if (round % 7 == 0 && document.CanUndo()) document.Undo();
    if (document.Length() > 200) document.Replace(0, 100, u"");
    ASSERT_EQ(StartsOf(document), StartsOf(document.Text())) << round;
  }
  EXPECT_GT(recorder.changes, 3000);
  // Rows laid out edit by edit are those laid out anew.
  TextLayout fresh(document, widths);
  fresh.SetWrapWidth(35);
  ASSERT_EQ(layout.RowCount(), fresh.RowCount());
  for (std::size_t row = 0; row < fresh.RowCount(); ++row) {
    EXPECT_EQ(layout.Row(row).Start, fresh.Row(row).Start) << row;
  }
}

TEST(TextDocumentTest, TypingAndDeletingAreTakenBackInStepsWithTheirSelections) {
  TextDocument document;
  document.SetText(u"abc\ndef", u"\n");
  EXPECT_FALSE(document.Modified());
  document.Select(1, 1);
  for (char16_t c : std::u16string(u"xyz")) {
    document.ReplaceSelection(std::u16string(1, c), EditKind::Typing);
  }
  document.ReplaceSelection(document.NewLineEnd(), EditKind::Typing);
  document.ReplaceSelection(u"w", EditKind::Typing);  // a new step after a line end
  EXPECT_EQ(document.Text(), u"axyz\nwbc\ndef");
  EXPECT_TRUE(document.Modified());
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Text(), u"axyz\nbc\ndef");
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Text(), u"abc\ndef");
  EXPECT_EQ(document.Caret(), 1u);
  ASSERT_TRUE(document.Redo());
  EXPECT_EQ(document.Text(), u"axyz\nbc\ndef");
  EXPECT_EQ(document.Caret(), 5u);

  // A caret moved between two characters typed makes two steps.
  document.Select(0, 0);
  document.ReplaceSelection(u"1", EditKind::Typing);
  document.Select(1, 1);
  document.ReplaceSelection(u"2", EditKind::Typing);
  document.Undo();
  EXPECT_EQ(document.Text(), u"1axyz\nbc\ndef");
  document.Undo();

  // Backspaces join one step, and so do Deletes; undo selects as before.
  document.Select(4, 4);
  for (int i = 0; i < 3; ++i) {
    const std::size_t caret = document.Caret();
    document.Replace(caret - 1, caret, u"", EditKind::Deleting);
  }
  document.Replace(1, 2, u"", EditKind::Deleting);
  document.Replace(1, 2, u"", EditKind::Deleting);
  EXPECT_EQ(document.Text(), u"ac\ndef");
  document.Undo();
  EXPECT_EQ(document.Text(), u"axyz\nbc\ndef");
  EXPECT_EQ(document.Caret(), 4u);
  EXPECT_TRUE(document.CanRedo());
  // A new edit forgets what was undone.
  document.ReplaceSelection(u"!");
  EXPECT_FALSE(document.CanRedo());
}

TEST(TextDocumentTest, AWholeTextReplacedIsOneStepAndTheHistoryStaysBounded) {
  TextDocument document;
  std::u16string big(3'000'000, u'x');
  for (std::size_t i = 99; i < big.size(); i += 100) big[i] = u'\n';
  document.SetText(big);
  document.Select(0, document.Length());
  document.ReplaceSelection(u"y", EditKind::Typing);
  EXPECT_EQ(document.LineCount(), 1u);
  // Past the limit the oldest steps go, never the last one.
  for (int i = 0; i < 6; ++i) document.Replace(0, document.Length(), big);
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Length(), big.size());
  int steps = 1;
  while (document.Undo()) ++steps;
  EXPECT_EQ(steps, 2);
}

TEST(TextDocumentTest, PositionsNeverSplitALineEndOrASurrogatePair) {
  TextDocument document;
  document.SetText(u"a\r\n\U0001F600b");
  document.Select(2, 4);
  EXPECT_EQ(document.Anchor(), 1u);
  EXPECT_EQ(document.Caret(), 3u);
  EXPECT_EQ(NextCharacter(document, 1), 3u);
  EXPECT_EQ(NextCharacter(document, 3), 5u);
  EXPECT_EQ(PreviousCharacter(document, 5), 3u);
  EXPECT_EQ(PreviousCharacter(document, 3), 1u);
  EXPECT_EQ(WithLineEnds(u"a\r\nb\nc\rd", u"\n"), u"a\nb\nc\nd");
}

TEST(TextDocumentTest, WordsOfLettersSignsAndChineseCharacters) {
  TextDocument document;
  document.SetText(u"\\section{中文 text}  x\r\ny");
  EXPECT_EQ(NextWordStart(document, 0), 1u);   // the sign
  EXPECT_EQ(NextWordStart(document, 1), 8u);   // "section"
  EXPECT_EQ(NextWordStart(document, 9), 12u);  // 中文 and its blank
  EXPECT_EQ(NextWordStart(document, 19), 20u);
  EXPECT_EQ(NextWordStart(document, 20), 22u);  // the line end is one step
  EXPECT_EQ(PreviousWordStart(document, 22), 20u);
  EXPECT_EQ(PreviousWordStart(document, 20), 19u);
  EXPECT_EQ(PreviousWordStart(document, 19), 16u);
  std::size_t start = 0;
  std::size_t end = 0;
  WordAround(document, 10, start, end);
  EXPECT_EQ(std::u16string(document.Range(start, end)), u"中文");
  WordAround(document, 15, start, end);
  EXPECT_EQ(std::u16string(document.Range(start, end)), u"text");
  WordAround(document, 20, start, end);  // at the end of the line
  EXPECT_EQ(std::u16string(document.Range(start, end)), u"x");
}

TEST(TextLayoutTest, RowsWrapAfterBlanksOrBetweenChineseCharactersAndFollowEdits) {
  TextDocument document;
  document.SetText(u"aa bb ccccc\n中文中文中\n\tx");
  FixedWidths widths;
  TextLayout layout(document, widths);
  layout.SetTabWidth(40);
  EXPECT_EQ(layout.RowCount(), 3u);
  EXPECT_EQ(layout.MaxWidth(), 110);
  std::vector<int> advances;
  EXPECT_EQ(layout.Advances(layout.Row(2), advances), 50);  // a tab to 40, then x
  layout.SetWrapWidth(60);
  // "aa bb " | "ccccc" ; 中文中 | 文中 ; tab x
  ASSERT_EQ(layout.RowCount(), 5u);
  EXPECT_EQ(layout.Row(1).Start, 6u);
  EXPECT_EQ(layout.Row(3).Start, 15u);
  EXPECT_EQ(layout.RowOf(6), 1u);
  EXPECT_EQ(layout.RowOf(6, true), 0u);
  EXPECT_EQ(layout.XOf(layout.Row(2), 14), 40);
  EXPECT_EQ(layout.PositionAt(layout.Row(2), 49), 14u);
  EXPECT_EQ(layout.PositionAt(layout.Row(2), 51), 15u);
  // A word longer than the row is cut where it no longer fits.
  Recorder recorder(document);
  recorder.layout = &layout;
  document.Replace(0, 0, u"abcdefghij");
  EXPECT_EQ(layout.Row(0).End, 6u);
  EXPECT_EQ(layout.Row(1).End, 13u);
  EXPECT_EQ(layout.RowCount(), 7u);
}

}  // namespace
}  // namespace mox::platform
