// Source files as the editor's text and back: GBK and UTF-8, the line
// ends of the file, bytes that are no character, and characters a file's
// encoding cannot hold.
#include "frontend/core/text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace mox::varelo {
namespace {

std::string RoundTrip(const std::string& bytes, const std::u16string& expected_text) {
  const DecodedText decoded = DecodeTextFile(bytes);
  EXPECT_EQ(decoded.Text, expected_text);
  std::string written;
  std::size_t failed_at = 0;
  EXPECT_TRUE(EncodeTextFile(decoded.Text, decoded.Format, written, failed_at));
  return written;
}

TEST(TextFileTest, EveryGbkCodeAndEveryByteComesBackUnchanged) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      all.push_back(static_cast<char>(lead));
      all.push_back(static_cast<char>(trail));
    }
  }
  for (int byte = 0; byte <= 0xFF; ++byte) all.push_back(static_cast<char>(byte));
  all += "\x81";  // a lead byte at the very end
  const std::u16string text = platform::DecodeGbk(all);
  std::string back;
  std::size_t failed_at = 0;
  ASSERT_TRUE(platform::EncodeGbk(text, back, failed_at));
  EXPECT_EQ(back, all);
  EXPECT_EQ(platform::DecodeGbk("中文 TeX"), u"中文 TeX");
  // Undecodable bytes show as escapes, never as characters of the text.
  EXPECT_EQ(platform::DecodeGbk(std::string("a\xFF\0b", 4)), u"a\xF7FF\xF700" u"b");
}

TEST(TextFileTest, GbkFilesKeepTheirLineEnds) {
  const std::string crlf = "\xD6\xD0\xCE\xC4\r\nline 2\r\n";
  EXPECT_EQ(RoundTrip(crlf, u"中文\r\nline 2\r\n"), crlf);
  const std::string lf = "a\nb\n\xD6\xD0";
  EXPECT_EQ(RoundTrip(lf, u"a\nb\n中"), lf);
  EXPECT_EQ(DecodeTextFile(lf).Format.LineEnds, LineEnd::Lf);
  // Mixed ends stay each as it was; new lines take the kind used most.
  const std::string mixed = "x\ny\r\nz\rw\n\r";
  EXPECT_EQ(RoundTrip(mixed, u"x\ny\r\nz\rw\n\r"), mixed);
  EXPECT_EQ(DecodeTextFile(mixed).Format.LineEnds, LineEnd::Lf);
  EXPECT_EQ(DecodeTextFile("a\rb\r\n").Format.LineEnds, LineEnd::CrLf);
  EXPECT_EQ(DecodeTextFile("x\ny\n").Format.Encoding, TextEncoding::Gbk);
}

TEST(TextFileTest, Utf8FilesStayUtf8WithOrWithoutByteOrderMark) {
  const std::string plain = "\xE4\xB8\xAD\xE6\x96\x87\n";  // 中文, LF
  EXPECT_EQ(RoundTrip(plain, u"中文\n"), plain);
  const DecodedText decoded = DecodeTextFile(plain);
  EXPECT_EQ(decoded.Format.Encoding, TextEncoding::Utf8);
  EXPECT_FALSE(decoded.Format.ByteOrderMark);

  const std::string marked = "\xEF\xBB\xBF" "\\section{\xE2\x82\xAC \xF0\x9F\x98\x80}\r\n";
  EXPECT_EQ(RoundTrip(marked, u"\\section{€ \U0001F600}\r\n"), marked);
  // Characters GBK lacks are written in a UTF-8 file.
  std::string written;
  std::size_t failed_at = 0;
  ASSERT_TRUE(EncodeTextFile(u"\u0E01", DecodeTextFile(marked).Format, written, failed_at));
  EXPECT_EQ(written, "\xEF\xBB\xBF\xE0\xB8\x81");
}

TEST(TextFileTest, TextTheEncodingCannotHoldIsReportedWhereItIs) {
  std::string written = "unchanged";
  std::size_t failed_at = 0;
  const TextFormat gbk;
  EXPECT_FALSE(EncodeTextFile(u"ab\r\nc\u0E01d", gbk, written, failed_at));
  EXPECT_EQ(failed_at, 5u);
  EXPECT_EQ(written, "unchanged");
  std::size_t line = 0;
  std::size_t column = 0;
  LineAndColumnOf(u"ab\r\nc\u0E01d", failed_at, line, column);
  EXPECT_EQ(line, 1u);
  EXPECT_EQ(column, 1u);
  TextFormat utf8;
  utf8.Encoding = TextEncoding::Utf8;
  EXPECT_FALSE(EncodeTextFile(u"a\xD800", utf8, written, failed_at));
  EXPECT_EQ(failed_at, 1u);
}

TEST(TextFileTest, FilesWithNulOrInvalidUtf8AreReadAsGbkBytes) {
  // Valid UTF-8 but for one byte: GBK, and every byte survives.
  const std::string broken = "\xE4\xB8\xAD\xFF\r\n";
  const DecodedText decoded = DecodeTextFile(broken);
  EXPECT_EQ(decoded.Format.Encoding, TextEncoding::Gbk);
  std::string written;
  std::size_t failed_at = 0;
  ASSERT_TRUE(EncodeTextFile(decoded.Text, decoded.Format, written, failed_at));
  EXPECT_EQ(written, broken);
  const std::string with_nul("\xE4\xB8\xAD\0x", 5);
  EXPECT_EQ(DecodeTextFile(with_nul).Format.Encoding, TextEncoding::Gbk);
  EXPECT_EQ(RoundTrip(with_nul, platform::DecodeGbk(with_nul)), with_nul);
}

}  // namespace
}  // namespace mox::varelo
