#include "platform/menu_merge.h"

#include <algorithm>
#include <utility>

namespace mox::platform {

std::vector<MenuSource> MergeMenuGroups(std::span<const int> frame_groups,
                                        std::span<const int> child_groups) {
  std::vector<std::pair<int, MenuSource>> merged;
  for (std::size_t i = 0; i < frame_groups.size(); ++i) {
    const bool replaced = std::find(child_groups.begin(), child_groups.end(),
                                    frame_groups[i]) != child_groups.end();
    if (!replaced) merged.push_back({frame_groups[i], {false, i}});
  }
  for (std::size_t i = 0; i < child_groups.size(); ++i) {
    merged.push_back({child_groups[i], {true, i}});
  }
  // Stable: menus of one group keep their order; a child's group goes
  // where its number falls among the frame's.
  std::stable_sort(merged.begin(), merged.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<MenuSource> sources;
  sources.reserve(merged.size());
  for (const auto& entry : merged) sources.push_back(entry.second);
  return sources;
}

}  // namespace mox::platform
