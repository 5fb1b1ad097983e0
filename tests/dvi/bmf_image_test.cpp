#include "previewer/dvi/bmf_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "previewer/dvi/bmf_row_decoder.h"
#include "previewer/dvi/dvi_document.h"
#include "tests/support/bmf_writer.h"
#include "tests/support/dba_writer.h"
#include "tests/support/temp_dir.h"

namespace mox {
namespace {

using test::BmfHeader;
using test::RowCoding;
using test::RowRecord;

// ---- Row decoder on byte spans ----

// Decodes into a row that starts as previous. The data is an exact-size heap
// copy, so the sanitizer reports any read past its end.
std::string Decode(unsigned type, const std::string& data, const std::string& previous) {
  const std::vector<std::uint8_t> in(data.begin(), data.end());
  std::vector<std::uint8_t> row(previous.begin(), previous.end());
  EXPECT_TRUE(DecodeRow(type, in, row));
  return std::string(row.begin(), row.end());
}

TEST(BmfRowDecoderTest, LiteralRowsZeroTheRestAndIgnoreDataBeyondTheRow) {
  EXPECT_EQ(Decode(0, "\x12\x34", "\xFF\xFF\xFF\xFF"), std::string("\x12\x34\0\0", 4));
  EXPECT_EQ(Decode(0, "", "\xFF\xFF"), std::string(2, '\0'));
  EXPECT_EQ(Decode(0, "abcdef", "xyz"), "abc");
}

TEST(BmfRowDecoderTest, RunLengthCodesStopAtTheRowEndAndTheDataEnd) {
  const std::string ones(8, '\xFF');
  EXPECT_EQ(Decode(2, "\x80" "A", std::string(10, '\0')), std::string(10, 'A'));  // 129 clipped
  EXPECT_EQ(Decode(2, "\xFE" "B" "\x01" "xy", ones), std::string("BBBxy\0\0\0", 8));
  EXPECT_EQ(Decode(2, "", ones), std::string(8, '\0'));
  EXPECT_EQ(Decode(2, "\x05" "ab", ones), std::string("ab\0\0\0\0\0\0", 8));
  EXPECT_EQ(Decode(2, "\xC8", ones), std::string(8, '\0'));
  EXPECT_EQ(Decode(2, "\x7F" + std::string(128, 'q'), "...."), "qqqq");
}

TEST(BmfRowDecoderTest, DeltaCodesChangeThePreviousRow) {
  const std::string previous(300, '\x11');
  std::string changed = previous;
  changed[296] = '\xEE';
  EXPECT_EQ(Decode(3, "\x1F\xFF\x0A\xEE", previous), changed);  // skip 31 + 255 + 10
  changed = previous;
  changed[286] = '\xEE';
  EXPECT_EQ(Decode(3, std::string("\x1F\xFF\x00\xEE", 4), previous), changed);  // 31 + 255 + 0
  EXPECT_EQ(Decode(3, "", "keep"), "keep");
  EXPECT_EQ(Decode(3, "\x01" "A" "\x20" "BC", "......"), ".ABC..");
  EXPECT_EQ(Decode(3, "\xE2" "12345678", "......"), "..1234");  // 8 bytes clipped
  EXPECT_EQ(Decode(3, "\x05" "Z", "...."), "....");               // skip past the end
  EXPECT_EQ(Decode(3, "\x1F\xFF", previous), previous);           // data ends in the skip
  EXPECT_EQ(Decode(3, "\x61" "A", "...."), ".A..");               // copy cut by the data
}

TEST(BmfRowDecoderTest, InvalidTypesAreRejectedAndLeaveTheRowAlone) {
  const std::vector<std::uint8_t> data = {1, 2, 3};
  for (unsigned type : {1u, 4u, 5u, 7u, 8u, 15u}) {
    std::vector<std::uint8_t> row = {9, 9};
    EXPECT_FALSE(DecodeRow(type, data, row)) << type;
    EXPECT_EQ(row, (std::vector<std::uint8_t>{9, 9}));
  }
}

TEST(BmfRowDecoderTest, DecodeNextRowConsumesWholeRecordsOnly) {
  const std::string stream = RowRecord(0, "\x0A\x0B\x0C") + RowRecord(3, "\x20" "AB");
  const std::vector<std::uint8_t> bytes(stream.begin(), stream.end());
  std::vector<std::uint8_t> row(2, 0xFF);
  std::span<const std::uint8_t> input(bytes);
  ASSERT_TRUE(DecodeNextRow(input, row));
  EXPECT_EQ(row, (std::vector<std::uint8_t>{0x0A, 0x0B}));
  EXPECT_EQ(input.size(), 5u);
  ASSERT_TRUE(DecodeNextRow(input, row));
  EXPECT_EQ(row, (std::vector<std::uint8_t>{'A', 'B'}));
  EXPECT_TRUE(input.empty());
  EXPECT_FALSE(DecodeNextRow(input, row));
  const std::vector<std::uint8_t> short_data = {3, 0, 1, 2};  // count 3, two bytes
  std::span<const std::uint8_t> cut(short_data);
  EXPECT_FALSE(DecodeNextRow(cut, row));
  EXPECT_EQ(cut.size(), 4u);
}

TEST(BmfRowDecoderTest, LastByteMaskKeepsOnlyBitsInsideTheWidth) {
  EXPECT_EQ(LastByteMask(10), 192);
  EXPECT_EQ(LastByteMask(1), 0x80);
  EXPECT_EQ(LastByteMask(15), 0xFE);
  EXPECT_EQ(LastByteMask(8), 0xFF);
  EXPECT_EQ(LastByteMask(32768), 0xFF);
}

// ---- Images in files ----

void WriteBytes(const std::string& path, const std::string& bytes) {
  platform::FilePtr file = platform::OpenFile(path, "wb");
  ASSERT_TRUE(file);
  std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  ASSERT_TRUE(platform::CloseChecked(file));
}

std::string Masked(std::string row, std::uint16_t width) {
  row.resize(RowBytes(width), '\0');
  row.back() = static_cast<char>(row.back() & LastByteMask(width));
  return row;
}

// Counts the files opened, to see whether an image is reused.
class CountingFiles final : public platform::FileSystem {
 public:
  CountingFiles() : before_(platform::SetFiles(this)) {}
  ~CountingFiles() override { platform::SetFiles(before_); }
  std::FILE* Open(const std::string& path, const char* mode) override {
    ++opens;
    return platform::SystemFiles().Open(path, mode);
  }
  bool Remove(const std::string& path) override { return platform::SystemFiles().Remove(path); }
  bool Rename(const std::string& from, const std::string& to) override {
    return platform::SystemFiles().Rename(from, to);
  }
  bool Exists(const std::string& path) override { return platform::SystemFiles().Exists(path); }
  int opens = 0;

 private:
  platform::FileSystem* before_;
};

class BmfImageTest : public ::testing::Test {
 protected:
  // The document whose folder and archive images are looked for in, and
  // the image it holds open.
  DviDocument document_;
  ImageState image_;

  void SetDocument(const std::string& name, bool archive, std::uint16_t entries = 0) {
    DviDocument& document = document_;
    document.Loaded = true;
    document.Name = name;
    document.Archive = archive;
    document.ArchiveEntryCount = entries;
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    WriteBytes(path, bytes);
    return path;
  }

  // Opens the image and remembers its width for Row.
  int Open(const std::string& name) {
    ImageHeader header;
    const int result = OpenImage(image_, document_, name, header);
    width_ = result >= 0 ? header.Width : 0;
    return result;
  }

  // Row r of the open image; the result of ReadImageRow must be expected.
  std::string Row(int r, int expected = 0) {
    std::array<std::uint8_t, kImageRowBufferSize> out;
    out.fill(0xA5);
    EXPECT_EQ(ReadImageRow(image_, r, out.data()), expected) << "row " << r;
    return std::string(reinterpret_cast<const char*>(out.data()), RowBytes(width_));
  }

  test::TempDir dir_;
  std::uint16_t width_ = 0;
};

TEST_F(BmfImageTest, PlainRowsAreReadAtTheirOffsetsInAnyOrder) {
  BmfHeader h{600u << 16, 300u << 16, 16, 3, -3, 7};
  const std::vector<std::string> rows = {"\x81\x01", "\x42\x02", "\x24\x04"};
  const std::string path = Write("plain.bmf", test::MakePlainBmf(h, rows));
  ImageHeader header;
  ASSERT_EQ(OpenImage(image_, document_, path, header), 0);
  EXPECT_EQ(header.ResolutionX, 600u << 16);
  EXPECT_EQ(header.ResolutionY, 300u << 16);
  EXPECT_EQ(header.Width, 16);
  EXPECT_EQ(header.Height, 3);
  EXPECT_EQ(header.XOffset, -3);
  EXPECT_EQ(header.YOffset, 7);
  width_ = 16;
  for (int r : {2, 0, 1, 2, 1}) EXPECT_EQ(Row(r), rows[r]);
  Row(3, 1);
  Row(-1, 1);
  CloseImage(image_);
  Row(0, 1);
}

TEST_F(BmfImageTest, BitsBeyondTheWidthAreCleared) {
  BmfHeader h;
  h.Width = 10;
  h.Height = 1;
  ASSERT_EQ(Open(Write("p.bmf", test::MakePlainBmf(h, {"\xFF\xFF"}))), 0);
  EXPECT_EQ(Row(0), "\xFF\xC0");
  ASSERT_EQ(Open(Write("e.bmf", test::MakeEncodedBmf(h, {RowRecord(0, "\xFF\xFF")}))), 1);
  EXPECT_EQ(Row(0), "\xFF\xC0");
}

TEST_F(BmfImageTest, EncodedRowsReadInAnyOrderMatchTheRowsWritten) {
  // Rows that differ from their predecessor in a few bytes, some with long
  // runs, so delta rows have long skips and run-length rows both codes.
  std::mt19937 random(1994);
  BmfHeader h;
  h.Width = 2398;  // 300 bytes, last byte masked with 0xFC
  h.Height = 24;
  std::vector<std::string> rows;
  std::string row(300, '\0');
  for (int r = 0; r < h.Height; ++r) {
    for (int k = random() % 4; k >= 0; --k) row[random() % 300] = static_cast<char>(random());
    if (r % 3 == 0) {
      const std::size_t at = random() % 100;
      row.replace(at, 150 + random() % 50, 150 + random() % 50, static_cast<char>(random()));
      row.resize(300);
    }
    rows.push_back(row);
  }
  const std::string path = Write("e.bmf", test::MakeEncodedBmf(
      h, rows, {RowCoding::Delta, RowCoding::RunLength, RowCoding::Delta, RowCoding::Literal}));
  ASSERT_EQ(Open(path), 1);
  for (int r = 0; r < h.Height; ++r) EXPECT_EQ(Row(r), Masked(rows[r], h.Width)) << r;
  for (int r = h.Height - 1; r >= 0; --r) EXPECT_EQ(Row(r), Masked(rows[r], h.Width)) << r;
  for (int r : {5, 5, 17, 3, 23, 0, 12}) EXPECT_EQ(Row(r), Masked(rows[r], h.Width)) << r;
}

TEST_F(BmfImageTest, EmptyAndOverlongRowData) {
  BmfHeader h;
  h.Width = 16;
  h.Height = 8;
  const std::vector<std::string> records = {
      RowRecord(3, ""),                                // delta on the all-zero row
      RowRecord(0, "\x12\x34"),
      RowRecord(3, ""),                                // repeats the previous row
      RowRecord(2, ""),                                // all zero
      RowRecord(0, "\x56"),
      RowRecord(0, ""),                                // all zero
      RowRecord(0, "\xAB\xCD" + std::string(4093, 'z')),  // count 4095, row of 2
      RowRecord(3, "\x20\x01\x02"),
  };
  const std::vector<std::string> expected = {
      std::string(2, '\0'), "\x12\x34", "\x12\x34", std::string(2, '\0'),
      std::string("\x56\0", 2), std::string(2, '\0'), "\xAB\xCD", "\x01\x02"};
  ASSERT_EQ(Open(Write("e.bmf", test::MakeEncodedBmf(h, records))), 1);
  for (int r = 7; r >= 0; --r) EXPECT_EQ(Row(r), expected[r]) << r;
  for (int r = 0; r < 8; ++r) EXPECT_EQ(Row(r), expected[r]) << r;
}

TEST_F(BmfImageTest, InvalidRowTypesFailAndTheNextReadStartsOver) {
  BmfHeader h;
  h.Height = 4;
  for (unsigned type : {1u, 4u, 6u, 9u, 12u, 15u}) {
    SCOPED_TRACE(type);
    CloseImage(image_);
    // With no data after the bad header, a reader that went on from there
    // would give row 3 for row 2.
    ASSERT_EQ(Open(Write("bad.bmf", test::MakeEncodedBmf(
                  h, {RowRecord(0, "\x0F"), test::RawRowHeader(type, 0), RowRecord(0, "\xF0"),
                      RowRecord(0, "\x3C")}))), 1);
    EXPECT_EQ(Row(0), "\x0F");
    Row(1, -1);
    Row(2, -1);
    EXPECT_EQ(Row(0), "\x0F");
  }
}

TEST_F(BmfImageTest, SizesOutsideTheLimitsAreRefused) {
  BmfHeader h;
  h.Width = 32768;
  std::string row(4096, '\xFF');
  ASSERT_EQ(Open(Write("w.bmf", test::MakePlainBmf(h, {row}))), 0);
  EXPECT_EQ(Row(0), row);
  h.Width = 32769;
  EXPECT_EQ(Open(Write("wide.bmf", test::MakePlainBmf(h, {row + "\xFF"}))), -1);
  EXPECT_EQ(Open(Write("wide.bmf", test::MakeEncodedBmf(h, {RowRecord(0, "\xFF")}))), -1);
  h.Width = 0;
  EXPECT_EQ(Open(Write("zero.bmf", test::MakePlainBmf(h, {}))), -1);
  h.Width = 8;
  h.Height = 0;
  EXPECT_EQ(Open(Write("flat.bmf", test::MakeEncodedBmf(h, std::vector<std::string>{}))), -1);
  Row(0, 1);
}

// Every prefix of a file either fails to open or gives each row that lies
// wholly inside it, and -1 for the others.
TEST_F(BmfImageTest, TruncatedFilesNeverGiveGarbage) {
  BmfHeader h;
  h.Width = 20;
  h.Height = 4;
  const std::vector<std::string> rows = {"\x01\x02\x30", "\x01\x02\x70", "\xAA\xAA\xAA", ""};
  const std::string plain = test::MakePlainBmf(h, rows);
  std::vector<std::string> records = {test::DeltaRecord(std::string(3, '\0'), rows[0]),
                                      test::DeltaRecord(rows[0], rows[1]),
                                      test::RunLengthRecord(rows[2]), test::LiteralRecord("")};
  const std::string encoded = test::MakeEncodedBmf(h, records);
  struct Case {
    const std::string& bytes;
    std::size_t header_end;
    std::vector<std::size_t> row_ends;
  };
  std::vector<std::size_t> encoded_ends;
  std::size_t end = 20;
  for (const std::string& record : records) encoded_ends.push_back(end += record.size());
  for (const Case& c : {Case{plain, 16, {19, 22, 25, 28}}, Case{encoded, 20, encoded_ends}}) {
    for (std::size_t length = 0; length < c.bytes.size(); ++length) {
      SCOPED_TRACE(length);
      CloseImage(image_);
      const int opened = Open(Write("cut.bmf", c.bytes.substr(0, length)));
      if (length < c.header_end) {
        EXPECT_EQ(opened, -1);
        continue;
      }
      ASSERT_GE(opened, 0);
      for (int r : {3, 2, 1, 0, 1, 2, 3}) {
        const bool whole = length >= c.row_ends[r];
        const std::string got = Row(r, whole ? 0 : -1);
        if (whole) {
          EXPECT_EQ(got, Masked(rows[r], h.Width));
        }
      }
    }
  }
}

TEST_F(BmfImageTest, TheOpenImageIsReusedByNameInAnyCase) {
  BmfHeader h;
  h.Height = 2;
  const std::string path = Write("pic.bmf", test::MakeEncodedBmf(h, {RowRecord(0, "\x11"),
                                                                     RowRecord(0, "\x22")}));
  CountingFiles files;
  ASSERT_EQ(Open(path), 1);
  EXPECT_EQ(Row(1), "\x22");
  std::string other_case = path;
  for (char& c : other_case) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ImageHeader header;
  EXPECT_EQ(OpenImage(image_, document_, other_case, header), 1);
  EXPECT_EQ(header.Height, 2);
  EXPECT_EQ(files.opens, 1);
  EXPECT_EQ(Row(0), "\x11");
  EXPECT_EQ(Open(dir_.File("missing.bmf")), -1);
  Row(0, 1);  // the failed open closed the image
}

TEST_F(BmfImageTest, CaseIsIgnoredOnlyOutsideDoubleByteCharacters) {
  // 0x81 0x41 and 0x81 0x61 are two Chinese characters, not "A" and "a".
  BmfHeader h;
  const std::string upper = Write("\x81\x41.bmf", test::MakePlainBmf(h, {"\x01"}));
  h.Width = 16;
  const std::string lower = Write("\x81\x61.bmf", test::MakePlainBmf(h, {"\x02\x03"}));
  ASSERT_EQ(Open(upper), 0);
  EXPECT_EQ(width_, 8);
  ASSERT_EQ(Open(lower), 0);
  EXPECT_EQ(width_, 16);
  EXPECT_EQ(Row(0), "\x02\x03");
}

TEST_F(BmfImageTest, LocateLooksForBareNamesInTheDocumentFolder) {
  WriteBytes(dir_.File("fig.bmf"), "x");
  std::filesystem::create_directory(dir_.File("sub"));
  WriteBytes(dir_.File("sub") + test::kSeparator + "fig.bmf", "x");

  std::string name = dir_.File("fig.bmf");
  EXPECT_EQ(LocateImage(document_, name), 0);
  EXPECT_EQ(name, dir_.File("fig.bmf"));
  name = "fig.bmf";
  EXPECT_EQ(LocateImage(document_, name), 1);  // no document open

  SetDocument(dir_.File("doc.dvi"), false);
  EXPECT_EQ(LocateImage(document_, name), 0);
  EXPECT_EQ(name, dir_.File("fig.bmf"));
  for (const char* relative : {"sub/fig.bmf", "sub\\fig.bmf", "q:fig.bmf", "none.bmf"}) {
    name = relative;
    EXPECT_EQ(LocateImage(document_, name), 1) << relative;
    EXPECT_EQ(name, relative);
  }
  // The trail byte 0x5C of a Chinese character is not a folder separator.
  SetDocument(dir_.File("\x81\x5C" "doc.dvi"), false);
  name = "fig.bmf";
  EXPECT_EQ(LocateImage(document_, name), 0);
  EXPECT_EQ(name, dir_.File("fig.bmf"));

  SetDocument(dir_.File("doc.dba"), true);
  name = "pics\\member.bmf";
  EXPECT_EQ(LocateImage(document_, name), 0);  // may be a member of the archive
  EXPECT_EQ(name, "pics\\member.bmf");
}

TEST_F(BmfImageTest, LocatedNamesAreCutTo255Bytes) {
  const std::size_t fixed = dir_.Path().size() + 2;  // two separators
  ASSERT_LT(fixed, 240u);
  const std::string sub = dir_.File(std::string(250 - fixed, 'd'));
  const std::string folder = sub + test::kSeparator;
  ASSERT_EQ(folder.size(), 250u);
  std::filesystem::create_directory(sub);
  WriteBytes(folder + "abcde", "x");
  SetDocument(folder + "doc.dvi", false);
  std::string name = "abcdefghij.bmf";
  EXPECT_EQ(LocateImage(document_, name), 0);
  EXPECT_EQ(name, folder + "abcde");

  name = std::string(300, 'n');
  EXPECT_EQ(LocateImage(document_, name), 1);
  EXPECT_EQ(name.size(), 255u);
}

// ---- Members of a DBA archive ----

class BmfArchiveTest : public BmfImageTest {
 protected:
  void SetUp() override {
    BmfImageTest::SetUp();
    BmfHeader h;
    h.Width = 12;
    h.Height = 3;
    figure_ = test::MakeEncodedBmf(h, rows_, {RowCoding::Delta});
    h.Width = 24;
    h.Height = 1;
    members_ = {{"OTHER.BMF", test::MakePlainBmf(h, {"oth"})},
                {"FIG1.BMF", figure_},
                {"\x81\x5C.BMF", test::MakePlainBmf(h, {"gbk"})},
                {"ABCDEFGHIJKL", test::MakePlainBmf(h, {"12c"})}};
    archive_ = Write("doc.dba", test::MakeDbaArchive(std::string(40, '\xDF'), members_));
    SetDocument(archive_, true, 4);
  }

  void ExpectFigure() {
    ASSERT_EQ(width_, 12);
    for (int r : {2, 1, 0, 2}) EXPECT_EQ(Row(r), Masked(rows_[r], 12)) << r;
  }

  const std::vector<std::string> rows_ = {"\xF0\x0F", "\xF0\xFF", std::string("\x00\x30", 2)};
  std::string figure_;
  std::vector<std::pair<std::string, std::string>> members_;
  std::string archive_;
};

TEST_F(BmfArchiveTest, MembersAreFoundByTheLastComponentInAnyCase) {
  ASSERT_EQ(Open("pics\\fig1.bmf"), 1);
  ExpectFigure();
  ASSERT_EQ(Open("pics/Other.bmf"), 0);
  EXPECT_EQ(Row(0), "oth");
  ASSERT_EQ(Open("x\\\x81\x5C.bmf"), 0);  // 0x5C inside the character
  EXPECT_EQ(Row(0), "gbk");
  ASSERT_EQ(Open("abcdefghijklmnop.bmf"), 0);  // compared by its first 12 bytes
  EXPECT_EQ(Row(0), "12c");
  EXPECT_EQ(Open("pics\\missing.bmf"), -1);
}

TEST_F(BmfArchiveTest, ANameThatIsNoMemberIsOpenedAsAFile) {
  const std::string loose = Write("loose.bmf", figure_);
  ASSERT_EQ(Open(loose), 1);
  ExpectFigure();
}

TEST_F(BmfArchiveTest, TruncatedArchivesNeverGiveGarbage) {
  const std::string bytes = test::ReadFile(archive_);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    CloseImage(image_);
    WriteBytes(archive_, bytes.substr(0, length));
    const int opened = Open("fig1.bmf");
    if (opened < 0) continue;
    EXPECT_EQ(opened, 1);
    for (int r : {2, 1, 0}) {
      std::array<std::uint8_t, kImageRowBufferSize> out;
      const int result = ReadImageRow(image_, r, out.data());
      if (result == 0) {
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()), 2), Masked(rows_[r], 12));
      } else {
        EXPECT_EQ(result, -1);
      }
    }
  }
  // More directory entries than the file holds: the search ends at its end.
  WriteBytes(archive_, bytes);
  SetDocument(archive_, true, 65535);
  EXPECT_EQ(Open("nothing.bmf"), -1);
}

}  // namespace
}  // namespace mox
