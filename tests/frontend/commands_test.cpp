// The menu merge: an active editor window's menus take the frame's file
// menu's place and follow it; the frame's other menus stay.
#include "frontend/core/commands.h"
#include "platform/menu_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mox::varelo {
namespace {

std::vector<int> Groups(const std::vector<Menu>& menus) {
  std::vector<int> groups;
  for (const Menu& menu : menus) groups.push_back(menu.Group);
  return groups;
}

TEST(CommandsTest, MergedMenuBarReadsLeftToRight) {
  const std::vector<int> frame = Groups(FrameMenus());
  const std::vector<int> child = Groups(EditorMenus());
  std::vector<std::string> captions;
  for (const platform::MenuSource& source : platform::MergeMenuGroups(frame, child)) {
    captions.push_back(source.FromChild ? EditorMenus()[source.Index].Caption
                                        : FrameMenus()[source.Index].Caption);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"文件[&F]", "编辑[&E]", "视图[&V]", "&TeX ",
                                                "批命令(&B)", "模板(&M)", "窗口(&W)",
                                                "帮助(&H)", "&Email"}));
  // A child group between the frame's goes between them; groups the child
  // lacks stay the frame's.
  const std::vector<int> frame_groups{0, 2, 2, 5};
  const std::vector<int> child_groups{1, 2};
  const auto merged = platform::MergeMenuGroups(frame_groups, child_groups);
  ASSERT_EQ(merged.size(), 4u);
  EXPECT_FALSE(merged[0].FromChild);
  EXPECT_TRUE(merged[1].FromChild && merged[1].Index == 0);
  EXPECT_TRUE(merged[2].FromChild && merged[2].Index == 1);
  EXPECT_TRUE(!merged[3].FromChild && merged[3].Index == 3);
}

}  // namespace
}  // namespace mox::varelo
