#include "previewer/fonts/face_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/file_system.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox {
namespace {

const std::string kHead = "MOX TrueType Fonts ";

std::string Little(std::uint64_t value, std::size_t bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// One entry as the file holds it, laid out here by hand.
std::string EntryBytes(const std::string& name, double scale, std::int32_t height = 24) {
  std::string bytes = Little(static_cast<std::uint32_t>(height), 4) + Little(0, 4) +
                      Little(0, 4) + Little(0, 4) + Little(400, 4);
  bytes += std::string("\0\0\0\x86\0\0\x02\0", 8);
  std::string face = name.substr(0, 32);
  face.resize(32, '\0');
  std::uint64_t bits = 0;
  std::memcpy(&bits, &scale, sizeof bits);
  return bytes + face + Little(bits, 8);
}

class FaceTableTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    test::DocumentTest::SetUp();
    file_ = dir_.File("MOXWIN32.FNT");
  }

  FaceEntry& Entry(int ziti) { return doc_.Faces.Entries[static_cast<std::size_t>(ziti)]; }
  std::string Name(int ziti) { return Entry(ziti).Font.FaceName; }

  void Assign(int ziti, const char* name, double scale, std::uint8_t italic = 0) {
    FaceEntry& entry = Entry(ziti);
    entry.Font = {};
    std::strncpy(entry.Font.FaceName, name, sizeof entry.Font.FaceName - 1);
    entry.Font.Italic = italic;
    entry.Scale = scale;
  }

  std::string file_;
};

TEST_F(FaceTableTest, SavedTableReadsBackWithEveryField) {
  FaceEntry& first = Entry(0);
  first.Font = {-33, 17, 900, 450, 700, 1, 1, 1, 134, 3, 2, 2, 0x31, {}};
  std::strcpy(first.Font.FaceName, "\xcb\xce\xcc\xe5");  // 宋体 in GBK
  first.Scale = 0.875;
  Assign(13, "AR PL UMing CN", 1.25, 1);
  Assign(26, "SimHei", 2.5);
  ASSERT_EQ(SaveFaceTable(doc_.Faces, file_), 0);

  const FaceTable saved = doc_.Faces;
  doc_.Faces = FaceTable{};
  LoadFaceTable(doc_.Faces, file_);
  for (int ziti = 0; ziti < kFaceTableEntries; ++ziti) {
    const FaceEntry& loaded = Entry(ziti);
    const FaceEntry& expected = saved.Entries[static_cast<std::size_t>(ziti)];
    if (!FaceServes(doc_.Faces, ziti)) {
      EXPECT_EQ(Name(ziti), "") << ziti;
      continue;
    }
    EXPECT_EQ(std::memcmp(&loaded.Font, &expected.Font, sizeof loaded.Font), 0) << ziti;
    EXPECT_EQ(loaded.Scale, expected.Scale) << ziti;
  }
  EXPECT_TRUE(FaceServes(doc_.Faces, 0) && FaceServes(doc_.Faces, 13) && FaceServes(doc_.Faces, 26));
  EXPECT_EQ(Entry(13).Font.Italic, 1);
}

TEST_F(FaceTableTest, OnlyZIsWrittenWithIndex26) {
  Assign(26, "Kai", 1.0);
  Entry(26).Font.Height = 24;
  Entry(26).Font.Weight = 400;
  Entry(26).Font.CharSet = 0x86;
  Entry(26).Font.Quality = 2;
  ASSERT_EQ(SaveFaceTable(doc_.Faces, file_), 0);
  EXPECT_EQ(test::ReadFile(file_), kHead + "\x1a" + std::string(1, '\0') + EntryBytes("Kai", 1.0) +
                                       "\xff\xff");

  doc_.Faces = FaceTable{};
  LoadFaceTable(doc_.Faces, file_);
  EXPECT_EQ(Name(26), "Kai");
  for (int ziti = 0; ziti < 26; ++ziti) EXPECT_FALSE(FaceServes(doc_.Faces, ziti)) << ziti;
}

TEST_F(FaceTableTest, EntryWithoutScaleOrNameNeitherServesNorIsWritten) {
  Assign(1, "Song", 0.0);
  Assign(2, "Hei", -1.0);
  Assign(3, "", 1.0);
  for (int ziti : {1, 2, 3}) EXPECT_FALSE(FaceServes(doc_.Faces, ziti)) << ziti;
  EXPECT_FALSE(FaceServes(doc_.Faces, -1));
  EXPECT_FALSE(FaceServes(doc_.Faces, 27));
  ASSERT_EQ(SaveFaceTable(doc_.Faces, file_), 0);
  EXPECT_EQ(test::ReadFile(file_), kHead + "\xff\xff");
}

TEST_F(FaceTableTest, LoadingForgetsEveryNameEvenWithoutAFile) {
  Assign(5, "Song", 1.0);
  LoadFaceTable(doc_.Faces, file_);
  EXPECT_EQ(Name(5), "");
  EXPECT_FALSE(test::FileExists(file_));
}

TEST_F(FaceTableTest, FileWithAWrongHeadIsDeleted) {
  const std::string entry = std::string("\x01\x00", 2) + EntryBytes("Song", 1.0);
  for (const std::string& head :
       {std::string("MOX TrueType Fonts!"), std::string("MOX TrueType Fonts"),
        std::string("mox truetype fonts "), std::string("")}) {
    test::WriteFile(file_, head + entry);
    Assign(1, "Old", 1.0);
    LoadFaceTable(doc_.Faces, file_);
    EXPECT_FALSE(test::FileExists(file_)) << head;
    EXPECT_EQ(Name(1), "") << head;
  }
}

TEST_F(FaceTableTest, ShortEntryLosesItsNameAndTheFileIsKept) {
  Assign(5, "Old", 1.0);
  test::WriteFile(file_, kHead + std::string("\x03\x00", 2) + EntryBytes("Song", 1.0) +
                             std::string("\x05\x00", 2) + EntryBytes("Hei", 1.0).substr(0, 40));
  LoadFaceTable(doc_.Faces, file_);
  EXPECT_EQ(Name(3), "Song");
  EXPECT_EQ(Name(5), "");
  EXPECT_FALSE(FaceServes(doc_.Faces, 5));
  EXPECT_TRUE(test::FileExists(file_));
}

TEST_F(FaceTableTest, ReadingStopsAtTheEndMarkOrAnyIndexOutOfRange) {
  const std::string one = std::string("\x01\x00", 2) + EntryBytes("Song", 1.0);
  const std::string two = std::string("\x02\x00", 2) + EntryBytes("Hei", 1.0);
  for (const std::string& stop : {std::string("\xff\xff"), std::string("\x1b\x00", 2),
                                  std::string("\x00\x01", 2)}) {
    test::WriteFile(file_, kHead + one + stop + two);
    LoadFaceTable(doc_.Faces, file_);
    EXPECT_EQ(Name(1), "Song");
    EXPECT_EQ(Name(2), "");
    EXPECT_TRUE(test::FileExists(file_));
  }
  // A file cut inside an index, or with no end mark, keeps what it had.
  test::WriteFile(file_, kHead + one + "\x02");
  LoadFaceTable(doc_.Faces, file_);
  EXPECT_EQ(Name(1), "Song");
  EXPECT_TRUE(test::FileExists(file_));
}

TEST_F(FaceTableTest, NameFillingAllItsBytesIsCutToEnd) {
  test::WriteFile(file_, kHead + std::string("\x04\x00", 2) + EntryBytes(std::string(32, 'A'), 1.0));
  LoadFaceTable(doc_.Faces, file_);
  EXPECT_EQ(Name(4), std::string(31, 'A'));
}

// Opens every file for reading only, so that every write fails.
class ReadOnlyFiles final : public platform::FileSystem {
 public:
  ReadOnlyFiles() : previous_(platform::SetFiles(this)) {}
  ~ReadOnlyFiles() override { platform::SetFiles(previous_); }
  std::FILE* Open(const std::string& path, const char*) override {
    return platform::SystemFiles().Open(path, "rb");
  }
  bool Remove(const std::string& path) override { return platform::SystemFiles().Remove(path); }
  bool Rename(const std::string& from, const std::string& to) override {
    return platform::SystemFiles().Rename(from, to);
  }
  bool Exists(const std::string& path) override { return platform::SystemFiles().Exists(path); }

 private:
  platform::FileSystem* previous_;
};

TEST_F(FaceTableTest, FailedWriteDeletesThePartialFile) {
  Assign(2, "Song", 1.0);
  test::WriteFile(file_, "old content");
  {
    ReadOnlyFiles read_only;
    EXPECT_EQ(SaveFaceTable(doc_.Faces, file_), 1);
  }
  EXPECT_FALSE(test::FileExists(file_));
  EXPECT_EQ(SaveFaceTable(doc_.Faces, dir_.File("missing-folder") + "/X.FNT"), 1);
}

TEST_F(FaceTableTest, FileLiesBesideTheProgram) {
  EXPECT_EQ(FaceTableFileName("C:\\MOX\\MOXWIN32.EXE"), "C:\\MOX\\MOXWIN32.FNT");
  EXPECT_EQ(FaceTableFileName("ab"), "FNT");
}

TEST_F(FaceTableTest, CellIsTheWidenedEmBoxCentred) {
  EXPECT_EQ(FaceCellFor(doc_.Faces, 1, 24, 24), std::nullopt);
  Assign(1, "Song", 1.0);
  std::optional<FaceCell> cell = FaceCellFor(doc_.Faces, 1, 24, 24);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->Width, 26);   // 26.4
  EXPECT_EQ(cell->Height, 26);
  EXPECT_EQ(cell->EmWidth, 24);
  EXPECT_EQ(cell->EmHeight, 24);
  EXPECT_EQ(cell->XOffset, 1);  // (26 - 24 + 1) / 2, truncated
  EXPECT_EQ(cell->YOffset, 1);

  // An italic face leans: 1.5 times as wide, as high as upright.
  Assign(1, "Song", 1.0, 1);
  cell = FaceCellFor(doc_.Faces, 1, 24, 20);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->Width, 36);
  EXPECT_EQ(cell->Height, 22);
  EXPECT_EQ(cell->XOffset, 6);  // (36 - 24 + 1) / 2
  EXPECT_EQ(cell->YOffset, 1);

  // The scale applies to both; the em box rounds halves up.
  Assign(1, "Song", 0.5);
  cell = FaceCellFor(doc_.Faces, 1, 31, 41);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->Width, 17);     // 17.05
  EXPECT_EQ(cell->Height, 23);    // 22.55
  EXPECT_EQ(cell->EmWidth, 16);   // 15.5 + 0.5
  EXPECT_EQ(cell->EmHeight, 21);  // 20.5 + 0.5
  EXPECT_EQ(cell->XOffset, 1);
  EXPECT_EQ(cell->YOffset, 1);
}

TEST_F(FaceTableTest, CellIsAtLeastOnePixelAndBoundedForAbsurdScales) {
  Assign(7, "Song", 0.01);
  std::optional<FaceCell> cell = FaceCellFor(doc_.Faces, 7, 10, 10);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->Width, 1);
  EXPECT_EQ(cell->Height, 1);
  EXPECT_EQ(cell->EmWidth, 1);
  EXPECT_EQ(cell->EmHeight, 1);
  EXPECT_EQ(cell->XOffset, 0);
  EXPECT_EQ(cell->YOffset, 0);

  Assign(7, "Song", 1e300);
  cell = FaceCellFor(doc_.Faces, 7, 10, 10);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->Width, INT32_MAX);
  EXPECT_EQ(cell->EmHeight, INT32_MAX);
}

TEST_F(FaceTableTest, RegistryGlyphSizesFollowTheTable) {
  doc_.Fonts.Definitions[2].Scale = 10000;
  doc_.Fonts.Definitions[3].Scale = 15000;
    const auto size = [&](int slot) {
    const GlyphSize glyph = ChineseGlyphSize(doc_, slot, 24, 20);
    return std::make_pair(glyph.Width, glyph.Height);
  };
  EXPECT_EQ(size(2), std::make_pair(24, 20));
  EXPECT_EQ(size(3), std::make_pair(36, 30));

  Assign(1, "Song", 1.0);  // ziti A: slots 2 and 3
  EXPECT_EQ(size(2), std::make_pair(26, 22));
  EXPECT_EQ(size(3), std::make_pair(26, 22));
  EXPECT_EQ(size(4), std::make_pair(24, 20));
  Entry(1).Font.Italic = 1;
  EXPECT_EQ(size(3), std::make_pair(36, 22));

  // The query reads the table as it is now.
  Entry(1).Scale = 0.0;
  EXPECT_EQ(size(3), std::make_pair(36, 30));
}

}  // namespace
}  // namespace mox
