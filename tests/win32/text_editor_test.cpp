// The framework's text editor driven by the messages the keyboard sends:
// typing with the document's line end, selecting with Shift, words and
// rows, Backspace and undo in steps, overwriting, and the text that other
// programs read with CR LF line ends.
#include "platform/win32/framework/text_editor.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace mox::win {
namespace {

class TextEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const RECT bounds{0, 0, 400, 300};
    ASSERT_TRUE(parent_.Create(nullptr, WS_OVERLAPPEDWINDOW, 0, L"editor test", bounds));
    ASSERT_TRUE(editor_.Create(parent_.Handle(), 1));
    MoveWindow(editor_.Handle(), 0, 0, 380, 260, FALSE);
    // Fixed pitch: a column is a character.
    LOGFONTW font{};
    font.lfHeight = -13;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    editor_.SetTextFont(font, RGB(0, 0, 0));
  }
  void TearDown() override { DestroyWindow(parent_.Handle()); }

  // A key with Shift or Ctrl held, as the thread's key state says.
  void Key(WPARAM key, bool shift = false, bool control = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(editor_.Handle(), WM_KEYDOWN, key, 1);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
  }
  void Type(const std::u16string& text) {
    for (char16_t unit : text) SendMessageW(editor_.Handle(), WM_CHAR, unit, 1);
  }
  std::u16string Selected() {
    const platform::TextDocument& document = editor_.Document();
    return std::u16string(document.Range(document.SelectionStart(), document.SelectionEnd()));
  }

  TWindow parent_;
  TTextEditor editor_;
};

TEST_F(TextEditorTest, KeysTypeSelectAndTakeBackInSteps) {
  platform::TextDocument& document = editor_.Document();
  document.SetText(u"first line\nsecond\n", u"\n");
  Key(VK_END);
  Type(u" 中文\rnew");  // Enter makes the file's own line end
  EXPECT_EQ(document.Text(), u"first line 中文\nnew\nsecond\n");
  Key(VK_HOME, true);
  EXPECT_EQ(Selected(), u"new");
  Key(VK_LEFT, true, true);  // Ctrl+Shift+Left: back over the line end
  Key(VK_LEFT, true, true);  // and the Chinese word
  EXPECT_EQ(Selected(), u"中文\nnew");
  Key(VK_BACK);
  EXPECT_EQ(document.Text(), u"first line \nsecond\n");
  // One undo takes the deletion back; the typing is two steps, a line
  // end closing the first.
  Key('Z', false, true);
  EXPECT_EQ(document.Text(), u"first line 中文\nnew\nsecond\n");
  Key('Z', false, true);
  EXPECT_EQ(document.Text(), u"first line 中文\n\nsecond\n");
  Key('Z', false, true);
  EXPECT_EQ(document.Text(), u"first line\nsecond\n");
  Key('Y', false, true);
  Key('Y', false, true);
  EXPECT_EQ(document.Text(), u"first line 中文\nnew\nsecond\n");

  // Up and Down keep the column; Insert overwrites, but not a line end.
  document.Select(3, 3);
  Key(VK_DOWN);
  EXPECT_EQ(document.Caret(), 17u);  // after "new", the shorter line
  Key(VK_DOWN);
  EXPECT_EQ(document.Caret(), 21u);  // "sec|ond": the column came back
  Key(VK_INSERT);
  Type(u"XYZW");
  EXPECT_EQ(document.Text(), u"first line 中文\nnew\nsecXYZW\n");

  // Other programs read CR LF line ends and put text in as at the caret.
  wchar_t buffer[64] = L"";
  const LRESULT copied = SendMessageW(editor_.Handle(), WM_GETTEXT, 64,
                                      reinterpret_cast<LPARAM>(buffer));
  EXPECT_EQ(std::wstring(buffer, static_cast<std::size_t>(copied)),
            L"first line \x4E2D\x6587\r\nnew\r\nsecXYZW\r\n");
  SendMessageW(editor_.Handle(), EM_SETSEL, 0, 5);
  SendMessageW(editor_.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"1\r\n2"));
  EXPECT_EQ(document.Text().substr(0, 8), u"1\n2 line");
}

TEST_F(TextEditorTest, WrappedRowsAreStepsOfTheCaret) {
  platform::TextDocument& document = editor_.Document();
  std::u16string words;
  for (int i = 0; i < 40; ++i) words += u"word ";
  document.SetText(words + u"\r\nend");
  editor_.SetWordWrap(true);
  document.Select(0, 0);
  Key(VK_END);
  const std::size_t row_end = document.Caret();
  EXPECT_GT(row_end, 0u);
  EXPECT_LT(row_end, words.size());  // the end of the first row, not the line
  Key(VK_DOWN);
  EXPECT_LT(document.Caret(), words.size());  // still in the long line
  Key(VK_END, false, true);
  EXPECT_EQ(document.Caret(), document.Length());
  Key(VK_HOME, true, true);
  EXPECT_EQ(document.SelectionStart(), 0u);
  EXPECT_EQ(Selected().size(), document.Length());
}

}  // namespace
}  // namespace mox::win
