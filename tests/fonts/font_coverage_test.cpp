// How many Chinese characters the program folder's outline fonts draw: the
// ideographs of GBK (GB 2312's from ccfonts.def, the others from the fonts
// of Unicode ranges that ucfonts.def names) and those of Extension A, each
// rendered and counted when its cell has ink. GBK codes that decode to the
// Private Use Area are no font's and not counted. MOX_FULL_FONTS names the
// folder (made by packaging/make-chinese-fonts.sh, as for the installer).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/unicode_outline_fonts.h"
#include "tests/support/recording_reporter.h"

namespace mox::test {
namespace {

constexpr int kZitiA = 1;
constexpr int kCell = 32;

bool IsIdeograph(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF);
}

class Coverage {
 public:
  explicit Coverage(const std::string& folder) : doc_(report_, Options{}) {
    doc_.Settings.ChineseFontPath = folder;
    folder_ = folder + "/";
    ReadChineseDefinitions(doc_);
    std::vector<std::string> problems;
    ReadUnicodeDefinitions(doc_, problems);
    EXPECT_TRUE(problems.empty());
  }

  // Whether the glyph of a GB 2312 code (lead and trail byte) has ink.
  bool DrawsGb2312(int lead, int trail) {
    const int linear = (lead - 0xA1) * 94 + trail - 0xA1;
    const bool first_level = linear < 5170;
    const std::string& name = doc_.Fonts.Definitions[2 * kZitiA + (first_level ? 0 : 1)].FileName;
    return HasInk(name, linear - (first_level ? 1410 : 5170));
  }

  // Whether a file of ucfonts.def for ziti A draws the character with ink.
  bool DrawsUnicode(char32_t c) {
    for (const UnicodeFontDefinition& definition : doc_.Fonts.UnicodeDefinitions) {
      if ((definition.Zitis >> kZitiA & 1u) == 0) continue;
      OutlineFontFile& font = Open(definition.FileName);
      const int k = static_cast<int>(c) - font.FirstCode();
      if (k >= 0 && k < font.GlyphCount()) return HasInk(definition.FileName, k);
    }
    return false;
  }

 private:
  OutlineFontFile& Open(const std::string& name) {
    OutlineFontFile& font = fonts_[name];
    if (!font.IsOpen()) {
      EXPECT_EQ(font.Open(folder_ + name), kOutlineOk) << name;
    }
    return font;
  }

  bool HasInk(const std::string& name, int k) {
    std::vector<std::uint8_t> cell(kCell / 8 * kCell), crossings(65520);
    if (Open(name).Render(cell.data(), k, kCell, kCell, crossings.data(), crossings.size()) !=
        kOutlineOk) {
      return false;
    }
    for (std::uint8_t byte : cell) {
      if (byte != 0) return true;
    }
    return false;
  }

  RecordingReporter report_;
  FontDocument doc_;
  std::string folder_;
  std::map<std::string, OutlineFontFile> fonts_;
};

TEST(FontCoverageTest, EveryGbkIdeographAndExtensionADrawWithInk) {
  const char* folder = std::getenv("MOX_FULL_FONTS");
  if (folder == nullptr) GTEST_SKIP() << "MOX_FULL_FONTS names no font folder";
  Coverage coverage(folder);
  int gbk = 0, gbk_drawn = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string text = platform::DecodeGbk(bytes);
      if (text.size() != 1 || !IsIdeograph(text[0])) continue;  // PUA codes are no ideographs
      ++gbk;
      const bool gb2312 = lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1;
      if (gb2312 ? coverage.DrawsGb2312(lead, trail) : coverage.DrawsUnicode(text[0])) {
        ++gbk_drawn;
      }
    }
  }
  int extension_a_drawn = 0;
  for (char32_t c = 0x3400; c <= 0x4DBF; ++c) extension_a_drawn += coverage.DrawsUnicode(c);
  std::printf("GBK ideographs drawn: %d of %d; Extension A: %d of %d\n", gbk_drawn, gbk,
              extension_a_drawn, 0x4DC0 - 0x3400);
  EXPECT_EQ(gbk_drawn, gbk);
  // Extension A as Unicode 3.0 has it; U+4DB6 to U+4DBF came later and the
  // face has none of them.
  EXPECT_GE(extension_a_drawn, 6582);
}

}  // namespace
}  // namespace mox::test
