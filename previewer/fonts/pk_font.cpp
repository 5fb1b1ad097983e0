#include "previewer/fonts/pk_font.h"

#include "previewer/fonts/metric_widths.h"

#include "previewer/fonts/glyph_budget.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "platform/file_system.h"
#include "platform/text_format.h"
#include "previewer/base/byte_reader.h"
#include "previewer/base/document_abort.h"
#include "previewer/base/nearest_int.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/metric_widths.h"
#include "previewer/fonts/pk_generator.h"

namespace mox {
namespace {

// PK commands.
constexpr std::uint8_t kXxx1 = 240;
constexpr std::uint8_t kXxx4 = 243;
constexpr std::uint8_t kYyy = 244;
constexpr std::uint8_t kPost = 245;
constexpr std::uint8_t kNoOp = 246;
constexpr std::uint8_t kPre = 247;
constexpr std::uint8_t kPkId = 89;

// The packed decoder paints rows of at most 1024 bytes. Heights are held to
// the same bound: a repeat count can stand for millions of rows in a few
// bytes, and no glyph at a screen or printer resolution comes near 8192
// rows (the work buffer then stays within 8 MB).
constexpr std::uint32_t kMaxGlyphWidth = 8192;
constexpr std::uint32_t kMaxGlyphHeight = 8192;
constexpr std::uint32_t kMaxLongPacket = 65535;

constexpr int kErrorTooBig = 1;
constexpr int kErrorSecondRepeat = 2;
constexpr int kErrorRepeatPastEnd = 3;
constexpr int kErrorRasterMismatch = 4;

// ---------------------------------------------------------------------------
// The packed raster.

// Nybbles of the packet, high half first, never past the packet's end. The
// bytes are fetched a few dozen at a time, all inside the packet.
class NybbleSource {
 public:
  NybbleSource(ByteReader& reader, std::uint32_t bytes) : reader_(reader), left_(bytes) {}

  // A nybble, or -1 when the packet has no more.
  int Next() {
    if (have_low_) {
      have_low_ = false;
      return byte_ & 0x0F;
    }
    if (next_ == end_ && !Refill()) return -1;
    byte_ = *next_++;
    have_low_ = true;
    return byte_ >> 4;
  }

  // Packet bytes not fetched yet.
  std::uint32_t BytesLeft() const { return left_ + static_cast<std::uint32_t>(end_ - next_); }

 private:
  bool Refill() {
    if (left_ == 0) return false;
    const std::uint32_t count = left_ < sizeof buffer_ ? left_ : sizeof buffer_;
    reader_.ReadBytes(buffer_, count);
    left_ -= count;
    next_ = buffer_;
    end_ = buffer_ + count;
    return true;
  }

  ByteReader& reader_;
  std::uint32_t left_;  // packet bytes still in the file
  std::uint8_t buffer_[64];
  const std::uint8_t* next_ = buffer_;
  const std::uint8_t* end_ = buffer_;
  std::uint8_t byte_ = 0;
  bool have_low_ = false;
};

// Numbers beyond any row count or pixel count of a glyph saturate here; what
// they were exactly no longer matters, the checks reject them.
constexpr std::uint64_t kNumberLimit = std::numeric_limits<std::uint32_t>::max();

// The packed number that begins with nybble `first` (1 to 13 or 0); -1 when
// the packet ends inside it.
inline std::int64_t PackedNumber(int first, int dyn_f, NybbleSource& nybbles) {
  if (first == 0) {
    // Long form: as many more nybbles as there were zeros, plus one.
    int zeros = 0;
    int nybble = 0;
    do {
      ++zeros;
      nybble = nybbles.Next();
      if (nybble < 0) return -1;
    } while (nybble == 0);
    std::uint64_t value = static_cast<std::uint64_t>(nybble);
    for (int i = 0; i < zeros; ++i) {
      nybble = nybbles.Next();
      if (nybble < 0) return -1;
      value = std::min(value * 16 + static_cast<std::uint64_t>(nybble), kNumberLimit);
    }
    return static_cast<std::int64_t>(value) - 15 + (13 - dyn_f) * 16 + dyn_f;
  }
  if (first <= dyn_f) return first;
  const int second = nybbles.Next();
  if (second < 0) return -1;
  return (first - dyn_f - 1) * 16 + second + dyn_f + 1;
}

// Sets n bytes to 0xFF. Runs of a glyph are short: a call of memset for a
// few bytes costs more than the stores themselves.
inline void FillInk(std::uint8_t* byte, std::uint32_t n) {
  if (n >= 16) {
    std::memset(byte, 0xFF, n);
    return;
  }
  const std::uint64_t ink = ~std::uint64_t{0};
  if (n & 8) {
    std::memcpy(byte, &ink, 8);
    byte += 8;
  }
  if (n & 4) {
    std::memcpy(byte, &ink, 4);
    byte += 4;
  }
  if (n & 2) {
    std::memcpy(byte, &ink, 2);
    byte += 2;
  }
  if (n & 1) *byte = 0xFF;
}

// Sets `count` bits (count >= 1) of a row from bit `start` on. Rows are
// painted from left to right into zeroed memory, so only the first byte can
// hold ink already: the others are simply stored.
inline void SetBits(std::uint8_t* row, std::uint32_t start, std::uint32_t count) {
  const std::uint32_t end = start + count;  // one past the last bit
  std::uint8_t* first = row + (start >> 3);
  std::uint8_t* last = row + ((end - 1) >> 3);
  const auto head = static_cast<std::uint8_t>(0xFFu >> (start & 7));
  const auto tail = static_cast<std::uint8_t>(0xFF00u >> (((end - 1) & 7) + 1));
  if (first == last) {
    *first |= static_cast<std::uint8_t>(head & tail);
    return;
  }
  *first |= head;
  FillInk(first + 1, static_cast<std::uint32_t>(last - first - 1));
  *last = tail;
}

// ---------------------------------------------------------------------------
// Messages.

std::string BadFileMessage(const std::string& specific, const std::string& path) {
  return Format("%s.\n\"%s\" deleted.\nPlease reopen the DVI file.", specific.c_str(),
                path.c_str());
}

std::string UnpackErrorText(const FontDocument& doc, int code) {
  return Format(doc.Say(kBadPkCharacter), code);
}

// ---------------------------------------------------------------------------
// Reading one font file.

// The glyph group of one font while it is filled.
struct GlyphGroup {
  PkGlyph* Records = nullptr;
  std::size_t Count = 0;
  std::size_t Filled = 0;
  std::size_t Last = 0;  // the record filled last: where the next lookup starts

  // The first record without a bitmap of this code, from the one filled last
  // on, circularly; nullptr when there is none.
  PkGlyph* Find(std::uint8_t code) {
    std::size_t index = Last;
    for (std::size_t step = 0; step < Count; ++step) {
      PkGlyph& glyph = Records[index];
      if (glyph.Code == code && glyph.Bitmap.empty()) {
        Last = index;
        return &glyph;
      }
      if (++index == Count) index = 0;
    }
    return nullptr;
  }
};

// The preamble of a character packet.
struct CharacterHeader {
  std::uint8_t Code = 0;
  std::int32_t TfmWidth = 0;
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::int32_t XOffset = 0;
  std::int32_t YOffset = 0;
  std::uint32_t RasterBytes = 0;
};

// How the reading of one file failed: a bad file is deleted before the
// abort leaves the loader; "Character too big!" and a document over its
// glyph budget keep it.
struct FileFailure {
  bool BadFile = false;
};

class PkFileReader {
 public:
  PkFileReader(FontDocument& doc, ByteReader& reader, const std::string& path,
               GlyphGroup& group, std::int32_t scaled_size, FileFailure& failure)
      : doc_(doc), reader_(reader), path_(path), group_(group), scaled_size_(scaled_size),
        failure_(failure) {}

  void Read() {
    ReadPreamble();
    while (group_.Filled < group_.Count) {
      // A file that ends between two commands has simply no more of them.
      if (reader_.Position() >= reader_.FileLength()) break;
      const std::uint8_t command = reader_.ReadByte();
      if (command < kXxx1) {
        ReadCharacter(command);
      } else if (command <= kXxx4) {
        reader_.Skip(reader_.ReadUnsigned(command - kXxx1 + 1));
      } else if (command == kYyy) {
        reader_.Skip(4);
      } else if (command == kPost) {
        break;
      } else if (command != kNoOp) {
        Bad(doc_.Say(kInvalidPkCommand));
      }
    }
    if (group_.Filled < group_.Count) Bad(doc_.Say(kUndefinedPkCharacters));
  }

 private:
  [[noreturn]] void Bad(const std::string& specific) {
    failure_.BadFile = true;
    AbortDocument(BadFileMessage(specific, path_));
  }

  void ReadPreamble() {
    std::uint8_t byte = reader_.ReadByte();
    while (byte == kNoOp) byte = reader_.ReadByte();
    if (byte != kPre) Bad(doc_.Say(kInvalidPkFile));
    if (reader_.ReadByte() != kPkId) Bad(doc_.Say(kInvalidPkId));
    reader_.Skip(reader_.ReadByte());
    // Design size, checksum, hppp and vppp: nothing here is compared.
    reader_.Skip(16);
  }

  CharacterHeader ReadHeader(std::uint8_t flag) {
    CharacterHeader header;
    std::uint32_t packet_length = 0;
    std::uint32_t header_bytes = 0;
    if ((flag & 7) < 4) {
      packet_length = (flag & 3u) * 256 + reader_.ReadByte();
      header.Code = reader_.ReadByte();
      header.TfmWidth = static_cast<std::int32_t>(reader_.ReadUnsigned(3));
      reader_.Skip(1);  // dm
      header.Width = reader_.ReadByte();
      header.Height = reader_.ReadByte();
      header.XOffset = reader_.ReadSigned(1);
      header.YOffset = reader_.ReadSigned(1);
      header_bytes = 8;
    } else if ((flag & 7) < 7) {
      packet_length = (flag & 3u) * 65536 + reader_.ReadUnsigned(2);
      header.Code = reader_.ReadByte();
      header.TfmWidth = static_cast<std::int32_t>(reader_.ReadUnsigned(3));
      reader_.Skip(2);  // dm
      header.Width = reader_.ReadUnsigned(2);
      header.Height = reader_.ReadUnsigned(2);
      header.XOffset = reader_.ReadSigned(2);
      header.YOffset = reader_.ReadSigned(2);
      header_bytes = 13;
    } else {
      packet_length = reader_.ReadUnsigned(4);
      if (packet_length > kMaxLongPacket) {
        AbortDocument(doc_.Say(kPkCharacterTooBig));
      }
      header.Code = static_cast<std::uint8_t>(reader_.ReadUnsigned(4));
      header.TfmWidth = reader_.ReadSigned(4);
      reader_.Skip(8);  // dx, dy
      header.Width = reader_.ReadUnsigned(4);
      header.Height = reader_.ReadUnsigned(4);
      header.XOffset = reader_.ReadSigned(4);
      header.YOffset = reader_.ReadSigned(4);
      header_bytes = 28;
    }
    // A length shorter than its own preamble leaves no raster at all.
    header.RasterBytes = packet_length > header_bytes ? packet_length - header_bytes : 0;
    return header;
  }

  void ReadCharacter(std::uint8_t flag) {
    const CharacterHeader header = ReadHeader(flag);
    const std::uint32_t raster_start = reader_.Position();
    PkGlyph* glyph = group_.Find(header.Code);
    if (glyph == nullptr) {
      reader_.Skip(header.RasterBytes);
      return;
    }
    const int error = Unpack(flag, header);
    if (error != 0) Bad(UnpackErrorText(doc_, error));
    reader_.Seek(raster_start);
    reader_.Skip(header.RasterBytes);
    Store(header, *glyph);
    ++group_.Filled;
  }

  // Unpacks the raster of a needed character into the glyph work buffer;
  // leaves width_ and height_ as the glyph's size. 0 or an error code.
  int Unpack(std::uint8_t flag, const CharacterHeader& header) {
    if (header.Width == 0 || header.Height == 0) {
      // No pixels: a 1 by 1 blank glyph.
      width_ = 1;
      height_ = 1;
      work_ = GlyphWorkBuffer(doc_.Load, 1);
      *work_ = 0;
      return 0;
    }
    if (header.Width > kMaxGlyphWidth || header.Height > kMaxGlyphHeight) return kErrorTooBig;
    width_ = header.Width;
    height_ = header.Height;
    const std::size_t rows_size = static_cast<std::size_t>((width_ + 7) / 8) * height_;
    const std::size_t columns_size = static_cast<std::size_t>((height_ + 7) / 8) * width_;
    work_ = GlyphWorkBuffer(doc_.Load, std::max(rows_size, columns_size));
    const int dyn_f = flag >> 4;
    if (dyn_f < 14) {
      return UnpackPkCharacter(work_, width_, height_, header.RasterBytes, dyn_f,
                               (flag & 8) != 0, reader_);
    }
    // A raw raster that its packet cannot hold would be read from the
    // packets after it.
    const std::uint64_t raw_bytes = (static_cast<std::uint64_t>(width_) * height_ + 7) / 8;
    if (raw_bytes > header.RasterBytes) return kErrorRasterMismatch;
    ReadRawPkCharacter(work_, width_, height_, reader_);
    return 0;
  }

  void Store(const CharacterHeader& header, PkGlyph& glyph) const {
    const std::size_t bytes = static_cast<std::size_t>((width_ + 7) / 8) * height_;
    ChargeGlyphBytes(doc_, bytes, path_.c_str());
    glyph.Bitmap.assign(work_, work_ + bytes);
    glyph.Width = static_cast<std::int16_t>(width_);
    glyph.Height = static_cast<std::int16_t>(height_);
    glyph.XOffset = ClampToInt16(header.XOffset);
    glyph.YOffset = ClampToInt16(header.YOffset);
    const DviDocument& document = doc_.Dvi;
    glyph.Advance = NearestInt(static_cast<double>(header.TfmWidth) * scaled_size_ / 1048576.0 /
                               65536.0 / 72.27 * 100000.0 * 2.54 * document.Den /
                               document.Num);
  }

  static std::int16_t ClampToInt16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
  }

  FontDocument& doc_;
  ByteReader& reader_;
  const std::string& path_;
  GlyphGroup& group_;
  std::int32_t scaled_size_;
  FileFailure& failure_;
  // The glyph being unpacked: its size and the work buffer holding it.
  std::uint32_t width_ = 1;
  std::uint32_t height_ = 1;
  std::uint8_t* work_ = nullptr;
};

// Closes a font file however its reading ends, and deletes it when it was
// found bad: malformed, or ending early.
class BadFileRemover {
 public:
  BadFileRemover(ByteReader& reader, const std::string& path, const FileFailure& failure)
      : reader_(reader), path_(path), failure_(failure) {}
  BadFileRemover(const BadFileRemover&) = delete;
  BadFileRemover& operator=(const BadFileRemover&) = delete;
  ~BadFileRemover() {
    const bool bad = failure_.BadFile || reader_.ReadPastEnd();
    reader_.Close();
    if (bad) platform::Files().Remove(path_);
  }

 private:
  ByteReader& reader_;
  const std::string& path_;
  const FileFailure& failure_;
};

// Opens the first candidate file there is; path is the one opened, or the
// last one tried (which the message of a failure names).
bool OpenFontFile(const PkPathFormat& format, ByteReader& reader, int resolution,
                  const std::string& name, std::string& path) {
  for (const std::string& candidate : PkFileCandidates(format, resolution, name)) {
    path = candidate;
    if (reader.Open("", candidate)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> PkFileCandidates(const PkPathFormat& format, int resolution,
                                          const std::string& font_name) {
  std::vector<std::string> candidates;
  for (int delta = -1; delta <= 1; ++delta) {
    // An absurd size can make r the largest or smallest int: no r + 1 or
    // r - 1 then.
    const long long candidate = static_cast<long long>(resolution) + delta;
    if (candidate > std::numeric_limits<int>::max() ||
        candidate < std::numeric_limits<int>::min()) {
      continue;
    }
    const int d = static_cast<int>(candidate);
    candidates.push_back(PkFileName(format, d, font_name, false));
    if (font_name.size() > 8) candidates.push_back(PkFileName(format, d, font_name, true));
  }
  return candidates;
}

std::optional<PkPathFormat> PkPathFormatOf(const std::string& path_template) {
  std::string working = path_template;
  char separator = '\0';
  if (!working.empty() && (working.back() == '\\' || working.back() == '/') &&
      FindLastOfGbk(working, "\\/") == working.size() - 1) {
    separator = working.back();
    working.pop_back();
  }
  std::size_t mark = std::string::npos;
  for (std::size_t i = 0; i + 1 < working.size(); ++i) {
    if (working[i] == '$' && (working[i + 1] == 'd' || working[i + 1] == 'D')) {
      mark = i;
      break;
    }
  }
  if (mark == std::string::npos) return std::nullopt;
  if (separator == '\0') {
    // Without a separator of its own the template takes the one it is
    // written with.
    separator = working.find('/') != std::string::npos && working.find('\\') == std::string::npos
                    ? '/'
                    : '\\';
  }
  PkPathFormat format;
  format.Before = working.substr(0, mark);
  format.After = working.substr(mark + 2);
  format.Separator = separator;
  return format;
}

void PreparePkFileNames(FontDocument& doc, const std::string& path_template) {
  std::optional<PkPathFormat> format = PkPathFormatOf(path_template);
  if (!format) AbortDocument(doc.Say(kInvalidPkPath));
  doc.Load.PkPaths = std::move(*format);
}

std::string PkFileName(const PkPathFormat& format, int resolution, const std::string& font_name,
                       bool short_name) {
  std::string path = format.Before + std::to_string(resolution) + format.After;
  path += format.Separator;
  path += short_name ? font_name.substr(0, 8) : font_name;
  path += ".PK";
  return path;
}

double PkFontPoints(const DviDocument& document, const PkFont& font) {
  return static_cast<double>(static_cast<std::uint32_t>(font.ScaledSize)) * document.Num /
         document.Den * 0.00001 / 2.54 * 72.27 * document.Magnification / 1000.0;
}

std::size_t LoadPkFont(FontDocument& doc, std::size_t font_index) {
  FontRegistry& fonts = doc.Fonts;
  const PkFont& font = fonts.PkFonts.at(font_index);
  GlyphGroup group;
  const std::uint32_t first = fonts.PkGlyphBounds.at(font_index);
  const std::uint32_t end = fonts.PkGlyphBounds.at(font_index + 1);
  group.Records = fonts.PkGlyphs.data() + first;
  group.Count = end - first;
  if (group.Count == 0) return 0;

  const int resolution = PkResolution(doc, font_index);
  if (PkCarryOver* carried = FindPkCarryOver(doc.CarryOver, resolution, font.Name)) {
    for (std::size_t i = 0; i < group.Count; ++i) {
      PkGlyph& glyph = group.Records[i];
      if (glyph.Bitmap.empty()) TakePkCarryOverGlyph(doc, glyph.Code, *carried, glyph);
    }
  }
  for (std::size_t i = 0; i < group.Count; ++i) {
    if (!group.Records[i].Bitmap.empty()) ++group.Filled;
  }
  if (group.Filled == group.Count) return group.Filled;

  ByteReader reader;
  std::string path;
  const PkPathFormat& paths = doc.Load.PkPaths;
  if (!OpenFontFile(paths, reader, resolution, font.Name, path)) {
    // The generator runs once a run, for every missing font at once; what it
    // could not make (or a generator that did not start or was cancelled,
    // which it has reported) leaves the font's characters empty, and the run
    // names the missing fonts when it has loaded the rest.
    // A font the generator did not make before is not asked for again on
    // a reload; its TFM widths, if any, still move the pen.
    LoadRunState& run = doc.Load;
    const std::pair<std::string, int> key(font.Name, resolution);
    if (!run.PkGeneratorRan && run.UnmadeFonts.count(key) == 0) {
      run.PkGeneratorRan = true;
      run.PkGeneratorFinished = RunPkGenerator(doc) == 0;
    }
    if (!OpenFontFile(paths, reader, resolution, font.Name, path)) {
      if (run.PkGeneratorFinished) run.UnmadeFonts.insert(key);
      run.MissingPkFonts.push_back({font.Name, PkFontPoints(doc.Dvi, font), resolution});
      TakeMetricWidths(doc, font_index);
      return group.Filled;
    }
  }

  // A file that ends early is a bad file like any other malformed one.
  reader.SetTruncationMessage(BadFileMessage(doc.Say(kInvalidPkFile), path));
  FileFailure failure;
  {
    const BadFileRemover remover(reader, path, failure);
    PkFileReader(doc, reader, path, group, font.ScaledSize, failure).Read();
  }
  fonts.PkFonts[font_index].File = path;
  return group.Filled;
}

int UnpackPkCharacter(std::uint8_t* destination, std::uint32_t width, std::uint32_t height,
                      std::uint32_t packet_bytes, int dyn_f, bool first_black,
                      ByteReader& reader) {
  if (width > kMaxGlyphWidth || height > kMaxGlyphHeight) return kErrorTooBig;
  NybbleSource nybbles(reader, packet_bytes);
  const std::uint32_t row_bytes = (width + 7) / 8;
  std::uint8_t* row = destination;
  std::uint32_t rows_done = 0;
  std::uint32_t bit = 0;             // next pixel of the row
  std::uint32_t repeat = 0;          // extra copies of the row being painted
  bool repeat_pending = false;
  bool black = first_black;
  // White runs only move on: the glyph starts blank.
  std::memset(destination, 0, static_cast<std::size_t>(row_bytes) * height);

  while (rows_done < height) {
    // Repeat counts, then the run count.
    std::int64_t run = 0;
    for (;;) {
      const int nybble = nybbles.Next();
      if (nybble < 0) return kErrorRasterMismatch;
      if (nybble < 14) {
        run = PackedNumber(nybble, dyn_f, nybbles);
        if (run < 0) return kErrorRasterMismatch;
        break;
      }
      if (repeat_pending) return kErrorSecondRepeat;
      std::int64_t count = 1;
      if (nybble == 14) {
        const int first = nybbles.Next();
        if (first < 0) return kErrorRasterMismatch;
        // A repeat count inside a repeat count.
        if (first >= 14) return kErrorSecondRepeat;
        count = PackedNumber(first, dyn_f, nybbles);
        if (count < 0) return kErrorRasterMismatch;
      }
      if (static_cast<std::uint64_t>(rows_done) + static_cast<std::uint64_t>(count) >= height) {
        return kErrorRepeatPastEnd;
      }
      repeat = static_cast<std::uint32_t>(count);
      repeat_pending = true;
    }

    // Paint the run, completing rows as it passes their ends; the colour
    // carries over into the next row.
    std::uint64_t left = static_cast<std::uint64_t>(run);
    while (left > 0) {
      const std::uint32_t room = width - bit;
      const std::uint32_t take = left < room ? static_cast<std::uint32_t>(left) : room;
      if (black && take > 0) SetBits(row, bit, take);
      bit += take;
      left -= take;
      if (bit == width) {
        std::uint8_t* copy = row + row_bytes;
        for (std::uint32_t i = 0; i < repeat; ++i, copy += row_bytes) {
          std::memcpy(copy, row, row_bytes);
        }
        row = copy;
        rows_done += 1 + repeat;
        repeat = 0;
        repeat_pending = false;
        bit = 0;
        if (rows_done >= height) break;
      }
    }
    if (left > 0) return kErrorRasterMismatch;
    black = !black;
  }
  return nybbles.BytesLeft() != 0 ? kErrorRasterMismatch : 0;
}

void ReadRawPkCharacter(std::uint8_t* destination, std::uint32_t width, std::uint32_t height,
                        ByteReader& reader) {
  const std::uint32_t row_bytes = (width + 7) / 8;
  if (width % 8 == 0) {
    reader.ReadBytes(destination, row_bytes * height);
    return;
  }
  // One stream of bits, cut into rows of width bits, each padded to bytes.
  std::uint32_t bits = 0;  // the unread low `held` bits of the bytes read
  int held = 0;
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* out = destination + static_cast<std::size_t>(y) * row_bytes;
    std::uint32_t remaining = width;
    for (std::uint32_t i = 0; i < row_bytes; ++i) {
      const int take = remaining < 8 ? static_cast<int>(remaining) : 8;
      if (held < take) {
        bits = (bits << 8) | reader.ReadByte();
        held += 8;
      }
      held -= take;
      const std::uint32_t value = (bits >> held) & ((1u << take) - 1);
      bits &= (1u << held) - 1;
      out[i] = static_cast<std::uint8_t>(value << (8 - take));
      remaining -= static_cast<std::uint32_t>(take);
    }
  }
}

}  // namespace mox
