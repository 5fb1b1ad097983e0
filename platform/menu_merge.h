// The merge of an MDI child's menus into its frame's menu bar by group
// numbers: what the bar shows while the child is active.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace mox::platform {

// Where one menu of the merged bar comes from.
struct MenuSource {
  bool FromChild;
  std::size_t Index;
};

// The child's menus replace the frame's menus of the same group numbers
// and take their place in the order of the groups; the frame's menus of
// other groups stay. Menus of one group keep their order.
std::vector<MenuSource> MergeMenuGroups(std::span<const int> frame_groups,
                                        std::span<const int> child_groups);

}  // namespace mox::platform
