#include <gtest/gtest.h>

#include <string>

#include "previewer/fonts/font_registry.h"
#include "previewer/startup/options.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox {
namespace {

using test::AbortMessageOf;

class ChineseDefinitionsTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    test::DocumentTest::SetUp();
    doc_.Settings.ChineseFontPath = dir_.Path();
  }

  void Read(const std::string& text) {
    test::WriteFile(dir_.File("ccfonts.def"), text);
    ASSERT_EQ(AbortMessageOf([&] { ReadChineseDefinitions(doc_); }), std::nullopt);
  }

  const FontDefinition& Slot(int slot) { return doc_.Fonts.Definitions[slot]; }
};

TEST_F(ChineseDefinitionsTest, PairsFillTheSlotsInOrder) {
  std::string text;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    text += "f" + std::to_string(slot) + ".fnt " + (slot % 2 == 0 ? "1.0" : "1.25") + "\r\n";
  }
  Read(text);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    EXPECT_EQ(Slot(slot).FileName, "f" + std::to_string(slot) + ".fnt");
    EXPECT_EQ(Slot(slot).Scale, slot % 2 == 0 ? 10000 : 12500);
  }
}

TEST_F(ChineseDefinitionsTest, LineBreaksMeanNothing) {
  Read("user.pz\n0.9 sym.fnt   1.1\n\n\tsong1.fnt\t1 song2.fnt\n1.05");
  EXPECT_EQ(Slot(0).FileName, "user.pz");
  EXPECT_EQ(Slot(0).Scale, 9000);
  EXPECT_EQ(Slot(1).FileName, "sym.fnt");
  EXPECT_EQ(Slot(1).Scale, 11000);
  EXPECT_EQ(Slot(2).FileName, "song1.fnt");
  EXPECT_EQ(Slot(2).Scale, 10000);
  EXPECT_EQ(Slot(3).FileName, "song2.fnt");
  EXPECT_EQ(Slot(3).Scale, 10500);
}

TEST_F(ChineseDefinitionsTest, FewerPairsLeaveTheOtherSlotsUndefined) {
  doc_.Fonts.Definitions[10] = {"old.fnt", 15000};  // from an earlier run
  Read("a.fnt 1.0 b.fnt 1.5");
  EXPECT_EQ(Slot(1).FileName, "b.fnt");
  for (int slot = 2; slot < kSlotCount; ++slot) {
    EXPECT_TRUE(Slot(slot).FileName.empty()) << slot;
    EXPECT_EQ(Slot(slot).Scale, 10000) << slot;
  }
  Read("");
  EXPECT_TRUE(Slot(0).FileName.empty());
}

TEST_F(ChineseDefinitionsTest, ScalesOutsideTheWindowCountAsOne) {
  Read("a 0.5 b 2.0 c 2.5 d 0.3 e -1 f 0.5001 g 1.99999 h 1.2e0 i +1.3 j .75");
  EXPECT_EQ(Slot(0).Scale, 10000);
  EXPECT_EQ(Slot(1).Scale, 10000);
  EXPECT_EQ(Slot(2).Scale, 10000);
  EXPECT_EQ(Slot(3).Scale, 10000);
  EXPECT_EQ(Slot(4).Scale, 10000);
  EXPECT_EQ(Slot(5).Scale, 5001);
  EXPECT_EQ(Slot(6).Scale, 20000);  // 19999.9 + 0.5
  EXPECT_EQ(Slot(7).Scale, 12000);
  EXPECT_EQ(Slot(8).Scale, 13000);
  EXPECT_EQ(Slot(9).Scale, 7500);
  for (int slot = 0; slot < 10; ++slot) EXPECT_FALSE(Slot(slot).FileName.empty());
}

TEST_F(ChineseDefinitionsTest, NamesAreCutToTwelveCharacters) {
  Read("abcdefghijklmnopqrstuvwxyz 1.0 short 1.0");
  EXPECT_EQ(Slot(0).FileName, "abcdefghijkl");
  EXPECT_EQ(Slot(1).FileName, "short");
}

TEST_F(ChineseDefinitionsTest, AWordWithoutANumberLosesItsSlot) {
  // Like fscanf: "b" is no number, so slot 0 stays empty and "b" starts the
  // next pair.
  Read("a b 1.1 c 1.2");
  EXPECT_TRUE(Slot(0).FileName.empty());
  EXPECT_EQ(Slot(0).Scale, 10000);
  EXPECT_EQ(Slot(1).FileName, "b");
  EXPECT_EQ(Slot(1).Scale, 11000);
  EXPECT_EQ(Slot(2).FileName, "c");
  // A word at the very end.
  Read("a 1.0 b");
  EXPECT_EQ(Slot(0).FileName, "a");
  EXPECT_TRUE(Slot(1).FileName.empty());
}

TEST_F(ChineseDefinitionsTest, AMissingFileAbortsWithItsPath) {
  doc_.Settings.ChineseFontPath = dir_.File("nowhere");
  const std::string path = dir_.File("nowhere") + test::kSeparator + "ccfonts.def";
  EXPECT_EQ(AbortMessageOf([&] { ReadChineseDefinitions(doc_); }),
            "**Error : file \"" + path + "\" not found.");
  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(AbortMessageOf([&] { ReadChineseDefinitions(doc_); }), "找不到文件\"" + path + "\".");
}

TEST_F(ChineseDefinitionsTest, TheDirectoryGetsASeparatorOnlyWhereItNeedsOne) {
  const auto path_tried = [&](const std::string& directory) {
    doc_.Settings.ChineseFontPath = directory;
    const std::optional<std::string> message = AbortMessageOf([&] { ReadChineseDefinitions(doc_); });
    const std::string prefix = "**Error : file \"";
    if (!message || message->size() < prefix.size() + 12) return std::string();
    return message->substr(prefix.size(), message->size() - prefix.size() - 12);
  };
  EXPECT_EQ(path_tried("Z:\\nowhere\\"), "Z:\\nowhere\\ccfonts.def");
  EXPECT_EQ(path_tried("Z:\\nowhere"), "Z:\\nowhere\\ccfonts.def");
  EXPECT_EQ(path_tried("Z:"), "Z:ccfonts.def");
  EXPECT_EQ(path_tried("/no/where/"), "/no/where/ccfonts.def");
  // A GBK character whose second byte is a backslash does not end the path.
  EXPECT_EQ(path_tried("Z:\\\xB1\x5C"), "Z:\\\xB1\x5C\\ccfonts.def");
#ifdef _WIN32
  EXPECT_EQ(path_tried("/no/where"), "/no/where\\ccfonts.def");
#else
  EXPECT_EQ(path_tried("/no/where"), "/no/where/ccfonts.def");
#endif
}

}  // namespace
}  // namespace mox
