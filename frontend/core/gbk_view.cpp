#include "frontend/core/gbk_view.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

// The bytes of one unit: its GBK code, or `missing` when it has none.
void AppendUnit(std::string& bytes, char16_t unit, char missing) {
  std::string encoded;
  std::size_t failed_at = 0;
  const std::u16string_view one(&unit, 1);
  if (platform::EncodeGbk(one, encoded, failed_at)) {
    bytes += encoded;
  } else {
    bytes.push_back(missing);
  }
}

}  // namespace

GbkView::GbkView(std::u16string_view text) {
  offsets_.reserve(text.size() + 1);
  bytes_.reserve(text.size() * 2);
  for (char16_t unit : text) {
    offsets_.push_back(bytes_.size());
    AppendUnit(bytes_, unit, static_cast<char>(0xFF));
  }
  offsets_.push_back(bytes_.size());
  starts_.assign(bytes_.size() + 1, false);
  for (std::size_t offset : offsets_) starts_[offset] = true;
}

std::size_t GbkView::ByteOf(std::size_t unit) const {
  return offsets_[std::min(unit, offsets_.size() - 1)];
}

std::size_t GbkView::UnitOf(std::size_t byte) const {
  const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), byte);
  return static_cast<std::size_t>(after - offsets_.begin()) - 1;
}

std::string GbkForMessage(std::u16string_view text) {
  // GB18030, GBK's superset, which the message boxes read: characters GBK
  // lacks (Extension A, emoji) show as themselves.
  std::string bytes;
  std::size_t at = 0;
  while (at < text.size()) {
    std::string part;
    std::size_t failed_at = 0;
    if (platform::EncodeGb18030(text.substr(at), part, failed_at)) {
      bytes += part;
      break;
    }
    bytes += part;
    bytes.push_back('?');  // a surrogate outside a pair
    at += failed_at + 1;
  }
  return bytes;
}

}  // namespace mox::varelo
