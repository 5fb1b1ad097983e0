// The committed outline font fixtures (tests/fixtures/hzfonts, compiled from
// AR PL UMing by tools/fixtures/make-outline-fixtures.sh): their ccfonts.def,
// and the characters of the DVI fixtures in files of all three types.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

#include "previewer/fonts/outline_font.h"
#include "tests/fonts/outline_test_support.h"
#include "tests/support/temp_dir.h"

namespace mox {
namespace {

const std::string kDir = std::string(MOX_FIXTURES_DIR) + "/hzfonts/";

// Code indices of characters the DVI fixtures use, by slot kind.
const std::vector<int> kSymbols = {2, 21, 22, 199, 213};             // 。《》，：
const std::vector<int> kLevel1 = {0, 3619, 2855, 3719, 3222, 1109};  // 啊中文字一混
const std::vector<int> kLevel2 = {0, 96, 107, 3007};                 // 亍伲佼齄

class OutlineFixtures : public ::testing::Test {
 protected:
  void TearDown() override { font_.Close(); }
  void Open(const std::string& name, int count) {
    ASSERT_EQ(font_.Open(kDir + name), kOutlineOk) << name;
    ASSERT_EQ(font_.GlyphCount(), count) << name;
  }

  OutlineFontFile font_;
};

TEST_F(OutlineFixtures, DefinitionsNameTheFilesOfFiveSlots) {
  std::istringstream in(test::ReadFile(kDir + "ccfonts.def"));
  std::vector<std::string> names;
  std::string name, scale;
  while (in >> name >> scale) {
    names.push_back(name);
    EXPECT_EQ(scale, "1.0");
  }
  ASSERT_EQ(names.size(), 54u);
  for (int slot = 0; slot < 54; ++slot) {
    const std::string expected = slot == 1    ? "umsym2.hzf"
                                 : slot == 2  ? "uml1t1.hzf"
                                 : slot == 3  ? "uml2t3.hzf"
                                 : slot == 22 ? "uml1t3.hzf"
                                 : slot == 23 ? "uml2t1.hzf"
                                              : "NONE";
    EXPECT_EQ(names[static_cast<std::size_t>(slot)], expected) << slot;
    if (expected != "NONE") {
      EXPECT_TRUE(test::FileExists(kDir + expected)) << expected;
    }
  }
}

TEST_F(OutlineFixtures, TheDocumentsCharactersAreDrawnInTheirCells) {
  struct File {
    const char* Name;
    int Count;
    const std::vector<int>* Codes;
    int Absent;  // a code the file leaves empty
  };
  for (const File& file : {File{"umsym2.hzf", 222, &kSymbols, 100}, File{"uml1t1.hzf", 3760, &kLevel1, 1},
                           File{"uml1t3.hzf", 3760, &kLevel1, 3759}, File{"uml2t3.hzf", 3008, &kLevel2, 3},
                           File{"uml2t1.hzf", 3008, &kLevel2, 3000}}) {
    Open(file.Name, file.Count);
    for (int size : {24, 100, 199}) {
      for (int k : *file.Codes) {
        const test::Bitmap b = test::RenderGlyph(font_, k, size, size);
        ASSERT_EQ(b.Result, kOutlineOk) << file.Name << " " << k;
        EXPECT_GT(b.Ink(), size / 4) << file.Name << " " << k;
        EXPECT_LT(b.Ink(), size * size * 3 / 4) << file.Name << " " << k;
      }
      EXPECT_EQ(test::RenderGlyph(font_, file.Absent, size, size).Ink(), 0) << file.Name;
    }
  }
}

TEST_F(OutlineFixtures, CharactersSitInTheEmSquare) {
  // 一 (one horizontal stroke) lies across the middle of the cell; 中 fills
  // most of it without touching the top or the bottom edge.
  Open("uml1t1.hzf", 3760);
  const test::Bitmap one = test::RenderGlyph(font_, 3222, 100, 100);
  int top = 100, bottom = -1, left = 100, right = -1;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (!one.At(x, y)) continue;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  EXPECT_GE(top, 35);
  EXPECT_LE(bottom, 65);
  EXPECT_LT(bottom - top, 15);
  EXPECT_LE(left, 10);
  EXPECT_GE(right, 90);
  const test::Bitmap middle = test::RenderGlyph(font_, 3619, 100, 100);
  for (int x = 0; x < 100; ++x) {
    EXPECT_FALSE(middle.At(x, 0));
    EXPECT_FALSE(middle.At(x, 99));
  }
  EXPECT_TRUE(middle.At(50, 50));  // the vertical stroke through the middle
}

TEST_F(OutlineFixtures, TypesOneAndThreeOfALevelDrawAlike) {
  for (auto [first, second, count, codes] :
       {std::tuple{"uml1t1.hzf", "uml1t3.hzf", 3760, &kLevel1},
        std::tuple{"uml2t3.hzf", "uml2t1.hzf", 3008, &kLevel2}}) {
    std::vector<std::string> pictures;
    Open(first, count);
    for (int k : *codes) pictures.push_back(test::RenderGlyph(font_, k, 61, 67).Picture());
    Open(second, count);
    for (std::size_t i = 0; i < codes->size(); ++i) {
      EXPECT_EQ(test::RenderGlyph(font_, (*codes)[i], 61, 67).Picture(), pictures[i]) << second;
    }
  }
}

}  // namespace
}  // namespace mox
