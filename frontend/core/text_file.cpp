#include "frontend/core/text_file.h"

#include <optional>

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// A UTF-16 file: its byte order mark, and whole units.
std::optional<TextEncoding> Utf16Of(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  if (bytes.substr(0, 2) == kUtf16LeMark) return TextEncoding::Utf16Le;
  if (bytes.substr(0, 2) == kUtf16BeMark) return TextEncoding::Utf16Be;
  return std::nullopt;
}

std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first));
  }
  return text;
}

std::string EncodeUtf16(std::u16string_view text, bool big_endian) {
  std::string bytes(big_endian ? kUtf16BeMark : kUtf16LeMark);
  bytes.reserve(2 + text.size() * 2);
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.push_back(big_endian ? high : low);
    bytes.push_back(big_endian ? low : high);
  }
  return bytes;
}

// So many such bytes a text may hold, a few bad characters in a short
// file.
constexpr std::size_t kFewStrangeBytes = 16;

// Control characters a text file may hold: tab, line feed, form feed,
// carriage return, Ctrl+Z (the old end of a text file) and escape.
bool IsTextControl(unsigned char byte) {
  return byte == 0x09 || byte == 0x0A || byte == 0x0C || byte == 0x0D || byte == 0x1A ||
         byte == 0x1B;
}

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
  if (const std::optional<TextEncoding> utf16 = Utf16Of(bytes)) {
    decoded.Format.Encoding = *utf16;
    decoded.Format.ByteOrderMark = true;
    text = DecodeUtf16(bytes.substr(2), *utf16 == TextEncoding::Utf16Be);
  } else if (!has_nul && platform::IsUtf8Text(bytes)) {
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

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: return "UTF-16";
    default: return "GBK";
  }
}

TextCheck CheckText(std::string_view bytes) {
  TextCheck check;
  if (Utf16Of(bytes)) {
    check.Verdict = NotText::Utf16;
    return check;
  }
  const bool utf8 = platform::IsUtf8Text(bytes);
  std::size_t strange = 0;
  bool nul = false;
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value == 0) nul = true;
    if ((value < 0x20 && !IsTextControl(value)) || value == 0x7F) ++strange;
  }
  if (!utf8) {
    // Bytes that are no GBK character come back from the decoding as
    // escapes, one a byte.
    for (const char16_t unit : platform::DecodeGbk(bytes)) {
      if (unit >= platform::kByteEscapeBase + 0x80 && unit <= platform::kByteEscapeBase + 0xFF) {
        ++strange;
      }
    }
  }
  check.StrangePercent =
      bytes.empty() ? 0 : static_cast<unsigned>(strange * 100 / bytes.size());
  if (nul) {
    check.Verdict = NotText::NulBytes;
  } else if (strange >= kFewStrangeBytes && strange * 20 > bytes.size()) {
    check.Verdict = NotText::Binary;
  }
  return check;
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
  if (format.Encoding == TextEncoding::Utf16Le || format.Encoding == TextEncoding::Utf16Be) {
    bytes = EncodeUtf16(text, format.Encoding == TextEncoding::Utf16Be);
    failed_at = text.size();
    return true;
  }
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
