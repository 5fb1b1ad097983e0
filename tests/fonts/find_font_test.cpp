#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox {
namespace {

using test::AbortMessageOf;

class FindFontTest : public test::DocumentTest {
 protected:
  void AddPk(std::uint32_t number) {
    RegisterFontDefinition(doc_, number, 0, 65536, 65536, "cmr" + std::to_string(number));
  }
  void AddChinese(std::uint32_t number) {
    RegisterFontDefinition(doc_, number, 10 << 20, 655360, 655360, "ccfnta");
  }
  std::optional<std::string> Missing(int number, long location = 0) {
    return AbortMessageOf([&] { FindFont(doc_, number, location); });
  }
};

// Every present number is found at its place, every other one is undefined,
// for tables of every size up to 40 (bisection has its edges at both ends).
TEST_F(FindFontTest, BisectionFindsEveryPkFontOfTablesOfAnySize) {
  for (std::uint32_t count = 1; count <= 40; ++count) {
    doc_.Fonts = FontRegistry{};
    for (std::uint32_t i = count; i-- > 0;) AddPk(3 * i + 1);  // added backwards
    SortFontTables(doc_.Fonts);
    const int end = 3 * static_cast<int>(count) + 3;  // one missing number past the last
    for (int number = 0; number < end; ++number) {
      if (number % 3 == 1 && number < end - 3) {
        const FoundFont found = FindFont(doc_, number, 0);
        ASSERT_EQ(found.Kind, FontKind::Pk) << count << ": " << number;
        ASSERT_EQ(found.Index, number / 3) << count << ": " << number;
      } else {
        ASSERT_TRUE(Missing(number).has_value()) << count << ": " << number;
      }
    }
  }
}

TEST_F(FindFontTest, ChineseFontsThenTheDummyFont) {
  AddPk(10);
  AddPk(30);
  AddChinese(20);
  AddChinese(5);
  RegisterFontDefinition(doc_, 40, 0, 0, 0, "ccdummy");
  SortFontTables(doc_.Fonts);
  EXPECT_EQ(FindFont(doc_, 30, 0).Kind, FontKind::Pk);
  EXPECT_EQ(FindFont(doc_, 30, 0).Index, 1);
  EXPECT_EQ(FindFont(doc_, 20, 0).Kind, FontKind::Chinese);
  EXPECT_EQ(FindFont(doc_, 20, 0).Index, 0);
  EXPECT_EQ(FindFont(doc_, 5, 0).Index, 1);
  EXPECT_EQ(FindFont(doc_, 40, 0).Kind, FontKind::Dummy);
  EXPECT_EQ(FindFont(doc_, 40, 0).Index, -1);
  // Without PK fonts the Chinese table is still searched.
  doc_.Fonts = FontRegistry{};
  AddChinese(7);
  EXPECT_EQ(FindFont(doc_, 7, 0).Kind, FontKind::Chinese);
}

TEST_F(FindFontTest, UndefinedNumbersAbortInEnglishOnly) {
  AddPk(1);
  EXPECT_EQ(Missing(2, 1234), "Undefined font no.: 2, location=1234");
  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(Missing(77, 99), "Undefined font no.: 77, location=99");
  // No dummy font (-1) must not match a number of -1.
  doc_.Fonts = FontRegistry{};
  EXPECT_EQ(doc_.Dvi.DummyFont, -1);
  EXPECT_EQ(Missing(-1, 0), "Undefined font no.: -1, location=0");
}

}  // namespace
}  // namespace mox
