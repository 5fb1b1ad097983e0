// How the portable core reaches the user: modal message boxes and the caption
// of the main window. The Win32 build shows real boxes; native programs and
// tests install their own implementation.
#pragma once

#include <functional>
#include <string_view>

namespace mox::platform {

// Box styles and answers, numerically the same as the Win32 MB_* / ID* values
// so that the Win32 implementation passes them through unchanged.
enum BoxStyle : unsigned {
  kBoxOk = 0x0000,
  kBoxOkCancel = 0x0001,
  kBoxYesNoCancel = 0x0003,
  kBoxYesNo = 0x0004,
  kBoxIconError = 0x0010,
  kBoxIconQuestion = 0x0020,
  kBoxIconWarning = 0x0030,
  kBoxIconInformation = 0x0040,
};

enum BoxAnswer : int {
  kAnswerOk = 1,
  kAnswerCancel = 2,
  kAnswerYes = 6,
  kAnswerNo = 7,
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // Shows a modal box with GBK text and caption; returns the button pressed.
  virtual int ShowBox(std::string_view text, std::string_view caption,
                         unsigned style) = 0;
  // Replaces the caption of the main window (the previewer's status line).
  virtual void SetCaption(std::string_view text) = 0;
  // Shows GBK text with a cancel button (labelled `cancel`) for as long as `ended` gives false,
  // asking it every tenth of a second; true once it gave true, false when
  // the user cancelled. By default nothing is shown and only `ended` ends
  // the wait.
  virtual bool WaitFor(std::string_view text, std::string_view caption,
                       std::string_view cancel, const std::function<bool()>& ended);
};

// The process-wide user interface. Until a program installs one, boxes are
// answered with OK/No and captions are dropped, so nothing blocks.
UserInterface& Ui();
// Installs ui (not owned; nullptr restores the silent default) and returns
// the one that was installed before.
UserInterface* SetUi(UserInterface* ui);

}  // namespace mox::platform
