// Varelo's frame commands through a fake frame that writes down what it is
// asked to do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/core/commands.h"
#include "frontend/core/frame_commands.h"
#include "tests/support/recording_user_interface.h"

namespace mox::varelo {
namespace {

class FakeFrame final : public FrameHost {
 public:
  std::vector<std::string> Calls;
  bool Editor = false;
  bool Messages = false;
  bool Shown[3] = {true, true, false};
  bool Positions = false;
  std::string Dir = "/nowhere";

  const std::string& ProgramDir() const override { return Dir; }
  void NewDocument() override { Calls.push_back("new"); }
  void OpenDocument() override { Calls.push_back("open"); }
  void OpenRecentFile(std::size_t i) override { Calls.push_back("recent " + std::to_string(i)); }
  void OpenTemplate(std::size_t i) override { Calls.push_back("template " + std::to_string(i)); }
  void ShowCommandRunner() override { Calls.push_back("runner"); }
  void RunBatchItem(std::size_t i) override { Calls.push_back("batch " + std::to_string(i)); }
  void Exit() override { Calls.push_back("exit"); }
  bool HasActiveEditor() const override { return Editor; }
  void ActivateNextEditor(bool back) override { Calls.push_back(back ? "previous" : "next"); }
  void ArrangeEditors(EditorArrangement how) override {
    Calls.push_back("arrange " + std::to_string(static_cast<int>(how)));
  }
  void ShowCaretLineInPreviewer() override { Calls.push_back("forward"); }
  bool HasBuildMessages() const override { return Messages; }
  void StepBuildRows(bool forward) override { Calls.push_back(forward ? "row+" : "row-"); }
  bool IsShown(FramePart part) const override { return Shown[static_cast<int>(part)]; }
  void SetShown(FramePart part, bool shown) override {
    Shown[static_cast<int>(part)] = shown;
    Calls.push_back("shown " + std::to_string(static_cast<int>(part)) + (shown ? " on" : " off"));
  }
  void ShowForm(FrameForm form) override {
    Calls.push_back("form " + std::to_string(static_cast<int>(form)));
  }
  bool SourcePositions() const override { return Positions; }
  void ChangeSourcePositions(bool on) override {
    Positions = on;
    Calls.push_back(on ? "specials on" : "specials off");
  }
  void Start(const ProgramStart& start) override { Calls.push_back("start " + start.CommandLine); }
  void StartProgram(const std::string& line) override { Calls.push_back("program " + line); }
  void ShowHelp(int id) override { Calls.push_back("help " + std::to_string(id)); }
  void ShowNews() override { Calls.push_back("news"); }
  void WriteMail(int id) override { Calls.push_back("mail " + std::to_string(id)); }
};

class FrameCommandsTest : public ::testing::Test {
 protected:
  std::vector<std::string> Run(std::initializer_list<int> ids) {
    frame_.Calls.clear();
    for (int id : ids) EXPECT_TRUE(commands_.Run(id)) << id;
    return frame_.Calls;
  }

  test::RecordingUserInterface ui_;
  FakeFrame frame_;
  FrameCommands commands_{frame_};
};

TEST_F(FrameCommandsTest, NumberedMenusAndWindowCommandsReachTheFrame) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Run({CM_RECENT_FIRST + 2, CM_BATCH_FIRST, CM_TEMPLATE_LAST, CM_NEW, CM_COMPILE}),
            (V{"recent 2", "batch 0", "template 13", "new", "runner"}));
  EXPECT_EQ(Run({CM_CASCADE, CM_TILE_VERTICAL, CM_ABOUT, CM_PHRASES, CM_HELP_MIKTEX}),
            (V{"arrange 3", "arrange 1", "form 0", "form 2", "help 184"}));
  // Window cycling needs an editor; editor commands without one do nothing.
  EXPECT_EQ(Run({CM_NEXT_WINDOW, CM_COPY, CM_FIND_NEXT}), V{});
  frame_.Editor = true;
  EXPECT_EQ(Run({CM_NEXT_WINDOW, CM_PREVIOUS_WINDOW}), (V{"next", "previous"}));
  EXPECT_FALSE(commands_.Run(CM_SAVE));  // an editor window's own
  EXPECT_FALSE(commands_.Run(9999));
}

TEST_F(FrameCommandsTest, TogglesFlipWhatTheFrameShowsAndTheSettings) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Run({CM_TOGGLE_STRUCTURE_BAR, CM_BUILD_PANEL, CM_BUILD_PANEL, CM_SOURCE_SPECIALS}),
            (V{"shown 0 off", "shown 2 on", "shown 2 off", "specials on"}));
  EXPECT_TRUE(frame_.Positions);
  // The tutorial starts the previewer from the program's folder.
  ASSERT_EQ(Run({CM_TUTORIAL}).size(), 1u);
  EXPECT_NE(frame_.Calls[0].find("/nowhere"), std::string::npos) << frame_.Calls[0];
  // The information on batch files is a box of its own, nothing asked of the frame.
  EXPECT_EQ(Run({CM_ABOUT_BATCH}), V{});
  EXPECT_EQ(ui_.Boxes.size(), 1u);
}

TEST_F(FrameCommandsTest, GreyingAndHints) {
  EXPECT_FALSE(commands_.IsEnabled(CM_FORWARD_SEARCH));
  EXPECT_FALSE(commands_.IsEnabled(CM_NEXT_MESSAGE));
  frame_.Editor = frame_.Messages = true;
  EXPECT_TRUE(commands_.IsEnabled(CM_FORWARD_SEARCH));
  EXPECT_TRUE(commands_.IsEnabled(CM_PREVIOUS_MESSAGE));
  EXPECT_FALSE(commands_.IsEnabled(CM_HELP_PCTEX));
  EXPECT_FALSE(commands_.HintOf(CM_HELP_PCTEX).empty());
  EXPECT_FALSE(commands_.HintOf(CM_TOGGLE_PALETTE_BAR).empty());
}

}  // namespace
}  // namespace mox::varelo
