// The TFM and VF readers on files made by TeX's own pltotf and vptovf
// (tests/fixtures/vf), and on damaged copies of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/fonts/font_file_bytes.h"
#include "previewer/fonts/tfm_metrics.h"
#include "previewer/fonts/virtual_font_file.h"

namespace mox {
namespace {

std::vector<std::uint8_t> FixtureBytes(const std::string& name) {
  const auto bytes = ReadFontFileBytes(std::string(MOX_FIXTURES_DIR) + "/vf/" + name);
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or(std::vector<std::uint8_t>{});
}

constexpr std::int32_t kTenPoints = 10 << 16;  // in DVI units of 1 sp

TEST(TfmMetricsTest, WidthsOfAFileScaleAsDriversScaleThem) {
  const std::optional<TfmMetrics> tfm = ParseTfm(FixtureBytes("moxmetric.tfm"));
  ASSERT_TRUE(tfm.has_value());
  EXPECT_EQ(tfm->DesignSize, 10 << 20);
  EXPECT_EQ(ScaleFixWord(*tfm->Width('a'), kTenPoints), 5 << 16);
  EXPECT_EQ(ScaleFixWord(*tfm->Width('c'), 2 * kTenPoints), 25 << 16);
  EXPECT_FALSE(tfm->Width('d').has_value());
  EXPECT_FALSE(tfm->Width(-1).has_value());
  // Negative amounts (VF moves) and sizes past 2^23, where the size is halved.
  EXPECT_EQ(ScaleFixWord(-(1 << 19), kTenPoints), -(5 << 16));
  EXPECT_EQ(ScaleFixWord(1 << 20, 100 << 16), 100 << 16);
}

TEST(TfmMetricsTest, DamagedFilesAreRefused) {
  std::vector<std::uint8_t> bytes = FixtureBytes("moxmetric.tfm");
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
    EXPECT_FALSE(ParseTfm(cut).has_value()) << size;
  }
  TfmProblem problem = TfmProblem::None;
  bytes[6] = 1;  // ec past 255
  EXPECT_FALSE(ParseTfm(bytes, &problem).has_value());
  EXPECT_EQ(problem, TfmProblem::BadCodes);
}

TEST(VirtualFontFileTest, PacketsOfAFileMadeByVptovf) {
  const std::optional<VirtualFontFile> vf = ParseVirtualFont(FixtureBytes("moxvf.vf"));
  ASSERT_TRUE(vf.has_value());
  ASSERT_EQ(vf->Fonts.size(), 3u);
  EXPECT_EQ(vf->Fonts[1].Name, "cmbx10");
  EXPECT_EQ(vf->Fonts[1].Scale, 2 << 20);
  EXPECT_EQ(vf->Fonts[2].Name, "moxvfin");
  const VfCharacter& composite = vf->Characters['C'];
  ASSERT_TRUE(composite.Present);
  std::vector<VfOpKind> kinds;
  for (std::uint32_t i = 0; i < composite.Count; ++i) kinds.push_back(vf->Ops[composite.First + i].Kind);
  // vptovf writes the moves as w1 and y1.
  const std::vector<VfOpKind> expected = {VfOpKind::Push, VfOpKind::Set, VfOpKind::Pop,
                                          VfOpKind::W, VfOpKind::SetRule, VfOpKind::Y,
                                          VfOpKind::Set};
  EXPECT_EQ(kinds, expected);
  const VfCharacter& special = vf->Characters['E'];
  EXPECT_EQ(vf->Specials.substr(static_cast<std::size_t>(vf->Ops[special.First].A),
                                static_cast<std::size_t>(vf->Ops[special.First].B)),
            "mox virtual font");
  EXPECT_FALSE(vf->Characters['Z'].Present);
}

TEST(VirtualFontFileTest, DamagedFilesAreRefusedWithTheirProblem) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("moxvf.vf");
  // The post command is the first byte of the run of 248s that ends the file.
  std::size_t post = bytes.size();
  while (post > 0 && bytes[post - 1] == 248) --post;
  for (std::size_t size = 0; size <= post; ++size) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
    EXPECT_FALSE(ParseVirtualFont(cut).has_value()) << size;
  }
  // A packet of one byte: pop (142) without a push, an undefined font
  // (fnt_num_9) and an eop (140).
  const auto one_packet = [](std::uint8_t command) {
    return std::vector<std::uint8_t>{247, 202, 0, 0, 0, 0, 0, 0, 0xA0, 0, 0,
                                     1, 'A', 0, 0, 0, command, 248};
  };
  VfProblem problem = VfProblem::None;
  EXPECT_FALSE(ParseVirtualFont(one_packet(142), &problem));
  EXPECT_EQ(problem, VfProblem::UnbalancedPop);
  EXPECT_FALSE(ParseVirtualFont(one_packet(171 + 9), &problem));
  EXPECT_EQ(problem, VfProblem::UnknownFont);
  EXPECT_FALSE(ParseVirtualFont(one_packet(140), &problem));
  EXPECT_EQ(problem, VfProblem::BadCommand);
  EXPECT_TRUE(ParseVirtualFont(one_packet(141)));  // an unbalanced push is harmless
}

}  // namespace
}  // namespace mox
