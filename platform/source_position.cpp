#include "platform/source_position.h"

#include <limits>

#include "platform/text_encoding.h"

namespace mox::platform {
namespace {

std::optional<std::string> GbkToUtf8(const std::string& gbk) {
  std::string utf8;
  std::size_t failed_at = 0;
  const std::u16string wide = DecodeGbk(gbk);
  for (char16_t c : wide) {
    if (c >= kByteEscapeBase && c <= kByteEscapeBase + 0xFF) return std::nullopt;
  }
  if (!EncodeUtf8(wide, utf8, failed_at)) return std::nullopt;
  return utf8;
}

std::optional<std::string> Utf8ToGbkPath(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  for (unsigned char c : utf8) {
    if (c < 0x20) return std::nullopt;
  }
  std::string gbk;
  std::size_t failed_at = 0;
  if (!Utf8ToGbk(utf8, gbk, failed_at)) return std::nullopt;
  return gbk;
}

}  // namespace

std::string ComparablePath(std::string_view path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x81 && i + 1 < path.size()) {
      out += path[i];
      out += path[++i];
    } else if (c == '\\' || c == '/') {
      out += '/';
    } else if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else {
      out += path[i];
    }
  }
  for (std::size_t at = out.find("/./"); at != std::string::npos; at = out.find("/./")) {
    out.erase(at, 2);
  }
  return out;
}

std::optional<std::string> EncodeSourcePosition(const SourcePosition& position) {
  const std::optional<std::string> file = GbkToUtf8(position.File);
  const std::optional<std::string> dvi = GbkToUtf8(position.DviFile);
  if (!file || !dvi || position.Line < 1 || file->empty()) return std::nullopt;
  std::string text = std::to_string(position.Line) + "\n" + *file;
  if (!dvi->empty()) text += "\n" + *dvi;
  return text;
}

std::optional<SourcePosition> DecodeSourcePosition(std::string_view utf8) {
  const std::size_t first = utf8.find('\n');
  if (first == 0 || first == std::string_view::npos) return std::nullopt;
  std::int64_t line = 0;
  for (char c : utf8.substr(0, first)) {
    if (c < '0' || c > '9') return std::nullopt;
    line = line * 10 + (c - '0');
    if (line > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  if (line < 1) return std::nullopt;
  const std::string_view rest = utf8.substr(first + 1);
  const std::size_t second = rest.find('\n');
  const std::optional<std::string> file = Utf8ToGbkPath(rest.substr(0, second));
  const std::optional<std::string> dvi = Utf8ToGbkPath(
      second == std::string_view::npos ? std::string_view() : rest.substr(second + 1));
  if (!file || file->empty() || !dvi) return std::nullopt;
  return SourcePosition{static_cast<std::int32_t>(line), *file, *dvi};
}

}  // namespace mox::platform
