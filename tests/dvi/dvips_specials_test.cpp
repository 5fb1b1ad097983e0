#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "previewer/dvi/dvips_color.h"
#include "previewer/dvi/figure_special.h"
#include "previewer/dvi/paper_size_special.h"

namespace mox {
namespace {

RgbColor Color(const char* text) {
  const std::optional<RgbColor> color = ParseDvipsColor(text);
  EXPECT_TRUE(color) << text;
  return color.value_or(RgbColor{1, 2, 3});
}

TEST(DvipsColorTest, ModelsBecomeRgb) {
  EXPECT_EQ(Color("cmyk 0 0.2 0.6 0.2"), (RgbColor{204, 153, 51}));
  EXPECT_EQ(Color("cmyk 0.7 0 0 0.6"), (RgbColor{0, 102, 102}));  // c + k over 1
  EXPECT_EQ(Color("hsb 0.25 0.5 0.8"), (RgbColor{153, 204, 102}));
  EXPECT_EQ(Color("hsb 1 1 1"), (RgbColor{255, 0, 0}));  // the hue comes round
  EXPECT_EQ(Color("hsb 0.6 1 1"), (RgbColor{0, 102, 255}));
  EXPECT_EQ(Color(" rgb 1.5 -2 .5e0 "), (RgbColor{255, 0, 127}));
  EXPECT_EQ(Color("gray 0.2"), (RgbColor{51, 51, 51}));
  EXPECT_EQ(Color("Maroon"), (RgbColor{173, 0, 0}));
  EXPECT_EQ(Color("YellowOrange"), (RgbColor{255, 147, 0}));
}

TEST(DvipsColorTest, MalformedColoursAreNothing) {
  for (const char* text : {"", "maroon", "Red Blue", "rgb 1 0", "rgb 1 0 0 0", "rgb 1 0 x",
                           "rgb 1 0 1.2.3", "rgb 1 0 1e", "Rgb 1 0 0", "cmyk",
                           "\"newpath clip"}) {
    EXPECT_FALSE(ParseDvipsColor(text)) << text;
  }
}

TEST(DvipsColorTest, SpecialsAsLatexWritesThem) {
  const auto push = ParseDvipsColorSpecial("color push  Periwinkle\n");
  ASSERT_TRUE(push);
  EXPECT_EQ(push->Action, ColorAction::Push);
  EXPECT_EQ(push->Color, (RgbColor{109, 114, 255}));
  EXPECT_EQ(ParseDvipsColorSpecial(" color pop")->Action, ColorAction::Pop);
  const auto set = ParseDvipsColorSpecial("color rgb 0 0 1");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->Action, ColorAction::Set);
  EXPECT_EQ(set->Color, (RgbColor{0, 0, 255}));
  const auto background = ParseDvipsColorSpecial("background cmyk 0 0 1 0");
  ASSERT_TRUE(background);
  EXPECT_EQ(background->Action, ColorAction::Background);
  EXPECT_EQ(background->Color, (RgbColor{255, 255, 0}));
  for (const char* text : {"color pop 1", "color push", "color", "colorpush Red", "Color pop",
                           "color Push Red", "background \"newpath clip", "ps: 1 0 0 setrgbcolor"}) {
    EXPECT_FALSE(ParseDvipsColorSpecial(text)) << text;
  }
}

TEST(ColorStackTest, PushPopAndSet) {
  const RgbColor red{255, 0, 0};
  const RgbColor blue{0, 0, 255};
  ColorStack stack;
  EXPECT_TRUE(IsBlack(stack.Current()));
  EXPECT_EQ(stack.Pop(), ColorStackResult::Underflow);
  stack.Set(blue);  // with nothing pushed: the base colour
  const ColorStack page_start = stack;
  EXPECT_EQ(stack.Push(red), ColorStackResult::Ok);
  stack.Set(RgbColor{0, 255, 0});  // replaces the pushed red only
  EXPECT_EQ(stack.Depth(), 1u);
  EXPECT_EQ(stack.Pop(), ColorStackResult::Ok);
  EXPECT_EQ(stack, page_start);
  EXPECT_EQ(stack.Current(), blue);
}

TEST(ColorStackTest, OverflowLeavesTheStackAsItWas) {
  ColorStack stack;
  for (std::size_t i = 0; i < ColorStack::kMaxDepth; ++i) {
    ASSERT_EQ(stack.Push(RgbColor{static_cast<std::uint8_t>(i), 0, 0}), ColorStackResult::Ok);
  }
  const ColorStack full = stack;
  EXPECT_EQ(stack.Push(RgbColor{0, 0, 255}), ColorStackResult::Overflow);
  EXPECT_EQ(stack, full);
  EXPECT_EQ(stack.Current(), (RgbColor{254, 0, 0}));
}

constexpr FigureBox kFileBox{10, 20, 110, 70};  // 100 bp by 50

void ExpectRectangle(const FigurePlacement& placement, double left, double top, double right,
                     double bottom) {
  EXPECT_NEAR(placement.Left, left, 1e-9);
  EXPECT_NEAR(placement.Top, top, 1e-9);
  EXPECT_NEAR(placement.Right, right, 1e-9);
  EXPECT_NEAR(placement.Bottom, bottom, 1e-9);
}

TEST(FigureSpecialTest, GraphicxWidthOnlyScalesUniformly) {
  const auto figure =
      ParseFigureSpecial("PSfile=\"fig.eps\" llx=10 lly=20 urx=110 ury=70 rwi=850 ");
  ASSERT_TRUE(figure);
  EXPECT_EQ(figure->File, "fig.eps");
  const auto placement = PlaceFigure(*figure);
  ASSERT_TRUE(placement);
  // The box's lower-left corner at the current point, the figure above it.
  ExpectRectangle(*placement, 0, -42.5, 85, 0);
  EXPECT_FALSE(placement->Clip);
}

TEST(FigureSpecialTest, GraphicxWidthAndHeightWithClip) {
  const auto figure = ParseFigureSpecial(
      "PSfile=\"my fig.eps\" llx=10 lly=20 urx=110 ury=70 rwi=850 rhi=283 clip");
  ASSERT_TRUE(figure);
  EXPECT_EQ(figure->File, "my fig.eps");
  const auto placement = PlaceFigure(*figure, FigureBox{0, 0, 1, 1});  // the special's box wins
  ASSERT_TRUE(placement);
  ExpectRectangle(*placement, 0, -28.3, 85, 0);
  EXPECT_TRUE(placement->Clip);
  EXPECT_EQ(placement->Box, kFileBox);
}

TEST(FigureSpecialTest, PsfileTurnedAQuarterSwapsTheSides) {
  const auto figure = ParseFigureSpecial(
      "psfile=fig.eps hoffset=72 voffset=-10 hscale=50 VSCALE=75 angle=90 unknown=\"a b\"");
  ASSERT_TRUE(figure);
  ASSERT_FALSE(figure->Box());
  const auto placement = PlaceFigure(*figure, kFileBox);
  ASSERT_TRUE(placement);
  // Turned, the 100 by 50 box stands 50 wide and 100 high; then scaled.
  ExpectRectangle(*placement, 37, -72.5, 62, 2.5);
}

TEST(FigureSpecialTest, PsfileTurnedByAnyAngle) {
  const auto figure = ParseFigureSpecial("psfile=fig.eps llx=0 lly=0 urx=100 ury=50 angle=45");
  ASSERT_TRUE(figure);
  const auto placement = PlaceFigure(*figure);
  ASSERT_TRUE(placement);
  const double half = std::sqrt(0.5);
  ExpectRectangle(*placement, -50 * half, -150 * half, 100 * half, 0);
}

TEST(FigureSpecialTest, ABoxIsNeededToScaleTo) {
  const auto figure = ParseFigureSpecial("PSfile=fig.eps rhi=500");
  ASSERT_TRUE(figure);
  EXPECT_FALSE(PlaceFigure(*figure));
  const auto placement = PlaceFigure(*figure, kFileBox);
  ASSERT_TRUE(placement);
  ExpectRectangle(*placement, 0, -50, 100, 0);
}

TEST(FigureSpecialTest, MalformedOrHugeFiguresAreNothing) {
  for (const char* text : {"psfile=", "psfile=\"fig.eps llx=1", "psfile=fig.eps llx=1x",
                           "psfile=fig.eps llx=", "psfile=fig.eps llx", "psfile=fig.eps clip=1",
                           "epsfile=fig.eps"}) {
    EXPECT_FALSE(ParseFigureSpecial(text)) << text;
  }
  const auto huge = ParseFigureSpecial("psfile=fig.eps hscale=1e9");
  ASSERT_TRUE(huge);
  EXPECT_FALSE(PlaceFigure(*huge, kFileBox));
}

TEST(EpsHeaderTest, BoundingBoxComment) {
  EXPECT_EQ(ReadEpsBoundingBox("%!PS-Adobe-3.0 EPSF-3.0\r\n%%BoundingBox: 10 20 110.5 70\r\n"),
            (FigureBox{10, 20, 110.5, 70}));
  EXPECT_FALSE(ReadEpsBoundingBox("%!PS\n%%BoundingBox: (atend)\n"));
  EXPECT_FALSE(ReadEpsBoundingBox("%!PS\n%%EndComments\n%%BoundingBox: 0 0 1 1\n"));
}

TEST(EpsHeaderTest, DosEpsHeaderNamesThePostScript) {
  const std::string postscript = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 1 2 3 4\n";
  std::string file = "\xC5\xD0\xD3\xC6";
  for (const std::uint32_t value : {32u, static_cast<std::uint32_t>(postscript.size())}) {
    for (int shift = 0; shift < 32; shift += 8) file += static_cast<char>(value >> shift);
  }
  file.resize(32, '\0');  // no previews, then two bytes of padding
  file += postscript;
  const auto section = ReadDosEpsHeader(file);
  ASSERT_TRUE(section);
  EXPECT_EQ(section->Offset, 32u);
  EXPECT_EQ(section->Length, postscript.size());
  EXPECT_EQ(ReadEpsBoundingBox(file), (FigureBox{1, 2, 3, 4}));
  file[4] = 8;  // a section inside the header
  EXPECT_FALSE(ReadDosEpsHeader(file));
}

TEST(PaperSizeSpecialTest, TexDimensions) {
  const auto a4 = ParsePaperSizeSpecial("papersize=210mm,297mm");
  ASSERT_TRUE(a4);
  EXPECT_NEAR(a4->WidthBp, 595.2756, 1e-4);
  EXPECT_NEAR(a4->HeightBp, 841.8898, 1e-4);
  const auto letter = ParsePaperSizeSpecial(" papersize=614.295truept, 11 TRUE in ");
  ASSERT_TRUE(letter);
  EXPECT_NEAR(letter->WidthBp, 612.0, 1e-9);
  EXPECT_NEAR(letter->HeightBp, 792.0, 1e-9);
  for (const char* text : {"papersize=0pt,1pt", "papersize=-1in,1in", "papersize=1001in,1in",
                           "papersize=210,297", "papersize=210mm", "papersize=1px,1px",
                           "papersize=1e2pt,1pt", "papersize=1.2.3pt,1pt"}) {
    EXPECT_FALSE(ParsePaperSizeSpecial(text)) << text;
  }
  EXPECT_TRUE(IsLandscapeSpecial(" landscape "));
  EXPECT_FALSE(IsLandscapeSpecial("landscape x"));
}

}  // namespace
}  // namespace mox
