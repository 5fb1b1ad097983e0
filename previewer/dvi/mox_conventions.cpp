#include "previewer/dvi/mox_conventions.h"

#include <vector>

#include "previewer/base/chinese_codes.h"
#include "previewer/base/document_abort.h"
#include "previewer/dvi/dvi_texts.h"

namespace mox {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Integers of a colour special: optional spaces, an optional "-" and at least
// one digit, separated by ",".
class IntegerList {
 public:
  explicit IntegerList(std::string_view text) : text_(text) {}

  std::optional<std::int32_t> Next() {
    std::size_t at = at_;
    if (!first_) {
      while (at < text_.size() && text_[at] == ' ') ++at;
      if (at >= text_.size() || text_[at] != ',') return std::nullopt;
      ++at;
    }
    while (at < text_.size() && text_[at] == ' ') ++at;
    bool negative = false;
    if (at < text_.size() && text_[at] == '-') {
      negative = true;
      ++at;
    }
    if (at >= text_.size() || text_[at] < '0' || text_[at] > '9') return std::nullopt;
    std::int64_t value = 0;
    while (at < text_.size() && text_[at] >= '0' && text_[at] <= '9') {
      if (value < 0x7FFFFFFF) value = value * 10 + (text_[at] - '0');
      ++at;
    }
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
    at_ = at;
    first_ = false;
    return static_cast<std::int32_t>(negative ? -value : value);
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  bool first_ = true;
};

PageItem ColorItem(std::uint32_t value) {
  PageItem item{};
  item.SetRef(value);
  item.Kind = ItemColor;
  return item;
}

}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  }
  return true;
}

std::optional<PageItem> ParseColorSpecial(std::string_view text) {
  IntegerList values(text);
  const std::optional<std::int32_t> first = values.Next();
  if (!first) return std::nullopt;
  if (*first >= 0) return ColorItem(static_cast<std::uint32_t>(*first));
  if (*first == -1) {
    const std::optional<std::int32_t> a = values.Next();
    const std::optional<std::int32_t> b = a ? values.Next() : std::nullopt;
    if (!b) return std::nullopt;
    PageItem item = ColorItem(kColorPair);
    item.Width = static_cast<std::int16_t>(static_cast<std::uint16_t>(*a));
    item.Height = static_cast<std::int16_t>(static_cast<std::uint16_t>(*b));
    return item;
  }
  if (*first == -2) {
    std::vector<std::uint8_t> rows;
    while (rows.size() < 8) {
      const std::optional<std::int32_t> value = values.Next();
      if (!value) break;
      rows.push_back(static_cast<std::uint8_t>(*value));
    }
    std::array<std::uint8_t, 8> pattern{};
    for (std::size_t i = 0; i < 8 && !rows.empty(); ++i) pattern[i] = rows[i % rows.size()];
    PageItem item = ColorItem(kColorPattern);
    // The pattern bytes fill fields 0 to 6 in memory order.
    auto pair = [&](std::size_t i) {
      return static_cast<std::int16_t>(pattern[i] | (pattern[i + 1] << 8));
    };
    item.Width = pair(0);
    item.Height = pair(2);
    item.X = pair(4);
    item.Y = pair(6);
    return item;
  }
  return std::nullopt;
}

void ApplyZitiLetter(ZitiState& ziti, int letter, Language language) {
  if (letter == '?') {
    if (ziti.Depth >= ZitiState::kStackDepth) {
      AbortDocument(kZitiOverflow.In(language));
    }
    ziti.Saved[static_cast<std::size_t>(ziti.Depth++)] = static_cast<std::uint8_t>(ziti.Current);
    return;
  }
  if (letter == '>') {
    if (ziti.Depth <= 0) AbortDocument(kZitiUnderflow.In(language));
    ziti.Current = ziti.Saved[static_cast<std::size_t>(--ziti.Depth)];
    return;
  }
  const int upper = letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter;
  const int number = upper - 64;
  if (number < 0 || number > 26) AbortDocument(kInvalidZiti.In(language));
  ziti.Current = number;
}

std::optional<ChineseCode> DecodeChineseCode(int first, int second, int ziti,
                                             std::int32_t boundary1, std::int32_t boundary2,
                                             std::int32_t boundary3) {
    // Rows and cells count from 33 (0x21) in the bytes.
  const std::int32_t q = kCellsPerRow * (first - 0x21) + (second - 0x21);
  if (q < 0 || q >= boundary3) return std::nullopt;
  if (q < boundary1) return ChineseCode{1, q};
  if (q < boundary2) return ChineseCode{2 * ziti, q - boundary1};
  return ChineseCode{2 * ziti + 1, q - boundary2};
}

}  // namespace mox
