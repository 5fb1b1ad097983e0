// An editor window's logic with a window of the test's own: files opened
// and saved byte for byte, the save commands and the close question with
// their failures, find and replace on Chinese text, the caret label.
#include "frontend/core/editor.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/frontend/fake_editor_window.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

using platform::kAnswerCancel;
using platform::kAnswerNo;
using platform::kAnswerOk;
using platform::kAnswerYes;
using ::mox::test::ReadFile;
using ::mox::test::WriteFile;

class EditorTest : public ::testing::Test {
 protected:
  std::string Boxes() const {
    std::string all;
    for (const auto& box : ui_.Boxes) all += box.Text + "|";
    return all;
  }

  ::mox::test::TempDir dir_;
  ::mox::test::RecordingUserInterface ui_;
  test::FakeEditorWindow window_;
  Editor editor_{window_};
};

TEST_F(EditorTest, FilesOpenAndSaveByteForByte) {
  const std::string path = dir_.File("paper.ctx");
  // GBK with CR LF, a byte that is no character, and a lead byte at the end.
  const std::string gbk = "\\title{\xD6\xD0\xCE\xC4}\r\n\xFF x\r\n\xD6";
  WriteFile(path, gbk);
  ASSERT_TRUE(editor_.OpenFile(path));
  EXPECT_EQ(window_.Caption, "paper.ctx");
  EXPECT_EQ(editor_.SavedFileName(), path);
  EXPECT_FALSE(window_.Doc.Modified());
  EXPECT_EQ(window_.Text().substr(0, 11), u"\\title{中文}\r");
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(path), gbk);

  window_.SetSelection(0, 0);
  window_.Type(u"% 注\r");
  ASSERT_TRUE(editor_.Save());
  EXPECT_FALSE(window_.Doc.Modified());
  EXPECT_EQ(ReadFile(path), "% \xD7\xA2\r\n" + gbk);

  // A UTF-8 source stays UTF-8, with its byte order mark and LF ends.
  const std::string utf8_path = dir_.File("utf8.tex");
  WriteFile(utf8_path, "\xEF\xBB\xBF\xE4\xB8\xAD\n");
  ASSERT_TRUE(editor_.OpenFile(utf8_path));
  window_.SetSelection(1, 1);
  window_.Type(u"\u0E01文");
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(utf8_path), "\xEF\xBB\xBF\xE4\xB8\xAD\xE0\xB8\x81\xE6\x96\x87\n");
  EXPECT_EQ(Boxes(), "");
}

TEST_F(EditorTest, TextGbkCannotHoldIsReportedAndNothingIsWritten) {
  const std::string path = dir_.File("a.ctx");
  WriteFile(path, "old\r\n");
  ASSERT_TRUE(editor_.OpenFile(path));
  window_.SetSelection(3, 3);
  window_.Type(u" \u0E01");
  EXPECT_FALSE(editor_.Save());
  EXPECT_EQ(ReadFile(path), "old\r\n");
  EXPECT_TRUE(window_.Doc.Modified());
  EXPECT_EQ(window_.Doc.SelectionStart(), 4u);
  EXPECT_EQ(window_.Doc.SelectionEnd(), 5u);
  EXPECT_EQ(Boxes(), "文件 a.ctx 没有保存: 第 1 行第 5 列选中的字符不能以 GBK 编码写入.|");
}

TEST_F(EditorTest, SaveAsAndTheOverwriteQuestion) {
  editor_.InitializeNew();
  EXPECT_EQ(editor_.FileName(), "Untitled.ctx");
  EXPECT_EQ(window_.Caption, "Untitled");
  window_.Type(u"text");
  // An untitled window's save asks for a name; cancelled, nothing is
  // written and SavedFileName becomes the untitled name.
  EXPECT_FALSE(editor_.Save());
  EXPECT_EQ(window_.SavePresets.back(), "Untitled.ctx");
  EXPECT_EQ(editor_.SavedFileName(), "Untitled.ctx");

  const std::string first = dir_.File("first.ctx");
  window_.SaveAnswers.push_back(first);
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(first), "text");
  EXPECT_EQ(window_.Caption, "first.ctx");

  // Cancel at the overwrite question keeps the old name: the next save
  // writes there, and the refused file is left alone.
  const std::string other = dir_.File("other.ctx");
  WriteFile(other, "keep me");
  window_.Type(u" more");
  window_.SaveAnswers.push_back(other);
  ui_.AnswerNext(kAnswerCancel);
  EXPECT_FALSE(editor_.SaveAs());
  EXPECT_EQ(editor_.FileName(), first);
  EXPECT_EQ(window_.Caption, "first.ctx");
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(other), "keep me");
  EXPECT_EQ(ReadFile(first), "text more");

  window_.SaveAnswers.push_back(other);
  ui_.AnswerNext(kAnswerOk);
  ASSERT_TRUE(editor_.SaveAs());
  EXPECT_EQ(ReadFile(other), "text more");
  EXPECT_EQ(editor_.SavedFileName(), other);
  EXPECT_EQ(Boxes(), "文件 other.ctx 已存在,覆盖吗?|文件 other.ctx 已存在,覆盖吗?|");
}

TEST_F(EditorTest, TheCloseQuestionKeepsEditsUnlessTheyWereSaved) {
  editor_.InitializeNew();
  EXPECT_TRUE(editor_.CanCloseText());  // unmodified: no question
  window_.Type(u"draft");
  ui_.AnswerNext(kAnswerCancel);
  EXPECT_FALSE(editor_.CanCloseText());
  // Yes, then the save dialog cancelled: the window stays.
  ui_.AnswerNext(kAnswerYes);
  EXPECT_FALSE(editor_.CanCloseText());
  // Yes, then a write that fails: the window stays, with a message.
  ui_.AnswerNext(kAnswerYes);
  window_.SaveAnswers.push_back(dir_.File("missing") + "/x.ctx");
  EXPECT_FALSE(editor_.CanCloseText());
  EXPECT_TRUE(window_.Doc.Modified());
  EXPECT_EQ(editor_.SavedFileName(), "Untitled.ctx");
  ui_.AnswerNext(kAnswerNo);
  EXPECT_TRUE(editor_.CanCloseText());
  ASSERT_EQ(ui_.Boxes.size(), 6u);
  EXPECT_EQ(ui_.Boxes[0].Text, "文件 Untitled.ctx 已改变, 是否保存?");
  EXPECT_EQ(ui_.Boxes[3].Text.rfind("无法保存文件 ", 0), 0u);
  // A file that could not be written offers another (answered No here).
  EXPECT_EQ(ui_.Boxes[4].Text, "文件 x.ctx 没有保存. 另存为其他文件吗?");

  // Yes with a good name saves and closes.
  Editor second(window_);
  second.InitializeNew();
  window_.Doc.SetModified(true);
  ui_.AnswerNext(kAnswerYes);
  window_.SaveAnswers.push_back(dir_.File("draft.ctx"));
  EXPECT_TRUE(second.CanCloseText());
  EXPECT_EQ(ReadFile(dir_.File("draft.ctx")), "draft");
}

TEST_F(EditorTest, FindAndReplaceWorkOnWholeChineseCharacters) {
  // 丂 is 81 41 in GBK: replacing every "A" must leave it whole.
  window_.SetText(u"丂A中a\r丂");
  FindRequest request;
  request.FindWhat = u"a";
  request.ReplaceWith = u"xy";
  request.ReplaceAll = true;
  editor_.Replace(request);
  EXPECT_EQ(window_.Text(), u"丂xy中xy\r丂");
  EXPECT_EQ(Boxes(), "已替换 2 处.|");

  // Found text is selected in the control's units.
  window_.SetSelection(0, 0);
  EXPECT_TRUE(editor_.FindInEditor(u"中x", {}));
  EXPECT_EQ(window_.Doc.SelectionStart(), 3u);
  EXPECT_EQ(window_.Doc.SelectionEnd(), 5u);
  request.FindWhat = u"丂";
  request.Options.Down = false;
  editor_.FindNext(request);
  EXPECT_EQ(window_.Doc.SelectionStart(), 0u);
  editor_.FindNext(request);
  request.FindWhat.clear();
  editor_.FindNext(request);
  request.FindWhat = u"zz";
  request.ReplaceAll = false;
  editor_.Replace(request);
  // A text GBK lacks is named as it is.
  request.FindWhat = u"\u3401";
  editor_.FindNext(request);
  EXPECT_EQ(Boxes(),
            "已替换 2 处.|未能查找到\"丂\".|未能查找到\"\".|没有发现\"zz\".|未能查找到\"㐁\".|");

  // Replacing up with a text that holds the find text ends.
  window_.SetText(u"a-a");
  window_.SetSelection(3, 3);
  request.FindWhat = u"a";
  request.ReplaceWith = u"aa";
  request.ReplaceAll = true;
  editor_.Replace(request);
  EXPECT_EQ(window_.Text(), u"aa-aa");
}

TEST_F(EditorTest, ReplaceAllDownDoesWhatReplacingMatchByMatchDoes) {
  struct Case {
    std::u16string text;
    std::size_t start, end;
    std::u16string find, with;
    bool whole_word, match_case;
  };
  const Case cases[] = {
      // Whole words, where the new text joins the word that follows.
      {u"ab ab abab ab,ab", 0, 0, u"ab", u"abx", true, false},
      {u"ab ab abab ab,ab", 0, 0, u"ab", u"", true, false},
      // A new text that holds the find text; case folded or not.
      {u"aAaA丂A-a", 1, 3, u"a", u"aa", false, false},
      {u"aAaA丂A-a", 0, 0, u"A", u"中", false, true},
      // Chinese find text, from a caret inside the text; matches that
      // overlap.
      {u"中文中文x中文\r中文", 2, 2, u"中文", u"文中", false, false},
      {u"中中中 aaa", 0, 0, u"中中", u"a", false, false},
      {u"中中中 aaa", 0, 0, u"aa", u"中", false, false},
  };
  for (const Case& c : cases) {
    test::FakeEditorWindow expected;
    expected.SetText(c.text);
    expected.SetSelection(c.start, c.end);
    Editor reference(expected);
    SearchOptions options;
    options.WholeWord = c.whole_word;
    options.MatchCase = c.match_case;
    while (reference.FindInEditor(c.find, options)) expected.Doc.ReplaceSelection(c.with);

    window_.SetText(c.text);
    window_.SetSelection(c.start, c.end);
    FindRequest request;
    request.FindWhat = c.find;
    request.ReplaceWith = c.with;
    request.Options = options;
    request.ReplaceAll = true;
    const std::size_t replaced = editor_.Replace(request);
    EXPECT_EQ(window_.Text(), expected.Text()) << std::string(c.find.begin(), c.find.end());
    EXPECT_EQ(window_.Doc.SelectionStart(), expected.Doc.SelectionStart());
    EXPECT_EQ(window_.Doc.SelectionEnd(), expected.Doc.SelectionEnd());
    // Each replacement of the reference is one step of its undo.
    std::size_t steps = 0;
    while (expected.Doc.Undo()) ++steps;
    EXPECT_EQ(replaced, steps);
  }
}

TEST_F(EditorTest, ReplaceAllOfALargeTextIsOneStepOfUndoAndMayTakeTheWholeText) {
  // 20,000 lines of Chinese and English, characters GBK lacks among them.
  std::u16string line = u"English 中文 㐀 text\r\n";
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text += line;
  window_.SetText(text);
  window_.SetSelection(line.size(), line.size());
  FindRequest request;
  request.FindWhat = u"english";
  request.ReplaceWith = u"ENGLISH";
  request.ReplaceAll = true;
  EXPECT_EQ(editor_.Replace(request), 19999u);
  EXPECT_EQ(window_.Text().substr(0, 8), u"English ");
  EXPECT_EQ(window_.Text().substr(line.size(), 8), u"ENGLISH ");
  ASSERT_TRUE(window_.Doc.Undo());
  EXPECT_EQ(window_.Text(), text);
  EXPECT_FALSE(window_.Doc.CanUndo());
  // The whole text, whatever the caret; found and replaced whole, the
  // characters beyond GBK too.
  request.FindWhat = u"㐀";
  request.ReplaceWith = u"汉";
  request.WholeText = true;
  EXPECT_EQ(editor_.Replace(request), 20000u);
  EXPECT_EQ(window_.Text().substr(0, line.size()), u"English 中文 汉 text\r\n");
  EXPECT_EQ(window_.Doc.LineCount(), 20001u);
  window_.SetSelection(0, 0);
  EXPECT_TRUE(editor_.FindInEditor(u"中文 汉", {}));
  EXPECT_EQ(window_.Doc.SelectionStart(), 8u);
  EXPECT_EQ(Boxes(), "已替换 19999 处.|已替换 20000 处.|");
}

TEST_F(EditorTest, CaretLabelCountsLinesAndGbkBytesFromOne) {
  window_.SetText(u"one\rtwo\r中文x\r");
  window_.SetSelection(8, 8);
  editor_.UpdateCaretLabel();
  EXPECT_EQ(window_.CaretLabel, "3,1");
  window_.SetSelection(8, 11);
  editor_.UpdateCaretLabel();
  EXPECT_EQ(window_.CaretLabel, "3,6");
}

}  // namespace
}  // namespace mox::varelo
