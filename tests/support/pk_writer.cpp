#include "tests/support/pk_writer.h"

#include <cstddef>
#include <limits>
#include <stdexcept>

namespace mox::test {
namespace {

constexpr std::uint8_t kXxx1 = 240;
constexpr std::uint8_t kYyy = 244;
constexpr std::uint8_t kPost = 245;
constexpr std::uint8_t kNoOp = 246;
constexpr std::uint8_t kPre = 247;

// Appends the nybbles of the packed number n (n >= 1) for dyn_f.
void AppendPackedNumber(std::vector<std::uint8_t>& out, std::uint32_t n, int dyn_f) {
  if (n == 0) throw std::invalid_argument("a packed number is at least 1");
  const std::uint32_t two_nybble_limit = static_cast<std::uint32_t>((13 - dyn_f) * 16 + dyn_f);
  if (n <= static_cast<std::uint32_t>(dyn_f)) {
    out.push_back(static_cast<std::uint8_t>(n));
  } else if (n <= two_nybble_limit) {
    const std::uint32_t rest = n - static_cast<std::uint32_t>(dyn_f) - 1;
    out.push_back(static_cast<std::uint8_t>(rest / 16 + static_cast<std::uint32_t>(dyn_f) + 1));
    out.push_back(static_cast<std::uint8_t>(rest % 16));
  } else {
    // j - 15 + (13 - dyn_f) * 16 + dyn_f = n, written as one zero fewer than
    // it has hex digits, then the digits.
    const std::uint64_t j = static_cast<std::uint64_t>(n) + 15 - two_nybble_limit;
    int digits = 0;
    for (std::uint64_t v = j; v != 0; v >>= 4) ++digits;
    for (int i = 1; i < digits; ++i) out.push_back(0);
    for (int i = digits - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>((j >> (4 * i)) & 15));
  }
}

void AppendRepeat(std::vector<std::uint8_t>& out, std::uint32_t count, int dyn_f) {
  if (count == 1) {
    out.push_back(15);
  } else {
    out.push_back(14);
    AppendPackedNumber(out, count, dyn_f);
  }
}

std::string NybbleBytes(const std::vector<std::uint8_t>& nybbles) {
  std::string bytes;
  for (std::size_t i = 0; i < nybbles.size(); i += 2) {
    const std::uint8_t low = i + 1 < nybbles.size() ? nybbles[i + 1] : 0;
    bytes += static_cast<char>((nybbles[i] << 4) | low);
  }
  return bytes;
}

bool RowIsUniform(const PkBitmap& bitmap, std::uint32_t y) {
  for (std::uint32_t x = 1; x < bitmap.Width; ++x) {
    if (bitmap.At(x, y) != bitmap.At(0, y)) return false;
  }
  return true;
}

bool RowsEqual(const PkBitmap& bitmap, std::uint32_t a, std::uint32_t b) {
  for (std::uint32_t x = 0; x < bitmap.Width; ++x) {
    if (bitmap.At(x, a) != bitmap.At(x, b)) return false;
  }
  return true;
}

// The runs of a bitmap as the decoder sees them: rows that a repeat count
// copies are left out, and each repeat count stands before the first run
// that begins in its row.
struct RunList {
  bool FirstBlack = false;
  std::vector<std::uint32_t> Runs;
  std::vector<std::uint32_t> RepeatBefore;  // per run: 0 or the repeat count
};

RunList Runs(const PkBitmap& bitmap, bool use_repeats) {
  RunList list;
  if (bitmap.Width == 0 || bitmap.Height == 0) return list;
  std::vector<std::uint32_t> kept_rows;
  std::vector<std::uint32_t> repeats;
  for (std::uint32_t y = 0; y < bitmap.Height;) {
    std::uint32_t copies = 0;
    if (use_repeats && !RowIsUniform(bitmap, y)) {
      while (y + copies + 1 < bitmap.Height && RowsEqual(bitmap, y, y + copies + 1)) ++copies;
    }
    kept_rows.push_back(y);
    repeats.push_back(copies);
    y += copies + 1;
  }
  list.FirstBlack = bitmap.At(0, 0);
  bool colour = list.FirstBlack;
  std::uint32_t length = 0;
  std::uint32_t pending_repeat = 0;
  for (std::size_t row = 0; row < kept_rows.size(); ++row) {
    // A non-uniform row has a run that begins inside it, at a colour change
    // at the latest; the repeat count waits for that run.
    pending_repeat = repeats[row];
    for (std::uint32_t x = 0; x < bitmap.Width; ++x) {
      const bool ink = bitmap.At(x, kept_rows[row]);
      if (ink != colour) {
        list.Runs.push_back(length);
        colour = ink;
        length = 0;
      }
      if (length == 0) {
        // This pixel begins a run: the first one, or one after a change.
        list.RepeatBefore.push_back(pending_repeat);
        pending_repeat = 0;
      }
      ++length;
    }
  }
  list.Runs.push_back(length);
  return list;
}

}  // namespace

PkBitmap::PkBitmap(std::uint32_t width, std::uint32_t height)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, 0) {}

PkBitmap PkBitmap::FromRows(const std::vector<std::string>& rows) {
  PkBitmap bitmap(rows.empty() ? 0 : static_cast<std::uint32_t>(rows[0].size()),
                  static_cast<std::uint32_t>(rows.size()));
  for (std::uint32_t y = 0; y < bitmap.Height; ++y) {
    if (rows[y].size() != bitmap.Width) throw std::invalid_argument("rows of unequal length");
    for (std::uint32_t x = 0; x < bitmap.Width; ++x) bitmap.Set(x, y, rows[y][x] == '#');
  }
  return bitmap;
}

std::vector<std::uint8_t> PkBitmap::Padded() const {
  const std::uint32_t row_bytes = (Width + 7) / 8;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(row_bytes) * Height, 0);
  for (std::uint32_t y = 0; y < Height; ++y) {
    for (std::uint32_t x = 0; x < Width; ++x) {
      if (At(x, y)) out[y * row_bytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return out;
}

std::vector<std::string> PkBitmap::Rows() const {
  return BitmapRows(Padded(), Width, Height);
}

std::vector<std::string> BitmapRows(const std::vector<std::uint8_t>& bitmap, std::uint32_t width,
                                    std::uint32_t height) {
  const std::uint32_t row_bytes = (width + 7) / 8;
  std::vector<std::string> rows;
  for (std::uint32_t y = 0; y < height; ++y) {
    std::string row;
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::size_t index = static_cast<std::size_t>(y) * row_bytes + x / 8;
      const bool ink = index < bitmap.size() && (bitmap[index] & (0x80 >> (x % 8))) != 0;
      row += ink ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

PkRaster EncodePacked(const PkBitmap& bitmap, int dyn_f, bool use_repeats) {
  if (dyn_f < 0 || dyn_f > 13) throw std::invalid_argument("dyn_f of a packed raster: 0 to 13");
  const RunList list = Runs(bitmap, use_repeats);
  std::vector<std::uint8_t> nybbles;
  for (std::size_t i = 0; i < list.Runs.size(); ++i) {
    if (list.RepeatBefore[i] != 0) AppendRepeat(nybbles, list.RepeatBefore[i], dyn_f);
    AppendPackedNumber(nybbles, list.Runs[i], dyn_f);
  }
  return PkRaster{dyn_f, list.FirstBlack, NybbleBytes(nybbles)};
}

PkRaster EncodeRaw(const PkBitmap& bitmap) {
  PkRaster raster;
  raster.DynF = 14;
  std::uint8_t byte = 0;
  int bits = 0;
  for (std::uint32_t y = 0; y < bitmap.Height; ++y) {
    for (std::uint32_t x = 0; x < bitmap.Width; ++x) {
      byte = static_cast<std::uint8_t>((byte << 1) | (bitmap.At(x, y) ? 1 : 0));
      if (++bits == 8) {
        raster.Bytes += static_cast<char>(byte);
        byte = 0;
        bits = 0;
      }
    }
  }
  if (bits != 0) raster.Bytes += static_cast<char>(byte << (8 - bits));
  return raster;
}

PkRaster EncodePk(const PkBitmap& bitmap) {
  PkRaster best = EncodeRaw(bitmap);
  if (bitmap.Width == 0 || bitmap.Height == 0) return best;
  std::size_t best_size = std::numeric_limits<std::size_t>::max();
  PkRaster packed;
  for (int dyn_f = 0; dyn_f <= 13; ++dyn_f) {
    PkRaster candidate = EncodePacked(bitmap, dyn_f);
    if (candidate.Bytes.size() < best_size) {
      best_size = candidate.Bytes.size();
      packed = std::move(candidate);
    }
  }
  return packed.Bytes.size() < best.Bytes.size() ? packed : best;
}

PkNybbles& PkNybbles::Run(std::uint32_t count) {
  AppendPackedNumber(nybbles_, count, dyn_f_);
  return *this;
}

PkNybbles& PkNybbles::Repeat(std::uint32_t count) {
  AppendRepeat(nybbles_, count, dyn_f_);
  return *this;
}

PkNybbles& PkNybbles::Nybble(int value) {
  nybbles_.push_back(static_cast<std::uint8_t>(value & 15));
  return *this;
}

std::string PkNybbles::Bytes() const { return NybbleBytes(nybbles_); }

PkWriter& PkWriter::Preamble(const std::string& comment, std::uint8_t id,
                             std::int32_t design_size, std::uint32_t checksum, std::int32_t hppp,
                             std::int32_t vppp) {
  Byte(kPre).Byte(id);
  const std::string text = comment.substr(0, 255);
  Byte(static_cast<std::uint8_t>(text.size())).Raw(text);
  Unsigned(static_cast<std::uint32_t>(design_size), 4).Unsigned(checksum, 4);
  Unsigned(static_cast<std::uint32_t>(hppp), 4).Unsigned(static_cast<std::uint32_t>(vppp), 4);
  return *this;
}

PkWriter& PkWriter::Character(const PkCharacter& c) {
  const PkRaster raster = c.Raster ? *c.Raster : EncodePk(c.Bitmap);
  const std::uint32_t w = c.WidthField.value_or(c.Bitmap.Width);
  const std::uint32_t h = c.HeightField.value_or(c.Bitmap.Height);
  const auto raster_size = static_cast<std::uint32_t>(raster.Bytes.size());
  auto fits = [](std::int64_t v, std::int64_t low, std::int64_t high) { return v >= low && v <= high; };

  PkForm form = c.Form;
  if (form == PkForm::Auto) {
    const bool common = c.Code <= 255 && fits(c.TfmWidth, 0, 0xFFFFFF) && c.Dy == 0 &&
                        c.Dx % 65536 == 0 && c.Dx >= 0;
    if (common && raster_size + 8 <= 1023 && w <= 255 && h <= 255 &&
        fits(c.XOffset, -128, 127) && fits(c.YOffset, -128, 127) && c.Dx / 65536 <= 255) {
      form = PkForm::Short;
    } else if (common && raster_size + 13 < 3 * 65536 && w <= 65535 && h <= 65535 &&
               fits(c.XOffset, -32768, 32767) && fits(c.YOffset, -32768, 32767) &&
               c.Dx / 65536 <= 65535) {
      form = PkForm::ExtendedShort;
    } else {
      form = PkForm::Long;
    }
  }

  packets_.push_back(Size());
  const std::uint8_t flag_base =
      static_cast<std::uint8_t>((raster.DynF << 4) | (raster.FirstBlack ? 8 : 0));
  switch (form) {
    case PkForm::Short: {
      const std::uint32_t pl = c.PacketLength.value_or(raster_size + 8);
      Byte(static_cast<std::uint8_t>(flag_base | ((pl >> 8) & 3)));
      Unsigned(pl & 0xFF, 1).Unsigned(c.Code, 1).Unsigned(static_cast<std::uint32_t>(c.TfmWidth), 3);
      Unsigned(static_cast<std::uint32_t>(c.Dx / 65536), 1);
      Unsigned(w, 1).Unsigned(h, 1);
      Unsigned(static_cast<std::uint32_t>(c.XOffset), 1).Unsigned(static_cast<std::uint32_t>(c.YOffset), 1);
      break;
    }
    case PkForm::ExtendedShort: {
      const std::uint32_t pl = c.PacketLength.value_or(raster_size + 13);
      Byte(static_cast<std::uint8_t>(flag_base | (4 + ((pl >> 16) % 3))));
      Unsigned(pl & 0xFFFF, 2).Unsigned(c.Code, 1).Unsigned(static_cast<std::uint32_t>(c.TfmWidth), 3);
      Unsigned(static_cast<std::uint32_t>(c.Dx / 65536), 2);
      Unsigned(w, 2).Unsigned(h, 2);
      Unsigned(static_cast<std::uint32_t>(c.XOffset), 2).Unsigned(static_cast<std::uint32_t>(c.YOffset), 2);
      break;
    }
    case PkForm::Long:
    case PkForm::Auto: {
      const std::uint32_t pl = c.PacketLength.value_or(raster_size + 28);
      Byte(static_cast<std::uint8_t>(flag_base | 7));
      Unsigned(pl, 4).Unsigned(c.Code, 4).Unsigned(static_cast<std::uint32_t>(c.TfmWidth), 4);
      Unsigned(static_cast<std::uint32_t>(c.Dx), 4).Unsigned(static_cast<std::uint32_t>(c.Dy), 4);
      Unsigned(w, 4).Unsigned(h, 4);
      Unsigned(static_cast<std::uint32_t>(c.XOffset), 4).Unsigned(static_cast<std::uint32_t>(c.YOffset), 4);
      break;
    }
  }
  return Raw(raster.Bytes);
}

PkWriter& PkWriter::Special(const std::string& text, int bytes) {
  Byte(static_cast<std::uint8_t>(kXxx1 + bytes - 1));
  Unsigned(static_cast<std::uint32_t>(text.size()), bytes);
  return Raw(text);
}

PkWriter& PkWriter::NumSpecial(std::uint32_t value) { return Byte(kYyy).Unsigned(value, 4); }

PkWriter& PkWriter::NoOp() { return Byte(kNoOp); }

PkWriter& PkWriter::Postamble() {
  Byte(kPost);
  while (data_.size() % 4 != 0) Byte(kNoOp);
  return *this;
}

PkWriter& PkWriter::Byte(std::uint8_t byte) {
  data_ += static_cast<char>(byte);
  return *this;
}

PkWriter& PkWriter::Raw(const std::string& bytes) {
  data_ += bytes;
  return *this;
}

PkWriter& PkWriter::Unsigned(std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  return *this;
}

}  // namespace mox::test
