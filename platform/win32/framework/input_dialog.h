// The one-line input dialog: a title, a prompt and one edit line whose text
// goes in and comes out through a text buffer of a given size.
#pragma once

#include <string>

#include "platform/win32/framework/dialog.h"

namespace mox::win {

class TInputDialog : public TDialog {
 public:
  // title and prompt are GBK; text is the buffer, buffer_size its size in
  // bytes including the terminator.
  TInputDialog(HWND parent, std::string title, std::string prompt, std::string* text,
               std::size_t buffer_size);

 protected:
  void SetupWindow() override;

 private:
  std::string title_;
  std::string prompt_;
};

}  // namespace mox::win
