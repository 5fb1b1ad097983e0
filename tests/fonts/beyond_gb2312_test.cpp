// The characters beyond GB 2312 (the moxuc fonts) of a document made by mox
// and TeX: drawn by their ziti's TrueType face or from the outline fonts of
// ucfonts.def, an empty box where neither has them, each such character
// named once; a GB 2312 character of the
// same font drawn as it is in a document without them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "previewer/fonts/missing_characters.h"
#include "tests/support/document_fixture.h"

namespace mox::test {
namespace {

constexpr int kZitiA = 1;
constexpr std::int32_t kZhong = 3619;  // 中 in ziti A's first-level slot

class BeyondGb2312Test : public DocumentTest {
 protected:
  // Opens a fixture with ziti A served by AR PL UMing, which has every
  // character of ziti A.
  void Load(PreviewDocument& doc, const std::string& name,
            const std::string& chinese_fonts = MOX_FIXTURES_DIR "/hzfonts") {
    const std::string fixtures = MOX_FIXTURES_DIR;
    doc.Settings.PkFontPath = fixtures + "/pk/dpi$d";
    doc.Settings.ChineseFontPath = chinese_fonts;
    FaceEntry& face = doc.Faces.Entries[kZitiA];
    std::strcpy(face.Font.FaceName, "AR PL UMing CN");
    face.Font.CharSet = 134;
    face.Scale = 1.0;
    for (int i = 0; i < 4; ++i) ui_.AnswerNext(platform::kAnswerYes);
    ASSERT_EQ(OpenDviFile(doc, fixtures + "/dvi/" + name), 0);
    ASSERT_EQ(PreScan(doc), 0);
    ASSERT_EQ(LoadFonts(doc), 0);
  }

  static bool IsBox(const FontDocument& doc, int slot, const ChineseGlyph& glyph) {
    const ChineseFont& font = doc.Fonts.ChineseFonts[glyph.Font];
    const GlyphSize size = ChineseGlyphSize(doc, slot, font.PixelWidth, font.PixelHeight);
    return glyph.Bitmap == EmptyBox(size.Width, size.Height);
  }

  static const ChineseGlyph* Find(const FontDocument& doc, int slot, std::int32_t code) {
    for (const ChineseGlyph& glyph : doc.Fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
      if (glyph.CodeIndex == code) return &glyph;
    }
    return nullptr;
  }
};

TEST_F(BeyondGb2312Test, TheFaceOrTheRangeFontsDrawThem) {
  Load(doc_, "beyond.dvi");
  // Ziti A: the names' characters GB 2312 lacks (镕 堃 旻 喆 昇), all with ink.
  const ChineseSlot& served = doc_.Fonts.Slots[kUnicodeSlotBase + kZitiA];
  ASSERT_EQ(served.Glyphs.size(), 5u);
  for (const ChineseGlyph& glyph : served.Glyphs) {
    EXPECT_TRUE(std::any_of(glyph.Bitmap.begin(), glyph.Bitmap.end(), [](auto b) { return b; }))
        << glyph.CodeIndex;
    EXPECT_FALSE(IsBox(doc_, kUnicodeSlotBase + kZitiA, glyph)) << glyph.CodeIndex;
  }
  ASSERT_TRUE(Find(doc_, kUnicodeSlotBase + kZitiA, 0x9555));
  // Ziti B has no face: 㐀 㐁 and the compatibility ideograph come from the
  // outline fonts of their Unicode ranges that ucfonts.def names.
  const int unserved = kUnicodeSlotBase + 2;
  ASSERT_EQ(doc_.Fonts.Slots[unserved].Glyphs.size(), 3u);
  for (const ChineseGlyph& glyph : doc_.Fonts.Slots[unserved].Glyphs) {
    EXPECT_FALSE(IsBox(doc_, unserved, glyph)) << glyph.CodeIndex;
    EXPECT_TRUE(std::any_of(glyph.Bitmap.begin(), glyph.Bitmap.end(), [](auto b) { return b; }));
  }
  for (const std::string& text : Errors()) EXPECT_EQ(text.find("U+"), std::string::npos) << text;
  // The page's items take the glyphs, in the order of the text.
  ASSERT_EQ(ScanPage(doc_, 0), 0);
  int items = 0;
  for (const PageItem& item : doc_.Page.Items) {
    if (item.Kind == ItemChineseChar && IsUnicodeSlot(SlotOfRef(item.Ref()))) ++items;
  }
  EXPECT_EQ(items, 8);

  // 中 of ziti A at 24pt, as the GB 2312 document draws it.
  PreviewDocument plain(ui_, Options{});
  plain.Search = doc_.Search;
  Load(plain, "chinese.dvi");
  const ChineseGlyph* here = Find(doc_, 2 * kZitiA, kZhong);
  const ChineseGlyph* there = Find(plain, 2 * kZitiA, kZhong);
  ASSERT_TRUE(here && there);
  EXPECT_EQ(here->Bitmap, there->Bitmap);
}

TEST_F(BeyondGb2312Test, ABrokenRangeFontAndABadDefinitionLineAreNamed) {
  const std::string fonts = MOX_FIXTURES_DIR "/hzfonts/";
  WriteFile(dir_.File("ccfonts.def"), ReadFile(fonts + "ccfonts.def"));
  WriteFile(dir_.File("uc3400.hzf"), ReadFile(fonts + "uc3400.hzf").substr(0, 20));
  WriteFile(dir_.File("ucfonts.def"), "B uc3400.hzf\r\nB\r\nB ucF900.hzf\r\n");
  Load(doc_, "beyond.dvi", dir_.Path());
  const int unserved = kUnicodeSlotBase + 2;
  for (const ChineseGlyph& glyph : doc_.Fonts.Slots[unserved].Glyphs) {
    EXPECT_TRUE(IsBox(doc_, unserved, glyph)) << glyph.CodeIndex;
  }
  std::string boxes;
  for (const std::string& text : Errors()) boxes += text + "\n";
  EXPECT_NE(boxes.find("uc3400.hzf\", error code="), std::string::npos) << boxes;
  EXPECT_NE(boxes.find("ucfonts.def, line 2"), std::string::npos) << boxes;
  // The characters are named once, the one whose file is missing too.
  EXPECT_NE(boxes.find("U+3400"), std::string::npos) << boxes;
  EXPECT_NE(boxes.find("U+F900"), std::string::npos) << boxes;
  EXPECT_EQ(boxes.find("U+3400"), boxes.rfind("U+3400")) << boxes;
}

}  // namespace
}  // namespace mox::test
