// The palettes' pointer positions at the edges of their rows and columns:
// offsets, division toward zero, and the cells that keep or empty the box.
#include "frontend/core/palette_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace mox::varelo {
namespace {

constexpr const char* kKept = "(kept)";
constexpr const char* kEmpty = "";

struct Probe {
  const char* Palette;
  int X;
  int Y;
  const char* Box;  // the box afterwards; kKept: what it held before
};

constexpr Probe kProbes[] = {
    {"希腊字母", 23, 0, "\\beta "},
    {"希腊字母", 21, 16, "\\alpha "},
    {"希腊字母", 22, 17, "\\delta "},
    {"希腊字母", 64, 0, "\\Gamma "},
    {"希腊字母", 66, 0, kKept},  // a fourth column
    {"希腊字母", 50, 200, kKept},
    {"希腊字母", 0, 254, "\\omega "},
    {"希腊字母", 0, 255, kEmpty},
    {"希腊字母", 0, -1, "\\alpha "},  // -1 div 17 is 0
    {"希腊字母", 0, -17, kEmpty},
    {"大算子符", 32, 31, "\\sum_{}^{}"},
    {"大算子符", 33, 159, "\\nolimits "},
    {"大算子符", 33, 160, "\\limits "},
    {"大算子符", 0, 288, kKept},  // row 10 has no symbols
    {"大算子符", 0, 320, kEmpty},
    {"双目运算符", 0, 0, "\\pm "},
    {"双目运算符", 0, 20, "\\pm "},
    {"双目运算符", 0, 21, "\\mp "},
    {"双目运算符", 44, 190, "\\and "},
    {"双目运算符", 44, 191, kEmpty},
    {"关系运算符", 44, 186, "\\perp"},
    {"关系运算符", 44, 187, "\\not "},
    {"关系运算符", 0, 204, kEmpty},
    {"箭头符号", 0, 18, "\\leftarrow "},
    {"箭头符号", 0, 19, "\\Leftarrow "},
    {"箭头符号", 0, 210, "\\hookleftarrow"},
    {"箭头符号", 0, 258, "\\rightleftharpoons "},
    {"箭头符号", 33, 258, kKept},
    {"箭头符号", 0, 270, kEmpty},
    {"混杂符号", 0, 21, "\\aleph "},
    {"混杂符号", 0, 22, "\\hbar "},
    {"混杂符号", 22, 175, kKept},
    {"混杂符号", 0, 191, "\\smallint "},
    {"混杂符号", 0, 192, kEmpty},
    {"定界符号", 22, 155, "\\left "},
    {"定界符号", 22, 156, kEmpty},  // the empty cell beside \begin
    {"定界符号", 44, 156, "\\end "},
    {"定界符号", 0, 182, kEmpty},
    {"外文重音", 32, 85, "\\\" "},
    {"外文重音", 33, 0, "\\AA "},
    {"外文重音", 40, 190, kKept},
    {"外文重音", 0, 255, kKept},  // a row below the list
    {"外文重音", 66, 0, kEmpty},
    {"专用符号", 30, 85, "\\lq "},
    {"专用符号", 31, 85, "\r\n"},
    {"专用符号", 31, 102, kKept},
    {"专用符号", 62, 0, kEmpty},
    {"数学函数", 33, 0, "\\sinh "},
    {"数学函数", 33, 255, "\\limsup "},
    {"数学函数", 0, 256, kEmpty},
};

TEST(PaletteTest, PointerPositionsAtTheEdgesOfRowsAndColumns) {
  for (const Probe& probe : kProbes) {
    std::string box = kKept;
    PaletteHitTest(probe.Palette, probe.X, probe.Y, box);
    EXPECT_EQ(box, probe.Box) << probe.Palette << " at " << probe.X << "," << probe.Y;
  }
}

TEST(PaletteTest, NoChosenPaletteLeavesTheBoxAlone) {
  std::string box = "\\alpha ";
  PaletteHitTest("", 0, 0, box);
  PaletteHitTest("希腊", 0, 0, box);
  EXPECT_EQ(box, "\\alpha ");
}

}  // namespace
}  // namespace mox::varelo
