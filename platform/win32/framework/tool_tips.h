// Hints: a tool-tip window that shows a text while the pointer rests on one
// of the controls it was given.
#pragma once

#include <windows.h>

#include <string>

namespace mox::win {

class TToolTips {
 public:
  TToolTips() = default;
  ~TToolTips();
  TToolTips(const TToolTips&) = delete;
  TToolTips& operator=(const TToolTips&) = delete;

  // The hint of a control of owner (a window of this thread); GBK text.
  void Add(HWND owner, HWND control, const std::string& hint);

 private:
  HWND tips_ = nullptr;
};

}  // namespace mox::win
