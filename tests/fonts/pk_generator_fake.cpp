#include "tests/fonts/pk_generator_fake.h"

#include "previewer/fonts/pk_generator.h"

namespace mox {

namespace test {
FakePkGenerator& TheFakePkGenerator() {
  static FakePkGenerator generator;
  return generator;
}
}  // namespace test

int RunPkGenerator(FontDocument&) {
  test::FakePkGenerator& generator = test::TheFakePkGenerator();
  ++generator.Calls;
  return generator.Action ? generator.Action() : 1;
}

}  // namespace mox
