// The PK generator as the PK loader's tests see it: instead of starting
// MAKEPK.EXE, RunPkGenerator counts the call and runs the test's action
// (which may write the missing font files) for its result. Linked into the
// PK tests only, in place of the real generator.
#pragma once

#include <functional>

namespace mox::test {

struct FakePkGenerator {
  int Calls = 0;
  // What the generator does and gives; none: it cannot be started (1).
  std::function<int()> Action;
};

FakePkGenerator& TheFakePkGenerator();

}  // namespace mox::test
