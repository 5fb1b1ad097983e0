// Any text as dvips colour specials, and any sequence of pushes, pops and
// sets on a colour stack. Each line of the input is a special, applied to
// the stack as the scanner would; then each byte is an operation (two low
// bits: push, pop, set, copy; the rest a colour). The stack must stay within
// its depth, a refused push or pop must leave it as it was, and a pop must
// bring back the colour current before the push.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "previewer/dvi/dvips_color.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Apply(mox::ColorStack& stack, std::vector<mox::RgbColor>& before_push,
           const mox::ColorSpecial& special) {
  const mox::ColorStack before = stack;
  switch (special.Action) {
    case mox::ColorAction::Push:
      if (stack.Push(special.Color) == mox::ColorStackResult::Ok) {
        before_push.push_back(before.Current());
        Check(stack.Current() == special.Color);
      } else {
        Check(stack == before && stack.Depth() == mox::ColorStack::kMaxDepth);
      }
      break;
    case mox::ColorAction::Pop:
      if (stack.Pop() == mox::ColorStackResult::Ok) {
        Check(stack.Current() == before_push.back());
        before_push.pop_back();
      } else {
        Check(stack == before && before.Depth() == 0);
      }
      break;
    case mox::ColorAction::Set:
      stack.Set(special.Color);
      Check(stack.Current() == special.Color && stack.Depth() == before.Depth());
      break;
    case mox::ColorAction::Background:
      break;
  }
  Check(stack.Depth() <= mox::ColorStack::kMaxDepth && stack.Depth() == before_push.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  mox::ColorStack stack;
  std::vector<mox::RgbColor> before_push;

  (void)mox::ParseDvipsColorSpecial(text);
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (const auto special = mox::ParseDvipsColorSpecial(text.substr(start, end - start))) {
      Apply(stack, before_push, *special);
    }
    start = end + 1;
  }

  for (std::size_t i = 0; i < size; ++i) {
    const auto color = static_cast<std::uint8_t>(data[i] & 0xFC);
    const mox::RgbColor rgb{color, static_cast<std::uint8_t>(255 - color), color};
    switch (data[i] & 3) {
      case 0: Apply(stack, before_push, {mox::ColorAction::Push, rgb}); break;
      case 1: Apply(stack, before_push, {mox::ColorAction::Pop, {}}); break;
      case 2: Apply(stack, before_push, {mox::ColorAction::Set, rgb}); break;
      default: {
        const mox::ColorStack copy = stack;
        Check(copy == stack && copy.Current() == stack.Current());
      }
    }
  }
  return 0;
}
