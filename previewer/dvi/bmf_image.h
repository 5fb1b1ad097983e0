// BMF bitmap images placed by "BMF=" specials: found beside the document or
// as members of its DBA archive, read row by row in plain or encoded form.
// A document holds one image open at a time; it stays open between the
// scanner and the renderer so that drawing it again does not reopen the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "previewer/base/document.h"
#include "previewer/dvi/bmf_row_decoder.h"

namespace mox {

// Rows are at most this many bytes: images wider than 32768 pixels are
// refused.
inline constexpr std::size_t kImageRowBufferSize = 4096;
inline constexpr std::size_t kImageNameBufferSize = 256;

struct ImageHeader {
  std::uint32_t ResolutionX = 0;  // 16.16 fixed point dots per inch
  std::uint32_t ResolutionY = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::int16_t XOffset = 0;
  std::int16_t YOffset = 0;
};

// The image a document holds open.
struct ImageState {
  platform::FilePtr file;
  std::string name;
  ImageHeader header;
  bool encoded = false;
  std::uint64_t rows_start = 0;  // file offset of row 0 (plain) or its row header
  std::size_t row_bytes = 0;
  std::uint8_t last_byte_mask = 0xFF;
  int current_row = -1;          // the row held in row, -1 for none
  std::array<std::uint8_t, kImageRowBufferSize> row{};
  std::array<std::uint8_t, kMaxRowDataCount> data{};  // one encoded row's data
};

// 0 when the image can be opened (or may be a member of the open archive),
// 1 when it cannot be found. A bare name is looked for in the document's
// folder too, and then name becomes that longer path (kept below 256 bytes).
int LocateImage(const DviDocument& document, std::string& name);

// -1 on failure; otherwise 1 for encoded rows, 0 for plain rows, with the
// header delivered. The open image is reused when the name matches (any case).
int OpenImage(ImageState& image, const DviDocument& document, const std::string& name,
              ImageHeader& header);

// Row r into out (at least kImageRowBufferSize bytes): 0 done; 1 when no
// image is open or r is outside the image; -1 on a read or format error.
int ReadImageRow(ImageState& image, int row, std::uint8_t* out);

void CloseImage(ImageState& image);

}  // namespace mox
