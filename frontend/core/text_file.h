// A source file's bytes as the text an editor window holds, and back, so
// that a file opened and saved unchanged is the same file. Sources are GBK;
// a file that is valid UTF-8 and not plain ASCII (the rule of
// platform::IsUtf8Text) is read as UTF-8 and written back as UTF-8, with
// its byte order mark when it had one. Line ends are kept as the file has
// them, each line its own (CR LF, LF or CR); a new line takes the kind the
// file uses most.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mox::varelo {

enum class TextEncoding { Gbk, Utf8 };
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

// A file's bytes as text. The line ends used most often become the
// format's (CR LF on a tie or when there are none). A file holding NUL is
// read as GBK: its NUL bytes are kept as escapes (platform::DecodeGbk).
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
