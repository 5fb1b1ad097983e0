// A source file's bytes as the text an editor window holds, and back, so
// that a file opened and saved unchanged is the same file, whatever bytes
// it holds. Sources are GBK; a file that is valid UTF-8 and not plain
// ASCII (the rule of platform::IsUtf8Text) is read as UTF-8 and written
// back as UTF-8, with its byte order mark when it had one; a file that
// begins with a UTF-16 byte order mark is UTF-16. Line ends are kept as the
// file has them, each line its own (CR LF, LF or CR); a new line takes the
// kind the file uses most.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mox::varelo {

enum class TextEncoding { Gbk, Utf8, Utf16Le, Utf16Be };
enum class LineEnd { CrLf, Lf, Cr };

struct TextFormat {
  TextEncoding Encoding = TextEncoding::Gbk;
  bool ByteOrderMark = false;
  LineEnd LineEnds = LineEnd::CrLf;
};

struct DecodedText {
  std::u16string Text;  // with the file's line ends
  TextFormat Format;
};

// The units of a line end of that kind.
std::u16string_view LineEndText(LineEnd end);
// "GBK", "UTF-8", "UTF-16".
const char* EncodingName(TextEncoding encoding);

// Why a file does not look like a source, asked about before it opens: a
// UTF-16 text (which TeX cannot read), NUL bytes, or too many bytes that
// no text holds: control characters (other than tab, the line ends, form
// feed, escape and Ctrl+Z) and bytes that are no character of GBK or
// UTF-8, more than one byte in twenty (and at least 16 of them).
enum class NotText { No, Utf16, NulBytes, Binary };
struct TextCheck {
  NotText Verdict = NotText::No;
  // The share of such bytes, in percent.
  unsigned StrangePercent = 0;
};
TextCheck CheckText(std::string_view bytes);

// A file's bytes as text. The line ends used most often become the
// format's (CR LF on a tie or when there are none). A UTF-16 file (its
// byte order mark, an even length) is read unit by unit, unpaired
// surrogates included. Another file holding NUL is read as GBK: its NUL
// bytes are kept as escapes (platform::DecodeGbk).
DecodedText DecodeTextFile(std::string_view bytes);

// Text as the bytes of a file of the given format (its line ends as they
// are). False
// when a character cannot be written in the format's encoding: `failed_at`
// is its index in `text` and nothing is meant to be written.
bool EncodeTextFile(std::u16string_view text, const TextFormat& format, std::string& bytes,
                    std::size_t& failed_at);

// The line (from 0) and column (from 0, in UTF-16 units) of an index of a
// text (CR LF, LF and CR end lines).
void LineAndColumnOf(std::u16string_view text, std::size_t index, std::size_t& line,
                     std::size_t& column);

}  // namespace mox::varelo
