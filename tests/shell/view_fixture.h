// Tests of the page view: a window of the tests' own, the view with its
// document, the boxes and caption the window would show, and a temporary
// folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/shell/page_view.h"
#include "tests/shell/fake_window.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/temp_dir.h"

namespace mox::test {

class ViewTest : public ::testing::Test {
 protected:
  // The texts of every box shown so far.
  std::vector<std::string> Errors() const { return BoxTexts(ui_.Boxes); }

  // The one error box a load that failed shows.
  std::string OnlyError() const { return OnlyBoxText(ui_.Boxes); }

  TempDir dir_;
  // The window shows the view's boxes and caption through the platform.
  RecordingUserInterface ui_;
  FakeWindow window_;
  PageView view_{window_};
  PreviewDocument& doc_ = view_.Doc();
  std::string path_;
};

}  // namespace mox::test
