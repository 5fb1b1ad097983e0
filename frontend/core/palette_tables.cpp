#include "frontend/core/palette_tables.h"

#include <array>

namespace mox::varelo {
namespace {

// A cell without a symbol: the box keeps what it shows.
constexpr const char* U = nullptr;

constexpr const char* kGreek[] = {
    "\\alpha ",   "\\beta ",     "\\Gamma ",    //
    "\\gamma ",   "\\delta ",    "\\Xi ",       //
    "\\epsilon ", "\\varepsilon ", "\\Phi ",    //
    "\\zeta ",    "\\eta ",      "\\Delta ",    //
    "\\theta ",   "\\vartheta ", "\\Pi ",       //
    "\\iota ",    "\\kappa ",    "\\Psi ",      //
    "\\lambda ",  "\\mu ",       "\\Theta ",    //
    "\\nu ",      "\\xi ",       "\\Sigma ",    //
    "\\pi ",      "\\varpi ",    "\\Omega ",    //
    "\\rho ",     "\\varrho ",   "\\Lambda ",   //
    "\\sigma ",   "\\varsigma ", "\\Upsilon ",  //
    "\\tau ",     "\\upsilon ",  U,             //
    "\\phi ",     "\\varphi ",   U,             //
    "\\chi ",     "\\psi ",      U,             //
    "\\omega ",   U,             U,
};

constexpr const char* kBigOperators[] = {
    "\\sum_{}^{}",       "\\bigcap_{}^{}",    //
    "\\prod_{}^{}",      "\\bigcup_{}^{}",    //
    "\\coprod_{}^{}",    "\\bigsqcup_{}^{}",  //
    "\\bigvee_{}^{}",    "\\biguplus_{}^{}",  //
    "\\int_{}^{}",       "\\nolimits ",       //
    "\\bigodot_{}^{}",   "\\limits ",         //
    "\\bigotimes_{}^{}", U,                   //
    "\\bigoplus_{}^{}",  U,                   //
    "\\bigwedge_{}^{}",  U,                   //
    U,                   U,
};

constexpr const char* kBinaryOperators[] = {
    "\\pm ",       "\\cap ",              "\\vee ",      //
    "\\mp ",       "\\cup ",              "\\wedge ",    //
    "\\setminus ", "\\uplus ",            "\\oplus ",    //
    "\\cdot ",     "\\sqcap ",            "\\ominus ",   //
    "\\times ",    "\\sqcup ",            "\\otimes ",   //
    "\\ast ",      "\\triangleleft ",     "\\oslash ",   //
    "\\star ",     "\\triangleright ",    "\\odot ",     //
    "\\diamond ",  "\\wr ",               "\\dagger ",   //
    "\\circ ",     "\\bigcirc ",          "\\ddagger ",  //
    "\\bullet ",   "\\bigtriangleup ",    "\\amalg ",    //
    "\\div ",      "\\bigtriangledown ",  "\\and ",
};

constexpr const char* kRelations[] = {
    "\\le ",          "\\ge ",          "\\equiv ",   //
    "\\prec ",        "\\succ ",        "\\sim ",     //
    "\\preceq ",      "\\succeq ",      "\\simeq ",   //
    "\\ll ",          "\\gg ",          "\\asymp ",   //
    "\\subset ",      "\\supset ",      "\\approx ",  //
    "\\subseteq ",    "\\supseteq ",    "\\cong ",    //
    "\\sqsubseteq ",  "\\sqsupseteq ",  "\\bowtie ",  //
    "\\in ",          "\\ni ",          "\\propto ",  //
    "\\vdash ",       "\\dashv ",       "\\models ",  //
    "\\smile ",       "\\mid ",         "\\doteq ",   //
    "\\frown ",       "\\parallel ",    "\\perp",     //
    "\\ne ",          "\\notin ",       "\\not ",
};

constexpr const char* kDelimiters[] = {
    "( ",           "[ ",          "\\{ ",       //
    ") ",           "] ",          "\\} ",       //
    "\\lfloor ",    "\\lceil ",    "\\langle ",  //
    "\\rfloor ",    "\\rceil ",    "\\rangle ",  //
    "| ",           "\\| ",        "/ ",         //
    "\\backslash ", "\\left ",     "\\right ",   //
    "\\begin ",     U,             "\\end ",
};

constexpr const char* kArrows[] = {
    "\\leftarrow ",          "\\longleftarrow ",       //
    "\\Leftarrow ",          "\\Longleftarrow ",       //
    "\\rightarrow ",         "\\longrightarrow ",      //
    "\\Rightarrow ",         "\\Longrightarrow ",      //
    "\\leftrightarrow ",     "\\longleftrightarrow ",  //
    "\\Leftrightarrow ",     "\\Longleftrightarrow ",  //
    "\\uparrow ",            "\\Uparrow ",             //
    "\\downarrow ",          "\\Downarrow ",           //
    "\\updownarrow ",        "\\Updownarrow ",         //
    "\\nearrow ",            "\\searrow ",             //
    "\\swarrow ",            "\\nwarrow ",             //
    "\\mapsto ",             "\\longmapsto ",          //
    "\\hookleftarrow",       "\\hookrightarrow ",      //
    "\\leftharpoonup ",      "\\leftharpoondown ",     //
    "\\rightharpoonup ",     "\\rightharpoondown ",    //
    "\\rightleftharpoons ",  U,
};

constexpr const char* kMiscellaneous[] = {
    "\\aleph ",    "\\prime ",     "\\forall ",       //
    "\\hbar ",     "\\emptyset ",  "\\exists ",       //
    "\\imath ",    "\\nabla ",     "\\neg ",          //
    "\\jmath ",    "\\surd ",      "\\flat ",         //
    "\\ell ",      "\\top ",       "\\natural ",      //
    "\\wp ",       "\\bot ",       "\\sharp ",        //
    "\\Re ",       "\\| ",         "\\clubsuit ",     //
    "\\Im ",       "\\angle ",     "\\diamondsuit ",  //
    "\\partial ",  "\\triangle ",  "\\heartsuit ",    //
    "\\infty ",    "\\backslash ", "\\spadesuit ",    //
    "\\smallint ", U,              U,
};

constexpr const char* kAccents[] = {
    "\\' ", "\\AA ",  //
    "\\. ", "\\aa ",  //
    "\\= ", "\\AE ",  //
    "\\^ ", "\\ae ",  //
    "\\` ", "\\L ",   //
    "\\\" ", "\\l ",  //
    "\\~ ", "\\O ",   //
    "\\c ", "\\o ",   //
    "\\d ", "\\OE ",  //
    "\\H ", "\\oe ",  //
    "\\t ", "\\ss ",  //
    "\\u ", U,        //
    "\\v ", U,        //
    "\\i ", U,        //
    "\\j ", U,
};

constexpr const char* kSpecial[] = {
    "\\# ",         "\\TeX ",    //
    "\\$ ",         "\\LaTeX ",  //
    "\\% ",         "\\{ ",      //
    "\\& ",         "\\} ",      //
    "\\_ ",         "$$ ",       //
    "\\lq ",        "\r\n",      //
    "\\rq ",        U,           //
    "\\lbrack ",    U,           //
    "\\rbrack ",    U,           //
    "\\dag ",       U,           //
    "\\ddag ",      U,           //
    "\\copyright ", U,           //
    "\\P ",         U,           //
    "\\S ",         U,           //
    "\\backslash ", U,
};

constexpr const char* kMathFunctions[] = {
    "\\cos ", "\\sinh ",     //
    "\\sin ", "\\tanh ",     //
    "\\tan ", "\\det ",      //
    "\\cot ", "\\dim ",      //
    "\\csc ", "\\sec ",      //
    "\\lim ", "\\arccos ",   //
    "\\log ", "\\max ",      //
    "\\arg ", "\\min ",      //
    "\\deg ", "\\Pr ",       //
    "\\gcd ", "\\lg ",       //
    "\\ln ",  "\\arcsin ",   //
    "\\inf ", "\\arctan ",   //
    "\\ker ", "\\cosh ",     //
    "\\hom ", "\\coth ",     //
    "\\sup ", "\\liminf ",   //
    "\\exp ", "\\limsup ",
};

// Grids: cell width, height, row offset, first column, rows, columns,
// clear outside the rows, clear outside the columns.
constexpr PaletteGrid kRowsClear(int width, int height, int offset, int rows, int columns) {
  return {width, height, offset, 1, rows, columns, true, false};
}
constexpr PaletteGrid kColumnsClear(int width, int height, int rows) {
  return {width, height, 0, 0, rows, 2, false, true};
}

template <std::size_t N>
constexpr bool Fits(const char* const (&)[N], PaletteGrid grid) {
  return N == static_cast<std::size_t>(grid.Rows * grid.Columns);
}

constexpr PaletteGrid kGreekGrid = kRowsClear(22, 17, 0, 15, 3);
constexpr PaletteGrid kBigOperatorGrid = kRowsClear(33, 32, 0, 10, 2);
constexpr PaletteGrid kBinaryGrid = kRowsClear(22, 17, 4, 11, 3);
constexpr PaletteGrid kRelationGrid = kRowsClear(22, 17, 0, 12, 3);
constexpr PaletteGrid kDelimiterGrid = kRowsClear(22, 26, 0, 7, 3);
constexpr PaletteGrid kArrowGrid = kRowsClear(33, 16, 3, 16, 2);
constexpr PaletteGrid kMiscellaneousGrid = kRowsClear(22, 17, 5, 11, 3);
constexpr PaletteGrid kAccentGrid = kColumnsClear(33, 17, 15);
constexpr PaletteGrid kSpecialGrid = kColumnsClear(31, 17, 15);
constexpr PaletteGrid kMathFunctionGrid = kRowsClear(33, 16, 0, 16, 2);

static_assert(Fits(kGreek, kGreekGrid) && Fits(kBigOperators, kBigOperatorGrid) &&
              Fits(kBinaryOperators, kBinaryGrid) && Fits(kRelations, kRelationGrid) &&
              Fits(kDelimiters, kDelimiterGrid) && Fits(kArrows, kArrowGrid) &&
              Fits(kMiscellaneous, kMiscellaneousGrid) && Fits(kAccents, kAccentGrid) &&
              Fits(kSpecial, kSpecialGrid) && Fits(kMathFunctions, kMathFunctionGrid));

constexpr std::array<Palette, 10> kPalettes = {{
    {"希腊字母", "greek.bmp", kGreekGrid, kGreek, 0, 0},
    {"大算子符", "bigbinop.bmp", kBigOperatorGrid, kBigOperators, 0, 0},
    {"双目运算符", "binaryop.bmp", kBinaryGrid, kBinaryOperators, 0, 0},
    {"关系运算符", "relation.bmp", kRelationGrid, kRelations, 0, 0},
    {"定界符号", "boundary.bmp", kDelimiterGrid, kDelimiters, 7, 2},
    {"箭头符号", "arrow.bmp", kArrowGrid, kArrows, 0, 0},
    {"混杂符号", "other.bmp", kMiscellaneousGrid, kMiscellaneous, 0, 0},
    {"外文重音", "decord.bmp", kAccentGrid, kAccents, 0, 0},
    {"数学函数", "mathfunc.bmp", kMathFunctionGrid, kMathFunctions, 0, 0},
    {"专用符号", "special.bmp", kSpecialGrid, kSpecial, 0, 0},
}};

}  // namespace

std::span<const Palette> Palettes() { return kPalettes; }

const Palette* FindPalette(std::string_view caption) {
  for (const Palette& palette : kPalettes) {
    if (palette.Name == caption) return &palette;
  }
  return nullptr;
}

PaletteCell CellAt(const Palette& palette, int row, int column) {
  const PaletteGrid& grid = palette.Grid;
  const bool row_listed = row >= 1 && row <= grid.Rows;
  const int index = column - grid.FirstColumn;
  const bool column_listed = index >= 0 && index < grid.Columns;
  if (!row_listed && grid.ClearOutsideRows) return {CellAction::Cleared, {}};
  if (!column_listed && grid.ClearOutsideColumns) return {CellAction::Cleared, {}};
  if (!row_listed || !column_listed) return {CellAction::Unchanged, {}};
  if (row == palette.ClearedRow && column == palette.ClearedColumn) {
    return {CellAction::Cleared, {}};
  }
  const char* text = palette.Cells[(row - 1) * grid.Columns + index];
  if (text == nullptr) return {CellAction::Unchanged, {}};
  return {CellAction::Set, text};
}

PaletteCell HitTest(const Palette& palette, int x, int y) {
  const PaletteGrid& grid = palette.Grid;
  // C++ division truncates toward zero, as the palettes' formulas want: it
  // makes the first row of an offset palette taller.
  const int row = (y - grid.RowOffset) / grid.CellHeight + 1;
  const int column = x / grid.CellWidth + grid.FirstColumn;
  return CellAt(palette, row, column);
}

void PaletteHitTest(std::string_view caption, int x, int y, std::string& box) {
  const Palette* palette = FindPalette(caption);
  if (palette == nullptr) return;
  const PaletteCell cell = HitTest(*palette, x, y);
  if (cell.Action == CellAction::Set) {
    box.assign(cell.Text);
  } else if (cell.Action == CellAction::Cleared) {
    box.clear();
  }
}

}  // namespace mox::varelo
