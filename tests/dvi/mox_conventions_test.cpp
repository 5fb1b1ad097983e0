#include "previewer/dvi/mox_conventions.h"

#include <gtest/gtest.h>

#include <cstring>

#include "previewer/base/document_abort.h"

namespace mox {
namespace {

std::array<std::uint8_t, 8> PatternOf(const PageItem& item) {
  std::array<std::uint8_t, 8> bytes{};
  std::memcpy(bytes.data(), &item, 8);
  return bytes;
}

TEST(ColorSpecialTest, ColourNumber) {
  const std::optional<PageItem> item = ParseColorSpecial("3");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->Kind, ItemColor);
  EXPECT_EQ(item->Ref(), 3u);
  EXPECT_EQ(item->Width, 0);
  EXPECT_EQ(item->Y, 0);
  EXPECT_TRUE(ParseColorSpecial("  0"));
}

TEST(ColorSpecialTest, PairNeedsBothValues) {
  const std::optional<PageItem> pair = ParseColorSpecial("-1,5, 6");
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->Ref(), kColorPair);
  EXPECT_EQ(pair->Width, 5);
  EXPECT_EQ(pair->Height, 6);
  EXPECT_EQ(pair->X, 0);
  EXPECT_FALSE(ParseColorSpecial("-1,5"));
  EXPECT_FALSE(ParseColorSpecial("-1"));
}

TEST(ColorSpecialTest, PatternRepeatsItsValuesToEightRows) {
  const std::optional<PageItem> item = ParseColorSpecial("-2,255,0");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->Ref(), kColorPattern);
  EXPECT_EQ(PatternOf(*item), (std::array<std::uint8_t, 8>{255, 0, 255, 0, 255, 0, 255, 0}));
  EXPECT_EQ(PatternOf(*ParseColorSpecial("-2,1,2,3,4,5,6,7,8,9")),
            (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(PatternOf(*ParseColorSpecial("-2,257,3,1")),  // low 8 bits of each value
            (std::array<std::uint8_t, 8>{1, 3, 1, 1, 3, 1, 1, 3}));
  EXPECT_EQ(PatternOf(*ParseColorSpecial("-2")), (std::array<std::uint8_t, 8>{}));
}

TEST(ColorSpecialTest, OtherTextsMakeNoItem) {
  for (const char* text : {"", "red", "-3,1", "-", ",3", " - 1"}) {
    EXPECT_FALSE(ParseColorSpecial(text)) << text;
  }
}

TEST(StartsWithNoCaseTest, ComparesAsciiLettersWithoutCase) {
  EXPECT_TRUE(StartsWithNoCase("bmf=fig.bmf", "BMF="));
  EXPECT_TRUE(StartsWithNoCase("Em:line 1,2", "em:"));
  EXPECT_FALSE(StartsWithNoCase("BM", "BMF="));
  EXPECT_FALSE(StartsWithNoCase("BMF:", "BMF="));
}

TEST(ZitiTest, LettersSetTheZitiInEitherCase) {
  ZitiState ziti;
  ApplyZitiLetter(ziti, 'B', Language::English);
  EXPECT_EQ(ziti.Current, 2);
  ApplyZitiLetter(ziti, 'z', Language::English);
  EXPECT_EQ(ziti.Current, 26);
  ApplyZitiLetter(ziti, '@', Language::English);
  EXPECT_EQ(ziti.Current, 0);
}

TEST(ZitiTest, SaveAndRestoreNest) {
  ZitiState ziti;
  ApplyZitiLetter(ziti, 'K', Language::English);
  ApplyZitiLetter(ziti, '?', Language::English);
  ApplyZitiLetter(ziti, 'S', Language::English);
  ApplyZitiLetter(ziti, '?', Language::English);
  ApplyZitiLetter(ziti, 'A', Language::English);
  ApplyZitiLetter(ziti, '>', Language::English);
  EXPECT_EQ(ziti.Current, 'S' - 64);
  ApplyZitiLetter(ziti, '>', Language::English);
  EXPECT_EQ(ziti.Current, 'K' - 64);
}

std::string AbortMessageOf(ZitiState& ziti, int letter) {
  try {
    ApplyZitiLetter(ziti, letter, Language::English);
  } catch (const DocumentAbort& abort) {
    return abort.Message;
  }
  return "(no abort)";
}

TEST(ZitiTest, StackLimitsAndBadLettersAbort) {
  ZitiState ziti;
  EXPECT_EQ(AbortMessageOf(ziti, '>'), "Ziti stack underflow!");
  for (int i = 0; i < ZitiState::kStackDepth; ++i) ApplyZitiLetter(ziti, '?', Language::English);
  EXPECT_EQ(AbortMessageOf(ziti, '?'), "Ziti stack overflow!");
  for (int letter : {int{'['}, int{'0'}, 0, int{'`'}, 200}) {
    EXPECT_EQ(AbortMessageOf(ziti, letter), "Invalid ziti") << letter;
  }
}

TEST(ChineseCodeTest, SymbolsFirstAndSecondLevelCharacters) {
  // Row 1 cell 1 (bytes 33, 33) is the first symbol.
  std::optional<ChineseCode> code = DecodeChineseCode(33, 33, 5, 1410, 5170, 8178);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->Slot, 1);
  EXPECT_EQ(code->Index, 0);
  // Row 16 cell 1 is the first first-level character: slot 2 z.
  code = DecodeChineseCode(48, 33, 5, 1410, 5170, 8178);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->Slot, 10);
  EXPECT_EQ(code->Index, 0);
  // Row 56 cell 2 is in the second level: slot 2 z + 1.
  code = DecodeChineseCode(88, 34, 5, 1410, 5170, 8178);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->Slot, 11);
  EXPECT_EQ(code->Index, 1);
  // Row 87 cell 94 is the last character.
  code = DecodeChineseCode(119, 126, 0, 1410, 5170, 8178);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->Index, 8177 - 5170);
}

TEST(ChineseCodeTest, CodesOutsideTheBoundariesAreInvalid) {
  EXPECT_FALSE(DecodeChineseCode(120, 33, 0, 1410, 5170, 8178));  // row 88
  EXPECT_FALSE(DecodeChineseCode(33, 32, 0, 1410, 5170, 8178));   // before row 1 cell 1
  EXPECT_FALSE(DecodeChineseCode(0, 0, 0, 1410, 5170, 8178));
}

TEST(ChineseCodeTest, Mer2DviBoundariesMoveEveryRangeByFiveRows) {
  // Row 16 cell 1 is still a symbol under the higher boundaries.
  std::optional<ChineseCode> code = DecodeChineseCode(48, 33, 3, 1880, 5640, 8648);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->Slot, 1);
  EXPECT_EQ(code->Index, 1410);
  code = DecodeChineseCode(53, 33, 3, 1880, 5640, 8648);  // row 21
  ASSERT_TRUE(code);
  EXPECT_EQ(code->Slot, 6);
  EXPECT_EQ(code->Index, 0);
  EXPECT_TRUE(DecodeChineseCode(120, 33, 0, 1880, 5640, 8648));  // row 88 is valid now
}

}  // namespace
}  // namespace mox
