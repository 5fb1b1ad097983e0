// What a build (a batch item, the command runner's run, a forward
// search) does with unsaved text first, so that it compiles what the user
// sees: the active window saved when it is modified, or given a name when
// it never had one (cancelling that runs nothing); the other modified
// windows offered with one question that lists them.
#pragma once

#include <vector>

#include "frontend/core/editor.h"

namespace mox::varelo {

enum class BuildSaving {
  Ready,      // everything the build reads is on disk
  NoFile,     // the active window has no file: its naming was cancelled
  Cancelled,  // the user said Cancel, or a save did not happen
};

BuildSaving SaveForBuild(Editor& active, const std::vector<Editor*>& others);

}  // namespace mox::varelo
