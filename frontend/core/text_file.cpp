#include "frontend/core/text_file.h"

#include <vector>

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Counts the three kinds of line ends and returns the text with each of
// them turned into CR.
std::u16string ToCrLines(const std::u16string& text, LineEnd& most_used) {
  std::size_t crlf = 0;
  std::size_t lf = 0;
  std::size_t cr = 0;
  std::u16string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++crlf;
      ++i;
      lines.push_back(u'\r');
    } else if (unit == u'\r') {
      ++cr;
      lines.push_back(u'\r');
    } else if (unit == u'\n') {
      ++lf;
      lines.push_back(u'\r');
    } else {
      lines.push_back(unit);
    }
  }
  most_used = LineEnd::CrLf;
  if (lf > crlf && lf >= cr) {
    most_used = LineEnd::Lf;
  } else if (cr > crlf && cr > lf) {
    most_used = LineEnd::Cr;
  }
  return lines;
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
  decoded.Text = ToCrLines(text, decoded.Format.LineEnds);
  return decoded;
}

bool EncodeTextFile(std::u16string_view text, const TextFormat& format, std::string& bytes,
                    std::size_t& failed_at) {
  std::u16string lines;
  std::u16string_view line_end = u"\r\n";
  if (format.LineEnds == LineEnd::Lf) line_end = u"\n";
  if (format.LineEnds == LineEnd::Cr) line_end = u"\r";
  // Where each unit of `lines` came from in `text`, for failed_at.
  std::vector<std::size_t> origin;
  lines.reserve(text.size());
  origin.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      lines += line_end;
      origin.insert(origin.end(), line_end.size(), i);
    } else {
      lines.push_back(text[i]);
      origin.push_back(i);
    }
  }
  std::string body;
  std::size_t failed = 0;
  const bool ok = format.Encoding == TextEncoding::Utf8
                      ? platform::EncodeUtf8(lines, body, failed)
                      : platform::EncodeGbk(lines, body, failed);
  if (!ok) {
    failed_at = origin[failed];
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
    if (text[i] == u'\r') {
      ++line;
      line_start = i + 1;
    }
  }
  column = index - line_start;
}

}  // namespace mox::varelo
