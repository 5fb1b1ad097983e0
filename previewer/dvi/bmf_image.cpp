#include "previewer/dvi/bmf_image.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>

#include "platform/file_system.h"
#include "platform/text_format.h"
#include "previewer/base/little_endian.h"
#include "previewer/dvi/bmf_row_decoder.h"
#include "previewer/dvi/dvi_document.h"

namespace mox {
namespace {

// Separators of a document's folder. "/" counts on every platform, like
// "\\": Windows accepts it in paths too, and OpenImage takes the last
// component of a name after either of them.
constexpr std::string_view kFolderSeparators = "\\/:";
// What ends the folder part of an image name looked up in an archive.
constexpr std::string_view kMemberSeparators = "\\/";

constexpr std::size_t kMaxNameBytes = kImageNameBufferSize - 1;
constexpr std::size_t kMarkerSize = 4;
constexpr std::size_t kHeaderSize = 16;
constexpr std::uint32_t kDirectoryOffset = 12;
constexpr std::size_t kDirectoryEntrySize = 24;
constexpr std::size_t kMemberNameSize = 16;
constexpr std::size_t kMaxMemberNameBytes = 12;

char FoldAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Equal without regard to the case of ASCII letters; both bytes of a
// double-byte GBK character must match exactly (its trail byte may have the
// code of a letter).
bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsGbkLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

bool CanOpen(const std::string& name) {
  return static_cast<bool>(platform::OpenFile(name, "rb"));
}

bool SeekTo(std::FILE* file, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
  return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

bool ReadExactly(std::FILE* file, std::uint8_t* out, std::size_t count) {
  return count == 0 || std::fread(out, 1, count, file) == count;
}

std::uint32_t BigEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
  return value;
}

ImageHeader ParseHeader(const std::uint8_t* bytes) {
  ImageHeader header;
  header.ResolutionX = BigEndian(bytes, 4);
  header.ResolutionY = BigEndian(bytes + 4, 4);
  header.Width = static_cast<std::uint16_t>(BigEndian(bytes + 8, 2));
  header.Height = static_cast<std::uint16_t>(BigEndian(bytes + 10, 2));
  header.XOffset = static_cast<std::int16_t>(BigEndian(bytes + 12, 2));
  header.YOffset = static_cast<std::int16_t>(BigEndian(bytes + 14, 2));
  return header;
}

// The name's last component (after the last "\\" or "/"), cut to the 12
// bytes an archive directory name can hold.
std::string_view MemberName(std::string_view name) {
  const std::size_t separator = FindLastOfGbk(name, kMemberSeparators);
  if (separator != std::string_view::npos) name.remove_prefix(separator + 1);
  return name.substr(0, kMaxMemberNameBytes);
}

// Opens the document's archive positioned at the member of that name and
// gives the member's offset; no file when the archive cannot be opened, its
// directory has no such entry, or the entry's offset cannot be reached.
platform::FilePtr OpenArchiveMember(const DviDocument& document, const std::string& name,
                                    std::uint64_t& start) {
  platform::FilePtr file = platform::OpenFile(document.Name, "rb");
  if (!file || !SeekTo(file.get(), kDirectoryOffset)) return nullptr;
  const std::string_view wanted = MemberName(name);
  // The entry count is at most 65535; a directory cut short by the end of
  // the file simply ends the search.
  for (std::uint32_t i = 0; i < document.ArchiveEntryCount; ++i) {
    std::array<std::uint8_t, kDirectoryEntrySize> entry;
    if (!ReadExactly(file.get(), entry.data(), entry.size())) return nullptr;
    const auto* name_begin = entry.data() + 8;
    const auto* name_end = std::find(name_begin, name_begin + kMemberNameSize, 0);
    const std::string_view member(reinterpret_cast<const char*>(name_begin),
                                  static_cast<std::size_t>(name_end - name_begin));
    if (SameNameIgnoringCase(member, wanted)) {
      start = LittleEndian32(entry.data());
      if (!SeekTo(file.get(), start)) return nullptr;
      return file;
    }
  }
  return nullptr;
}

// Reads the next encoded row's header and data and decodes it into row.
// The count may exceed the row (up to 4095 bytes): all of it is read, so
// that the next row header follows, and only what fits is decoded.
bool DecodeNextRowFromFile(ImageState& image, std::span<std::uint8_t> row) {
  std::array<std::uint8_t, kRowHeaderSize> bytes;
  if (!ReadExactly(image.file.get(), bytes.data(), bytes.size())) return false;
  const RowHeader header = ParseRowHeader(bytes[0], bytes[1]);
  if (!IsValidRowType(header.Type)) return false;
  if (!ReadExactly(image.file.get(), image.data.data(), header.Count)) return false;
  return DecodeRow(header.Type, std::span(image.data.data(), header.Count), row);
}

}  // namespace

int LocateImage(const DviDocument& document, std::string& name) {
  TruncateGbk(name, kMaxNameBytes);
  if (name.empty()) return 1;
  if (CanOpen(name)) return 0;
  if (!document.Loaded) return 1;
  if (FindLastOfGbk(name, kFolderSeparators) == std::string::npos) {
    const std::size_t end = FindLastOfGbk(document.Name, kFolderSeparators);
    if (end != std::string::npos) {
      std::string longer = document.Name.substr(0, end + 1) + name;
      TruncateGbk(longer, kMaxNameBytes);
      if (CanOpen(longer)) {
        name = std::move(longer);
        return 0;
      }
    }
  }
  return document.Archive ? 0 : 1;
}

int OpenImage(ImageState& image, const DviDocument& document, const std::string& name,
              ImageHeader& header) {
  if (image.file && SameNameIgnoringCase(image.name, name)) {
    header = image.header;
    return image.encoded ? 1 : 0;
  }
  CloseImage(image);
  if (name.empty() || name.size() > kMaxNameBytes) return -1;

  std::uint64_t start = 0;
  platform::FilePtr file;
  if (document.Loaded && document.Archive) file = OpenArchiveMember(document, name, start);
  if (!file) {
    start = 0;
    file = platform::OpenFile(name, "rb");
    if (!file) return -1;
  }

  // The marker, or the first 4 bytes of the header.
  std::array<std::uint8_t, kMarkerSize + kHeaderSize> bytes;
  if (!ReadExactly(file.get(), bytes.data(), kMarkerSize)) return -1;
  const bool encoded = bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF && bytes[3] == 0xFF;
  const std::uint8_t* header_bytes = encoded ? bytes.data() + kMarkerSize : bytes.data();
  const std::size_t rest = encoded ? kHeaderSize : kHeaderSize - kMarkerSize;
  if (!ReadExactly(file.get(), bytes.data() + kMarkerSize, rest)) return -1;

  const ImageHeader parsed = ParseHeader(header_bytes);
  if (parsed.Width == 0 || parsed.Height == 0) return -1;
  // Rows wider than the row buffer (more than 32768 pixels) are refused.
  if (RowBytes(parsed.Width) > kImageRowBufferSize) return -1;

  image.file = std::move(file);
  image.name = name;
  image.header = parsed;
  image.encoded = encoded;
  image.rows_start = start + (encoded ? kMarkerSize : 0) + kHeaderSize;
  image.row_bytes = RowBytes(parsed.Width);
  image.last_byte_mask = LastByteMask(parsed.Width);
  image.current_row = -1;
  header = parsed;
  return encoded ? 1 : 0;
}

int ReadImageRow(ImageState& image, int row, std::uint8_t* out) {
  if (!image.file || row < 0 || row >= image.header.Height) return 1;
  const std::span<std::uint8_t> buffer(image.row.data(), image.row_bytes);

  if (row != image.current_row) {
    std::FILE* file = image.file.get();
    if (!image.encoded) {
      image.current_row = -1;
      const std::uint64_t offset =
          image.rows_start + static_cast<std::uint64_t>(row) * image.row_bytes;
      if (!SeekTo(file, offset) || !ReadExactly(file, buffer.data(), buffer.size())) return -1;
      image.current_row = row;
    } else {
      // Delta rows depend on their predecessors: going back restarts at the
      // first row, with an all-zero row before it.
      if (image.current_row < 0 || row < image.current_row) {
        image.current_row = -1;
        image.row.fill(0);
        if (!SeekTo(file, image.rows_start)) return -1;
      }
      while (image.current_row < row) {
        if (!DecodeNextRowFromFile(image, buffer)) {
          image.current_row = -1;
          return -1;
        }
        ++image.current_row;
      }
    }
  }

  std::memcpy(out, buffer.data(), buffer.size());
  out[buffer.size() - 1] &= image.last_byte_mask;
  return 0;
}

void CloseImage(ImageState& image) {
  image.file.reset();
  image.name.clear();
  image.header = ImageHeader{};
  image.current_row = -1;
}

}  // namespace mox
