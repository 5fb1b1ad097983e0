#include "previewer/fonts/outline_font.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/file_system.h"
#include "previewer/base/little_endian.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/outline_font_format.h"

namespace mox {
namespace {

namespace fmt = outline_format;

}  // namespace

// The open font: header values, offsets and tree stay valid while it is open.
struct OutlineFontFile::State {
  platform::FilePtr File;
  int Type = 0;
  int Count = 0;
  int FirstCode = 0;
  int DesignWidth = 0;
  int DesignHeight = 0;
  long Size = 0;
  long RecordSize = 0;  // type 2
  std::array<std::uint32_t, fmt::kMaxGlyphs + 1> Offsets{};  // types 1 and 3
  fmt::DecodingTree Tree;                                   // type 3
};

namespace {

using OutlineFont = OutlineFontFile::State;

bool ReadBytes(std::FILE* file, std::uint8_t* to, std::size_t count) {
  return std::fread(to, 1, count, file) == count;
}

int Unsigned16(const std::uint8_t* at) { return LittleEndian16(at); }
int Signed16(const std::uint8_t* at) { return static_cast<std::int16_t>(LittleEndian16(at)); }

// Reads the tables after the header. A file too short to hold them cannot be
// read (1); values that do not fit the file are a bad header (4).
int ReadTables(OutlineFont& font, std::FILE* file) {
  long data_start = fmt::kHeaderBytes;
  if (font.Type == fmt::kFixedRecords) {
    std::uint8_t size[2];
    if (!ReadBytes(file, size, 2)) return kOutlineReadError;
    font.RecordSize = Unsigned16(size);
    const long end = fmt::kType2RecordStart + font.RecordSize * static_cast<long>(font.Count);
    if (font.RecordSize == 0 || end > font.Size) return kOutlineBadHeader;
    return kOutlineOk;
  }
  for (int i = 0; i <= font.Count; ++i) {
    std::uint8_t offset[4];
    if (!ReadBytes(file, offset, 4)) return kOutlineReadError;
    font.Offsets[static_cast<std::size_t>(i)] = LittleEndian32(offset);
  }
  data_start += 4L * (font.Count + 1);
  if (font.Type == fmt::kTreeCoded) {
    std::uint8_t node[4];
    if (!ReadBytes(file, node, 4)) return kOutlineReadError;
    font.Tree.NodeCount = node[0];
    for (int i = 1; i <= font.Tree.NodeCount; ++i) {
      if (!ReadBytes(file, node, 4)) return kOutlineReadError;
      font.Tree.Nodes[static_cast<std::size_t>(i)] = {node[0], node[1], node[2], node[3]};
    }
    if (!font.Tree.Valid()) return kOutlineBadHeader;
    data_start += 4L * (font.Tree.NodeCount + 1);
  }
  // Every glyph's bytes lie after the tables and inside the file.
  std::uint32_t previous = static_cast<std::uint32_t>(data_start);
  for (int i = 0; i <= font.Count; ++i) {
    const std::uint32_t offset = font.Offsets[static_cast<std::size_t>(i)];
    if (offset < previous || offset > static_cast<std::uint32_t>(font.Size)) return kOutlineBadHeader;
    previous = offset;
  }
  return kOutlineOk;
}

// The bytes of one glyph, read through a small buffer and never past the
// glyph's end.
class GlyphBytes {
 public:
  GlyphBytes(std::FILE* file, long length) : file_(file), left_(length) {}

  // The next byte, or -1 at the end of the glyph's data (or of the file).
  int Next() {
    if (pos_ == filled_) {
      if (left_ == 0) return -1;
      const std::size_t want =
          static_cast<std::size_t>(std::min<long>(left_, static_cast<long>(sizeof buffer_)));
      filled_ = std::fread(buffer_, 1, want, file_);
      pos_ = 0;
      if (filled_ < want) {
        read_failed_ = true;
        left_ = 0;
      } else {
        left_ -= static_cast<long>(filled_);
      }
      if (filled_ == 0) return -1;
    }
    return buffer_[pos_++];
  }

  bool ReadFailed() const { return read_failed_; }

 private:
  std::FILE* file_;
  long left_;
  std::uint8_t buffer_[512];
  std::size_t pos_ = 0;
  std::size_t filled_ = 0;
  bool read_failed_ = false;
};

// The values of a glyph's stream: descrambled bytes or tree-decoded codes.
class GlyphValues {
 public:
  GlyphValues(const OutlineFont& font, int k, long length)
      : font_(font), bytes_(font.File.get(), length), keys_(fmt::KeyPositions::ForGlyph(k)) {}

  // The next value, or -1 at the end of the data.
  int Next() {
    if (font_.Type == fmt::kTreeCoded) {
      return fmt::DecodeValue(font_.Tree, [this] { return NextBit(); });
    }
    const int raw = bytes_.Next();
    if (raw < 0) return -1;
    const std::uint8_t value = fmt::Descramble(static_cast<std::uint8_t>(raw), keys_);
    keys_.Step();
    return value;
  }

  bool ReadFailed() const { return bytes_.ReadFailed(); }

 private:
  int NextBit() {
    if (bits_left_ == 0) {
      const int byte = bytes_.Next();
      if (byte < 0) return -1;
      bits_ = static_cast<unsigned>(byte);
      bits_left_ = 8;
    }
    --bits_left_;
    return static_cast<int>(bits_ >> bits_left_) & 1;
  }

  const OutlineFont& font_;
  GlyphBytes bytes_;
  fmt::KeyPositions keys_;
  unsigned bits_ = 0;
  int bits_left_ = 0;
};

struct Point {
  int X = 0;
  int Y = 0;
  bool operator==(const Point&) const = default;
};

// a / b rounded to nearest, halves away from zero (b > 0).
long long RoundDiv(long long a, long long b) {
  return a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b));
}

int IntegerSqrt(int value) {
  int root = 0;
  while ((root + 1) * (root + 1) <= value) ++root;
  return root;
}

// Scan conversion of the contours of one glyph into the destination: edges
// paint the pixels they pass and leave crossings in per-row lists, which are
// then filled in pairs. Contours arrive point by point (device coordinates),
// so a vertex is settled as soon as the edge after it is known; the first
// vertex of a contour waits for the contour's last edge.
class Rasterizer {
 public:
  Rasterizer(std::uint8_t* destination, int width, int height, std::uint8_t* crossings,
             int entries_per_row, int design_width, int design_height)
      : destination_(destination),
        stride_((static_cast<std::size_t>(width) + 7) / 8),
        width_(width),
        height_(height),
        crossings_(crossings),
        entries_(entries_per_row),
        design_width_(design_width),
        design_height_(design_height) {}

  int Error() const { return error_; }

  void AddDesignPoint(int x, int y) { AddPoint(ToDevice(x, y)); }

  // A cubic from the current point p0 through p1, p2 to p3 (design units).
  void AddCurve(Point p0, Point p1, Point p2, Point p3) {
    if (!has_point_) AddDesignPoint(p0.X, p0.Y);
    const Point d[4] = {ToDevice(p0.X, p0.Y), ToDevice(p1.X, p1.Y), ToDevice(p2.X, p2.Y),
                        ToDevice(p3.X, p3.Y)};
    const int most = std::max({std::abs(d[0].X - 2 * d[1].X + d[2].X),
                               std::abs(d[1].X - 2 * d[2].X + d[3].X),
                               std::abs(d[0].Y - 2 * d[1].Y + d[2].Y),
                               std::abs(d[1].Y - 2 * d[2].Y + d[3].Y)});
    const int g = (3 * most + 1) / 2;
    const int steps = g <= 1 ? 1 : IntegerSqrt(g) + 1;
    for (int i = 1; i <= steps && error_ == 0; ++i) {
      auto lerp = [i, steps](Point a, Point b) {
        return Point{a.X + static_cast<int>(RoundDiv(static_cast<long long>(b.X - a.X) * i, steps)),
                     a.Y + static_cast<int>(RoundDiv(static_cast<long long>(b.Y - a.Y) * i, steps))};
      };
      const Point a01 = lerp(p0, p1), a12 = lerp(p1, p2), a23 = lerp(p2, p3);
      const Point b012 = lerp(a01, a12), b123 = lerp(a12, a23);
      const Point on = lerp(b012, b123);
      AddDesignPoint(on.X, on.Y);
    }
  }

  // Closes the open contour (its last point joins its first) and settles
  // the vertex at its first point.
  void CloseContour() {
    if (!has_point_) return;
    AddPoint(first_);
    if (seen_edge_ && error_ == 0) {
      SettleJoint(first_.Y, joint_start_x_, lead_end_x_, joint_has_run_ || lead_has_run_,
                  previous_down_, first_down_, previous_half_x_, first_half_x_, first_.X);
    }
    has_point_ = false;
    seen_edge_ = false;
  }

  // Sorts every row's crossings and fills between pairs. A closed contour
  // leaves an even number of crossings in every row (the vertex rules keep
  // the pairs), so an odd count is kept only as the format's last check.
  int Fill() {
    if (error_ != 0) return error_;
    for (int row = 0; row < height_; ++row) {
      const std::size_t list = ListStart(row);
      const int count = Entry(list);
      if (count % 2 != 0) return kOutlineOddCrossings;
      SortList(list + 1, count);
      for (int i = 0; i < count; i += 2) {
        Paint(row, Entry(list + 1 + static_cast<std::size_t>(i)),
              Entry(list + 2 + static_cast<std::size_t>(i)));
      }
    }
    return kOutlineOk;
  }

 private:
  Point ToDevice(int x, int y) const {
    return {static_cast<int>(static_cast<long long>(x) * width_ / design_width_),
            static_cast<int>(static_cast<long long>(y) * height_ / design_height_)};
  }

  // The column an edge from `vertex` to `other` reaches half a row away from
  // the vertex: half of its column step per row, rounded.
  static int HalfRowColumn(Point vertex, Point other) {
    const long long rows = std::abs(other.Y - vertex.Y);
    return vertex.X + static_cast<int>(RoundDiv(other.X - vertex.X, 2 * rows));
  }

  void AddPoint(Point p) {
    if (error_ != 0) return;
    if (!has_point_) {
      has_point_ = true;
      first_ = current_ = p;
      joint_start_x_ = p.X;
      joint_has_run_ = false;
      return;
    }
    if (p == current_) return;
    if (p.Y == current_.Y) {
      Paint(p.Y, current_.X, p.X);
      joint_has_run_ = true;
      current_ = p;
      return;
    }
    const bool down = p.Y > current_.Y;
    const int half_at_start = HalfRowColumn(current_, p);
    if (!seen_edge_) {
      // The joint at the first point is settled when the contour closes.
      seen_edge_ = true;
      first_down_ = down;
      first_half_x_ = half_at_start;
      lead_end_x_ = current_.X;
      lead_has_run_ = joint_has_run_;
    } else {
      SettleJoint(current_.Y, joint_start_x_, current_.X, joint_has_run_, previous_down_, down,
                  previous_half_x_, half_at_start, current_.X);
    }
    WalkEdge(current_, p);
    previous_down_ = down;
    previous_half_x_ = HalfRowColumn(p, current_);
    joint_start_x_ = p.X;
    joint_has_run_ = false;
    current_ = p;
  }

  // The joint between two non-horizontal edges on one row: a single vertex
  // (no run) or a horizontal run from start_x to end_x, already painted.
  void SettleJoint(int row, int start_x, int end_x, bool has_run, bool before_down,
                   bool after_down, int before_half_x, int after_half_x, int vertex_x) {
    if (has_run) {
      if (before_down) Cross(row, start_x);
      if (!after_down) Cross(row, end_x);
    } else if (before_down == after_down) {
      Cross(row, vertex_x);
    } else {
      // A local top or bottom: no crossing, the tip is painted instead.
      Paint(row, std::min({before_half_x, after_half_x, vertex_x}),
            std::max({before_half_x, after_half_x, vertex_x}));
    }
  }

  // A non-horizontal edge, walked from its upper to its lower end.
  void WalkEdge(Point a, Point b) {
    const Point upper = a.Y < b.Y ? a : b;
    const Point lower = a.Y < b.Y ? b : a;
    const int rows = lower.Y - upper.Y;
    if (upper.X == lower.X) {
      for (int row = upper.Y + 1; row < lower.Y; ++row) Cross(row, upper.X);
      return;
    }
    const int step = lower.X > upper.X ? 1 : -1;
    const int columns = std::abs(lower.X - upper.X);
    const int whole = columns / rows;
    const int part = columns % rows;
    int error = rows / 2;
    int x = upper.X;
    for (int row = upper.Y; row < lower.Y; ++row) {
      int next = x + step * whole;
      error += part;
      if (error >= rows) {
        error -= rows;
        next += step;
      }
      if (row > upper.Y) Cross(row, x);
      Paint(row, x, next == x ? x : next - step);
      x = next;
    }
  }

  std::size_t ListStart(int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(entries_);
  }
  int Entry(std::size_t index) const {
    std::int32_t value;
    std::memcpy(&value, crossings_ + index * 4, 4);
    return value;
  }
  void SetEntry(std::size_t index, int value) {
    const std::int32_t stored = value;
    std::memcpy(crossings_ + index * 4, &stored, 4);
  }

  void Cross(int row, int x) {
    if (error_ != 0) return;
    const std::size_t list = ListStart(row);
    const int count = Entry(list);
    if (count >= entries_ - 1) {
      error_ = kOutlineTableFull;
      return;
    }
    SetEntry(list + 1 + static_cast<std::size_t>(count), x);
    SetEntry(list, count + 1);
  }

  // Diminishing-increment insertion sort, gaps halving from half the length.
  void SortList(std::size_t first, int count) {
    for (int gap = count / 2; gap > 0; gap /= 2) {
      for (int i = gap; i < count; ++i) {
        const int value = Entry(first + static_cast<std::size_t>(i));
        int j = i;
        while (j >= gap && Entry(first + static_cast<std::size_t>(j - gap)) > value) {
          SetEntry(first + static_cast<std::size_t>(j),
                   Entry(first + static_cast<std::size_t>(j - gap)));
          j -= gap;
        }
        SetEntry(first + static_cast<std::size_t>(j), value);
      }
    }
  }

  // Sets the pixels from column a to column b (either order) of a row.
  void Paint(int row, int a, int b) {
    if (a > b) std::swap(a, b);
    std::uint8_t* line = destination_ + static_cast<std::size_t>(row) * stride_;
    const int first_byte = a >> 3;
    const int last_byte = b >> 3;
    const std::uint8_t head = static_cast<std::uint8_t>(0xFFu >> (a & 7));
    const std::uint8_t tail = static_cast<std::uint8_t>(0xFFu << (7 - (b & 7)));
    if (first_byte == last_byte) {
      line[first_byte] |= head & tail;
      return;
    }
    line[first_byte] |= head;
    if (last_byte > first_byte + 1) {
      std::memset(line + first_byte + 1, 0xFF, static_cast<std::size_t>(last_byte - first_byte - 1));
    }
    line[last_byte] |= tail;
  }

  std::uint8_t* destination_;
  std::size_t stride_;
  int width_;
  int height_;
  std::uint8_t* crossings_;
  int entries_;
  int design_width_;
  int design_height_;
  int error_ = 0;

  // The open contour.
  bool has_point_ = false;
  Point first_;
  Point current_;
  // The first non-horizontal edge and the run before it (settled at close).
  bool seen_edge_ = false;
  bool first_down_ = false;
  int first_half_x_ = 0;
  int lead_end_x_ = 0;
  bool lead_has_run_ = false;
  // The joint after the last non-horizontal edge.
  bool previous_down_ = false;
  int previous_half_x_ = 0;
  int joint_start_x_ = 0;
  bool joint_has_run_ = false;
};

// Reads the commands of the glyph stream into the rasterizer.
int ReadContours(GlyphValues& values, Rasterizer& raster, int design_width, int design_height) {
  Point at;
  auto advance = [&](Point& p) {
    const int dx = values.Next();
    if (dx < 0) return false;
    const int dy = values.Next();
    if (dy < 0) return false;
    p.X = fmt::AdvanceCoordinate(p.X, dx, design_width);
    p.Y = fmt::AdvanceCoordinate(p.Y, dy, design_height);
    return true;
  };
  auto end_of_data = [&] { return values.ReadFailed() ? kOutlineReadError : kOutlineBadData; };
  for (;;) {
    const int command = values.Next();
    if (command < 0) return end_of_data();
    switch (command) {
      case fmt::kStartContour:
        raster.CloseContour();
        at = {};
        break;
      case fmt::kPoint:
        if (!advance(at)) return end_of_data();
        raster.AddDesignPoint(at.X, at.Y);
        break;
      case fmt::kPolyline:
        for (;;) {
          const int dx = values.Next();
          if (dx < 0) return end_of_data();
          const int dy = values.Next();
          if (dy < 0) return end_of_data();
          if (dx == 0 && dy == 0) break;
          at.X = fmt::AdvanceCoordinate(at.X, dx, design_width);
          at.Y = fmt::AdvanceCoordinate(at.Y, dy, design_height);
          raster.AddDesignPoint(at.X, at.Y);
          if (raster.Error() != 0) return raster.Error();
        }
        break;
      case fmt::kCubic: {
        const Point start = at;
        Point control[3];
        for (Point& p : control) {
          if (!advance(at)) return end_of_data();
          p = at;
        }
        raster.AddCurve(start, control[0], control[1], control[2]);
        break;
      }
      case fmt::kEndContour:
        raster.CloseContour();
        break;
      case fmt::kEndGlyph:
        raster.CloseContour();
        return raster.Error();
      default:
        return kOutlineBadData;
    }
    if (raster.Error() != 0) return raster.Error();
  }
}

}  // namespace

OutlineFontFile::OutlineFontFile() : state_(std::make_unique<State>()) {}
OutlineFontFile::~OutlineFontFile() = default;
OutlineFontFile::OutlineFontFile(OutlineFontFile&&) noexcept = default;
OutlineFontFile& OutlineFontFile::operator=(OutlineFontFile&&) noexcept = default;

int OutlineFontFile::Open(const std::string& path) {
  Close();
  OutlineFont& font = *state_;
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return kOutlineReadError;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return kOutlineReadError;
  font.Size = std::ftell(file.get());
  if (font.Size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return kOutlineReadError;

  std::uint8_t header[fmt::kHeaderBytes];
  if (!ReadBytes(file.get(), header, sizeof header)) return kOutlineReadError;
  font.Type = header[2];
  const int first = Unsigned16(header + 4);
  const int last = Unsigned16(header + 6);
  font.Count = last - first + 1;
  font.FirstCode = first;
  font.DesignWidth = Signed16(header + 8);
  font.DesignHeight = Signed16(header + 10);
  if (header[0] != fmt::kSignatureByte || header[1] != fmt::kSignatureByte ||
      font.Type < fmt::kScrambled || font.Type > fmt::kTreeCoded || header[3] != 0 ||
      font.Count < 1 || font.Count > fmt::kMaxGlyphs || font.DesignWidth < 1 ||
      font.DesignHeight < 1) {
    return kOutlineBadHeader;
  }
  if (const int result = ReadTables(font, file.get()); result != kOutlineOk) return result;
  font.File = std::move(file);
  return kOutlineOk;
}

void OutlineFontFile::Close() {
  if (!state_) return;
  state_->File.reset();
  state_->Count = 0;
}

bool OutlineFontFile::IsOpen() const { return state_ && state_->File != nullptr; }

int OutlineFontFile::GlyphCount() const { return IsOpen() ? state_->Count : 0; }

int OutlineFontFile::FirstCode() const { return IsOpen() ? state_->FirstCode : 0; }

int OutlineFontFile::Render(std::uint8_t* destination, int k, int width, int height,
                            std::uint8_t* crossing_buffer, std::size_t crossing_bytes) {
  OutlineFont& font = *state_;
  if (!font.File) return kOutlineNotOpen;
  if (k < 0 || k >= font.Count) return kOutlineBadIndex;
  if (width < 1 || height < 1) return kOutlineEmptyCell;
  if (width > kMaxGlyphSide || height > kMaxGlyphSide) return kOutlineCellTooLarge;

  long start = 0;
  long length = 0;
  if (font.Type == fmt::kFixedRecords) {
    start = fmt::kType2RecordStart + font.RecordSize * k;
    length = font.RecordSize;
  } else {
    start = static_cast<long>(font.Offsets[static_cast<std::size_t>(k)]);
    length = static_cast<long>(font.Offsets[static_cast<std::size_t>(k) + 1]) - start;
  }
  if (std::fseek(font.File.get(), start, SEEK_SET) != 0) return kOutlineReadError;

  std::memset(destination, 0,
              (static_cast<std::size_t>(width) + 7) / 8 * static_cast<std::size_t>(height));

  const std::size_t per_row = crossing_bytes / (4 * static_cast<std::size_t>(height));
  if (per_row == 0) return kOutlineTableFull;
  const int entries = static_cast<int>(
      std::min<std::size_t>(per_row, static_cast<std::size_t>(std::numeric_limits<int>::max())));
  for (int row = 0; row < height; ++row) {
    std::memset(crossing_buffer + static_cast<std::size_t>(row) * static_cast<std::size_t>(entries) * 4,
                0, 4);
  }

  GlyphValues values(font, k, length);
  Rasterizer raster(destination, width, height, crossing_buffer, entries, font.DesignWidth,
                    font.DesignHeight);
  if (const int result = ReadContours(values, raster, font.DesignWidth, font.DesignHeight);
      result != kOutlineOk) {
    return result;
  }
  return raster.Fill();
}

}  // namespace mox
