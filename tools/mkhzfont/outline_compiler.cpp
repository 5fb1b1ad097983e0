#include "tools/mkhzfont/outline_compiler.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace mox::hzfont {

SlotCodes CodesOf(SlotRange range) {
  switch (range) {
    case SlotRange::Symbols: return {1, 1410, 0};
    case SlotRange::Level1: return {16, 3760, 1410};
    case SlotRange::Level2: return {56, 3008, 5170};
  }
  return {1, 0, 0};
}

RowCell RowCellOf(SlotRange range, int code_index) {
  const int linear = CodesOf(range).LinearBase + code_index;
  return {linear / 94 + 1, linear % 94 + 1};
}

namespace {

// One conversion through iconv; false when the input has no counterpart.
bool Convert(const char* to, const char* from, std::string input, std::string& output) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert GB 2312");
  char buffer[16];
  char* in = input.data();
  std::size_t in_left = input.size();
  char* out = buffer;
  std::size_t out_left = sizeof buffer;
  const std::size_t result = iconv(cd, &in, &in_left, &out, &out_left);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1) || in_left != 0) return false;
  output.assign(buffer, sizeof buffer - out_left);
  return true;
}

}  // namespace

char32_t Gb2312ToUnicode(RowCell code) {
  if (code.Row < 1 || code.Row > 94 || code.Cell < 1 || code.Cell > 94) return 0;
  const std::string euc = {static_cast<char>(code.Row + 0xA0), static_cast<char>(code.Cell + 0xA0)};
  std::string utf32;
  if (!Convert("UTF-32LE", "EUC-CN", euc, utf32) || utf32.size() != 4) return 0;
  char32_t character = 0;
  for (int i = 3; i >= 0; --i) character = character << 8 | static_cast<unsigned char>(utf32[static_cast<std::size_t>(i)]);
  return character;
}

std::optional<RowCell> UnicodeToGb2312(char32_t character) {
  std::string utf32(4, '\0');
  for (int i = 0; i < 4; ++i) utf32[static_cast<std::size_t>(i)] = static_cast<char>(character >> (8 * i));
  std::string euc;
  if (!Convert("EUC-CN", "UTF-32LE", utf32, euc) || euc.size() != 2) return std::nullopt;
  return RowCell{static_cast<unsigned char>(euc[0]) - 0xA0, static_cast<unsigned char>(euc[1]) - 0xA0};
}

struct FaceCompiler::State {
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  double EmTop = 0;
};

FaceCompiler::FaceCompiler(const std::string& path, int face_index) : state_(new State) {
  if (FT_Init_FreeType(&state_->Library) != 0) throw std::runtime_error("FreeType does not start");
  if (FT_New_Face(state_->Library, path.c_str(), face_index, &state_->Face) != 0) {
    FT_Done_FreeType(state_->Library);
    throw std::runtime_error("cannot open face " + std::to_string(face_index) + " of " + path);
  }
  FT_Face face = state_->Face;
  if (!FT_IS_SCALABLE(face)) {
    FT_Done_Face(face);
    FT_Done_FreeType(state_->Library);
    throw std::runtime_error(path + " has no outlines");
  }
  // The em square's vertical place: the typographic ascender when ascender
  // and descender span exactly one em (as in CJK fonts), else the hhea
  // ascender and descender scaled to one em.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->sTypoAscender - os2->sTypoDescender == face->units_per_EM) {
    state_->EmTop = os2->sTypoAscender;
  } else if (face->ascender - face->descender > 0) {
    state_->EmTop = static_cast<double>(face->ascender) * face->units_per_EM /
                    (face->ascender - face->descender);
  } else {
    state_->EmTop = 0.88 * face->units_per_EM;
  }
}

FaceCompiler::~FaceCompiler() {
  FT_Done_Face(state_->Face);
  FT_Done_FreeType(state_->Library);
}

double FaceCompiler::EmTop() const { return state_->EmTop; }
int FaceCompiler::UnitsPerEm() const { return state_->Face->units_per_EM; }
void* FaceCompiler::Face() const { return state_->Face; }

namespace {

struct Exact {
  double X;
  double Y;
};

// Collects FreeType's contours, mapping font units to the design grid.
struct Collector {
  double Scale;
  double EmTop;
  std::vector<Contour> Contours;
  Exact At{};

  GridPoint Grid(Exact p) const {
    const auto clamp = [](double v) {
      return std::clamp(static_cast<int>(std::lround(v)), 0, kDesignSize - 1);
    };
    return {clamp(p.X * Scale), clamp((EmTop - p.Y) * Scale)};
  }

  void Line(Exact to) {
    Contours.back().Segments.push_back(Segment::Line(Grid(to)));
    At = to;
  }

  void Cubic(Exact c1, Exact c2, Exact to) {
    const GridPoint from = Grid(At);
    const GridPoint g1 = Grid(c1), g2 = Grid(c2), end = Grid(to);
    At = to;
    // A curve whose controls lie within half a unit of its chord is a line
    // on this grid.
    const double dx = end.X - from.X, dy = end.Y - from.Y;
    const double length = std::hypot(dx, dy);
    auto off_chord = [&](GridPoint p) {
      if (length == 0) return std::hypot(p.X - from.X, p.Y - from.Y);
      return std::abs((p.X - from.X) * dy - (p.Y - from.Y) * dx) / length;
    };
    if (off_chord(g1) <= 0.5 && off_chord(g2) <= 0.5) {
      Contours.back().Segments.push_back(Segment::Line(end));
    } else {
      Contours.back().Segments.push_back(Segment::Curve(g1, g2, end));
    }
  }
};

Exact ToExact(const FT_Vector* v) { return {static_cast<double>(v->x), static_cast<double>(v->y)}; }

int MoveTo(const FT_Vector* to, void* user) {
  auto* c = static_cast<Collector*>(user);
  c->At = ToExact(to);
  c->Contours.push_back({c->Grid(c->At), {}});
  return 0;
}
int LineTo(const FT_Vector* to, void* user) {
  static_cast<Collector*>(user)->Line(ToExact(to));
  return 0;
}
int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* c = static_cast<Collector*>(user);
  const Exact q = ToExact(control), p0 = c->At, p3 = ToExact(to);
  // The cubic that is the quadratic: controls two thirds of the way from
  // each end towards the quadratic's control.
  const Exact c1{p0.X + 2.0 / 3.0 * (q.X - p0.X), p0.Y + 2.0 / 3.0 * (q.Y - p0.Y)};
  const Exact c2{p3.X + 2.0 / 3.0 * (q.X - p3.X), p3.Y + 2.0 / 3.0 * (q.Y - p3.Y)};
  c->Cubic(c1, c2, p3);
  return 0;
}
int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  static_cast<Collector*>(user)->Cubic(ToExact(c1), ToExact(c2), ToExact(to));
  return 0;
}

}  // namespace

std::optional<std::vector<Contour>> FaceCompiler::Compile(char32_t character) {
  FT_Face face = state_->Face;
  const FT_UInt glyph = FT_Get_Char_Index(face, character);
  if (glyph == 0) return std::nullopt;
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return std::nullopt;
  }
  Collector collector{static_cast<double>(kDesignSize) / face->units_per_EM, state_->EmTop, {}, {}};
  FT_Outline_Funcs funcs{};
  funcs.move_to = MoveTo;
  funcs.line_to = LineTo;
  funcs.conic_to = ConicTo;
  funcs.cubic_to = CubicTo;
  if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &collector) != 0) return std::nullopt;
  return std::move(collector.Contours);
}

}  // namespace mox::hzfont
