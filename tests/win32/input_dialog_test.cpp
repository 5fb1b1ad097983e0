// The framework's modal dialogs and their transfer data, driven from inside
// the dialog: what the controls show when it opens, and what comes back out
// on OK and on Cancel.
#include "platform/win32/framework/input_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/win32/framework/framework_ids.h"

namespace mox::win {
namespace {

std::wstring WindowText(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

// An input dialog that records what it showed, then acts as a user would.
class ScriptedInputDialog : public TInputDialog {
 public:
  using TInputDialog::TInputDialog;
  std::function<void(HWND)> Script;
  std::wstring ShownTitle;
  std::wstring ShownPrompt;
  std::wstring ShownText;

 protected:
  void SetupWindow() override {
    TInputDialog::SetupWindow();
    ShownTitle = WindowText(Handle());
    ShownPrompt = WindowText(GetDlgItem(Handle(), MOX_INPUT_PROMPT));
    ShownText = WindowText(GetDlgItem(Handle(), MOX_INPUT_EDIT));
    if (Script) Script(Handle());
  }
};

void Type(HWND dialog, const wchar_t* text) {
  SetWindowTextW(GetDlgItem(dialog, MOX_INPUT_EDIT), text);
}

void Press(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

TEST(InputDialogTest, ShowsTitlePromptAndTextAndReturnsWhatWasTypedOnOk) {
  std::string text = "1.0000";
  ScriptedInputDialog dialog(nullptr, "Set zoom", "Enter zoom factor", &text, 256);
  dialog.Script = [](HWND handle) {
    Type(handle, L"0.25");
    Press(handle, IDOK);
  };
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_EQ(dialog.ShownTitle, L"Set zoom");
  EXPECT_EQ(dialog.ShownPrompt, L"Enter zoom factor");
  EXPECT_EQ(dialog.ShownText, L"1.0000");
  EXPECT_EQ(text, "0.25");
}

TEST(InputDialogTest, CancelLeavesTheTextAsItWas) {
  std::string text = "keep";
  ScriptedInputDialog dialog(nullptr, "t", "p", &text, 256);
  dialog.Script = [](HWND handle) {
    Type(handle, L"changed");
    Press(handle, IDCANCEL);
  };
  EXPECT_EQ(dialog.Execute(), IDCANCEL);
  EXPECT_EQ(text, "keep");
}

TEST(InputDialogTest, ChineseTextCrossesTheWindowBoundaryBothWays) {
  std::string text = "缩小";
  ScriptedInputDialog dialog(nullptr, "设置缩小因子", "请输入缩小因子", &text, 256);
  dialog.Script = [](HWND handle) {
    Type(handle, L"放大比例");
    Press(handle, IDOK);
  };
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_EQ(dialog.ShownTitle, L"设置缩小因子");
  EXPECT_EQ(dialog.ShownPrompt, L"请输入缩小因子");
  EXPECT_EQ(dialog.ShownText, L"缩小");
  EXPECT_EQ(text, "放大比例");  // GBK bytes again
}

TEST(InputDialogTest, TextIsKeptToTheBufferWithoutHalfACharacter) {
  std::string digits;
  ScriptedInputDialog short_buffer(nullptr, "t", "p", &digits, 8);
  short_buffer.Script = [](HWND handle) {
    Type(handle, L"123456789");
    Press(handle, IDOK);
  };
  short_buffer.Execute();
  EXPECT_EQ(digits, "1234567");

  std::string chinese;
  ScriptedInputDialog chinese_buffer(nullptr, "t", "p", &chinese, 4);
  chinese_buffer.Script = [](HWND handle) {
    Type(handle, L"字字");
    Press(handle, IDOK);
  };
  chinese_buffer.Execute();
  EXPECT_EQ(chinese, "字");  // three bytes allowed: the second character does not fit
}

}  // namespace
}  // namespace mox::win
