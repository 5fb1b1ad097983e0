#include "previewer/text/text_flow.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace mox {
namespace {

// The gap between words, in quads of the smaller font: TeX's interword
// space in Computer Modern shrinks to 0.22 quad at most, and its kerns and
// italic corrections stay within 0.11.
constexpr double kSpaceQuads = 0.15;
// How far the baseline moves within a line: superscripts and subscripts
// move it by less than half a quad; lines are more than a quad apart.
constexpr double kLineQuads = 0.5;

std::int64_t Magnitude(std::int64_t value) { return value < 0 ? -value : value; }

}  // namespace

bool SameLine(std::int32_t v, std::int32_t other_v, std::int32_t quad) {
  const std::int64_t moved = Magnitude(static_cast<std::int64_t>(other_v) - v);
  return static_cast<double>(moved) <= kLineQuads * std::max<std::int32_t>(quad, 1);
}

Separation SeparationBetween(const TextCharacter& before, const TextCharacter& after) {
  const std::int32_t quad = std::max<std::int32_t>(std::min(before.Quad, after.Quad), 1);
  const std::int64_t gap = static_cast<std::int64_t>(after.H) -
                           (static_cast<std::int64_t>(before.H) + before.Advance);
  if (!SameLine(before.V, after.V, std::max(before.Quad, after.Quad))) {
    return Separation::LineBreak;
  }
  // A new line a little lower or higher that starts to the left.
  if (after.V != before.V && after.H < before.H) return Separation::LineBreak;
  if (static_cast<double>(gap) > kSpaceQuads * quad) return Separation::Space;
  return Separation::None;
}

TextFlow FlowOf(std::span<const TextCharacter> characters, std::span<const int> chosen) {
  TextFlow flow;
  const TextCharacter* before = nullptr;
  for (const int index : chosen) {
    const TextCharacter& character = characters[static_cast<std::size_t>(index)];
    if (before != nullptr) {
      switch (SeparationBetween(*before, character)) {
        case Separation::Space:
          flow.Text += U' ';
          flow.CharacterOf.push_back(-1);
          break;
        case Separation::LineBreak:
          flow.Text += U'\n';
          flow.CharacterOf.push_back(-1);
          break;
        case Separation::None:
          break;
      }
    }
    flow.Text += character.Text;
    flow.CharacterOf.insert(flow.CharacterOf.end(), character.Text.size(), index);
    before = &character;
  }
  if (before != nullptr) {
    flow.Text += U'\n';
    flow.CharacterOf.push_back(-1);
  }
  return flow;
}

TextFlow FlowOf(const PageText& page) {
  std::vector<int> all(page.Characters.size());
  std::iota(all.begin(), all.end(), 0);
  return FlowOf(page.Characters, all);
}

std::u32string Utf32Of(std::string_view utf8) {
  std::u32string out;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2
                     : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    char32_t value = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F
                                                                                  : lead & 0x07;
    bool valid = length > 0 && at + static_cast<std::size_t>(length) <= utf8.size();
    for (int i = 1; valid && i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(utf8[at + static_cast<std::size_t>(i)]);
      valid = (next & 0xC0) == 0x80;
      value = value << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are no characters.
    if (valid && ((length == 3 && value < 0x800) || (length == 4 && value < 0x10000) ||
                  value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))) {
      valid = false;
    }
    if (!valid) {
      out += U'\uFFFD';
      ++at;
      continue;
    }
    out += value;
    at += static_cast<std::size_t>(length);
  }
  return out;
}

std::string Utf8Of(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace mox
