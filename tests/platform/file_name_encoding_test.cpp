// File names and window texts in GB18030: every character the system can
// name a file with comes back unchanged, and the GBK bytes of the files
// written before read exactly as they did.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace mox::platform {
namespace {

std::string Encode(std::u16string_view text) {
  std::string bytes;
  std::size_t failed_at = 0;
  EXPECT_TRUE(EncodeGb18030(text, bytes, failed_at)) << "at " << failed_at;
  return bytes;
}

TEST(FileNameEncodingTest, CharactersGbkLacksTakeTheirFourByteCodes) {
  // A Korean word, an emoji above the plane, a rare ideograph GBK has
  // (two bytes, as in GBK) and a Latin letter with a GBK code.
  EXPECT_EQ(Encode(u"한글"), "\x83\x36\x84\x33\x82\x38\x84\x37");
  EXPECT_EQ(Encode(u"\U0001F600"), "\x94\x39\xFC\x36");
  EXPECT_EQ(Encode(u"镕\u00E9"), "\xE9\x46\xA8\xA6");
  EXPECT_EQ(DecodeGb18030("D:\\\x83\x36\x84\x33\\\x94\x39\xFC\x36.ctx"), u"D:\\한\\\U0001F600.ctx");
}

TEST(FileNameEncodingTest, EveryCharacterOfEveryPlaneComesBack) {
  std::size_t unencodable = 0;
  for (char32_t c = 1; c <= 0x10FFFF; c += (c < 0x10000 ? 1 : 97)) {
    if ((c >= 0xD800 && c <= 0xDFFF) || (c >= kByteEscapeBase && c <= kByteEscapeBase + 0xFF)) {
      continue;
    }
    std::u16string text;
    if (c >= 0x10000) {
      text = {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
              static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
    } else {
      text = {static_cast<char16_t>(c)};
    }
    std::string bytes;
    std::size_t failed_at = 0;
    if (!EncodeGb18030(text, bytes, failed_at)) {
      ++unencodable;
      continue;
    }
    ASSERT_EQ(DecodeGb18030(bytes), text) << "U+" << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(unencodable, 0u);
  std::string bytes;
  std::size_t failed_at = 0;
  EXPECT_FALSE(EncodeGb18030(u"ab\xD800", bytes, failed_at));
  EXPECT_EQ(failed_at, 2u);
}

TEST(FileNameEncodingTest, GbkBytesReadAsTheyDidAndAnyBytesComeBack) {
  // Every GBK character reads as it did.
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair = {char(lead), char(trail)};
      const std::u16string gbk = DecodeGbk(pair);
      if (gbk.size() == 1) {
        ASSERT_EQ(DecodeGb18030(pair), gbk) << lead << " " << trail;
      }
    }
  }
  // Bytes that are no code, the first four-byte code, the first code
  // after the plane's, one past the last code and a cut-off code: each
  // comes back unchanged.
  const std::string odd = std::string("\xFF\x80\x00", 3) + "\x81\x30\x81\x30" +
                          "\x84\x31\xA5\x30" + "\xE3\x32\x9A\x36" + "\x81\x30";
  const std::u16string text = DecodeGb18030(odd);
  EXPECT_EQ(Encode(text), odd);
  EXPECT_EQ(DecodeGb18030("\xE3\x32\x9A\x35"), u"\U0010FFFF");
}

}  // namespace
}  // namespace mox::platform
