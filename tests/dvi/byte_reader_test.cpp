#include "previewer/base/byte_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/document_fixture.h"
#include "tests/support/temp_dir.h"

namespace mox {
namespace {

using test::AbortMessageOf;

class ByteReaderTest : public ::testing::Test {
 protected:
  // A file of `length` bytes where byte i is i mod 251 (no period of 512).
  void OpenPattern(std::uint32_t length) {
    std::string bytes(length, '\0');
    for (std::uint32_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(i % 251);
    test::WriteFile(dir_.File("data.bin"), bytes);
    ASSERT_TRUE(reader_.Open(dir_.Path() + test::kSeparator, "data.bin"));
    reader_.SetTruncationMessage("past the end");
  }

  test::TempDir dir_;
  ByteReader reader_;
};

TEST_F(ByteReaderTest, ReadsAcrossBlocksInFileOrder) {
  OpenPattern(1500);
  EXPECT_EQ(reader_.FileLength(), 1500u);
  for (std::uint32_t i = 0; i < 1500; ++i) {
    ASSERT_EQ(reader_.ReadByte(), i % 251) << i;
  }
  EXPECT_EQ(reader_.Position(), 1500u);
}

TEST_F(ByteReaderTest, SeeksInsideAndOutsideTheBlockHeld) {
  OpenPattern(2000);
  reader_.Seek(1030);  // third block
  EXPECT_EQ(reader_.ReadByte(), 1030 % 251);
  reader_.Seek(1025);  // same block, backwards
  EXPECT_EQ(reader_.ReadByte(), 1025 % 251);
  reader_.Seek(3);  // another block, backwards
  EXPECT_EQ(reader_.Position(), 3u);
  EXPECT_EQ(reader_.ReadByte(), 3);
  reader_.Seek(511);  // last byte of a block, then over the boundary
  EXPECT_EQ(reader_.ReadByte(), 511 % 251);
  EXPECT_EQ(reader_.ReadByte(), 512 % 251);
  reader_.Skip(100);
  EXPECT_EQ(reader_.Position(), 613u);
  EXPECT_EQ(reader_.ReadByte(), 613 % 251);
}

TEST_F(ByteReaderTest, BigEndianNumbersOfOneToFourBytes) {
  test::WriteFile(dir_.File("n.bin"), std::string("\x01\x02\x03\x04\xFF\xFE\x80\x00\x00\x00\x7F", 11));
  ASSERT_TRUE(reader_.Open("", dir_.File("n.bin")));
  EXPECT_EQ(reader_.ReadUnsigned(4), 0x01020304u);
  reader_.Seek(4);
  EXPECT_EQ(reader_.ReadSigned(1), -1);
  reader_.Seek(4);
  EXPECT_EQ(reader_.ReadUnsigned(1), 255u);
  reader_.Seek(4);
  EXPECT_EQ(reader_.ReadSigned(2), -2);
  reader_.Seek(6);
  EXPECT_EQ(reader_.ReadSigned(3), -8388608);  // 80 00 00
  reader_.Seek(6);
  EXPECT_EQ(reader_.ReadSigned(4), INT32_MIN);
  reader_.Seek(7);
  EXPECT_EQ(reader_.ReadSigned(4), 0x7F);
  reader_.Seek(2);
  EXPECT_EQ(reader_.ReadUnsigned(3), 0x0304FFu);
  reader_.Seek(0);
  EXPECT_EQ(reader_.ReadText(3), std::string("\x01\x02\x03"));
}

TEST_F(ByteReaderTest, EveryReadPastTheEndAbortsWithTheReadersMessage) {
  OpenPattern(600);
  reader_.Seek(599);
  EXPECT_EQ(reader_.ReadByte(), 599 % 251);
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadByte(); }), "past the end");

  reader_.Seek(600);  // the end itself can be reached
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadByte(); }), "past the end");
  EXPECT_EQ(AbortMessageOf([&] { reader_.Seek(601); }), "past the end");

  reader_.Seek(598);
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadUnsigned(4); }), "past the end");
  reader_.Seek(598);
  EXPECT_EQ(AbortMessageOf([&] { reader_.Skip(3); }), "past the end");
  // A length from a file never wraps the position around or sizes a buffer.
  reader_.Seek(10);
  EXPECT_EQ(AbortMessageOf([&] { reader_.Skip(0xFFFFFFFFu); }), "past the end");
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadText(0xFFFFFFF0u); }), "past the end");
  std::uint8_t out[8];
  reader_.Seek(595);
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadBytes(out, 8); }), "past the end");
}

TEST_F(ByteReaderTest, ALimitEndsTheFileEarly) {
  OpenPattern(1200);
  reader_.ReadByte();  // a block is held
  reader_.LimitTo(100);
  EXPECT_EQ(reader_.FileLength(), 100u);
  reader_.Seek(99);
  EXPECT_EQ(reader_.ReadByte(), 99);
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadByte(); }), "past the end");
  EXPECT_EQ(AbortMessageOf([&] { reader_.Seek(700); }), "past the end");
  reader_.LimitTo(5000);  // never longer than the file
  EXPECT_EQ(reader_.FileLength(), 100u);
}

TEST_F(ByteReaderTest, ClosedAndMissingFiles) {
  EXPECT_FALSE(reader_.Open("", dir_.File("missing.bin")));
  EXPECT_FALSE(reader_.IsOpen());
  OpenPattern(10);
  EXPECT_TRUE(reader_.IsOpen());
  reader_.Seek(5);
  EXPECT_EQ(reader_.ReadByte(), 5);
  reader_.Close();
  EXPECT_FALSE(reader_.IsOpen());
  EXPECT_EQ(AbortMessageOf([&] { reader_.ReadByte(); }), "past the end");
  // Reopening starts afresh; nothing buffered from before is reused.
  test::WriteFile(dir_.File("data.bin"), "xyz");
  ASSERT_TRUE(reader_.Open("", dir_.File("data.bin")));
  EXPECT_EQ(reader_.FileLength(), 3u);
  EXPECT_EQ(reader_.ReadByte(), 'x');
}

}  // namespace
}  // namespace mox
