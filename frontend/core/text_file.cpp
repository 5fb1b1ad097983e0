#include "frontend/core/text_file.h"

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The line end a text uses most (CR LF on a tie or when there is none).
LineEnd MostUsedLineEnd(std::u16string_view text) {
  std::size_t crlf = 0;
  std::size_t lf = 0;
  std::size_t cr = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++crlf;
      ++i;
    } else if (text[i] == u'\r') {
      ++cr;
    } else if (text[i] == u'\n') {
      ++lf;
    }
  }
  if (lf > crlf && lf >= cr) return LineEnd::Lf;
  if (cr > crlf && cr > lf) return LineEnd::Cr;
  return LineEnd::CrLf;
}

}  // namespace

DecodedText DecodeTextFile(std::string_view bytes) {
  DecodedText decoded;
  std::u16string text;
  const bool has_nul = bytes.find('\0') != std::string_view::npos;
  if (!has_nul && platform::IsUtf8Text(bytes)) {
    decoded.Format.Encoding = TextEncoding::Utf8;
    if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
      decoded.Format.ByteOrderMark = true;
      bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    text = platform::DecodeUtf8(bytes);
  } else {
    text = platform::DecodeGbk(bytes);
  }
  decoded.Format.LineEnds = MostUsedLineEnd(text);
  decoded.Text = std::move(text);
  return decoded;
}

std::u16string_view LineEndText(LineEnd end) {
  switch (end) {
    case LineEnd::Lf: return u"\n";
    case LineEnd::Cr: return u"\r";
    default: return u"\r\n";
  }
}

bool EncodeTextFile(std::u16string_view text, const TextFormat& format, std::string& bytes,
                    std::size_t& failed_at) {
  std::string body;
  std::size_t failed = 0;
  const bool ok = format.Encoding == TextEncoding::Utf8 ? platform::EncodeUtf8(text, body, failed)
                                                         : platform::EncodeGbk(text, body, failed);
  if (!ok) {
    failed_at = failed;
    return false;
  }
  bytes.clear();
  if (format.Encoding == TextEncoding::Utf8 && format.ByteOrderMark) bytes = kUtf8ByteOrderMark;
  bytes += body;
  failed_at = text.size();
  return true;
}

void LineAndColumnOf(std::u16string_view text, std::size_t index, std::size_t& line,
                     std::size_t& column) {
  line = 0;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < index && i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    if (text[i] == u'\r' || text[i] == u'\n') {
      ++line;
      line_start = i + 1;
    }
  }
  column = index - line_start;
}

}  // namespace mox::varelo
