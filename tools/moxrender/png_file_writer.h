// A palette PNG file written row by row: the signature, the header and
// palette, the rows (filter "none") through RowDeflater into IDAT chunks,
// and the end. Nothing of the picture is held but the row being written and
// the compressed bytes of the chunk being filled.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "previewer/render/render_device.h"
#include "tools/moxrender/row_deflater.h"
#ifdef MOX_COMPARE_ZLIB
#include "tools/moxrender/compared_row_deflater.h"
#endif

namespace mox {

class PngFileWriter {
 public:
  // Starts a picture of width by height pixels of `depth` bits (1, 2, 4 or
  // 8) indexing the palette, or of 24 (red, green and blue, no palette);
  // the header goes out at once. A writer can
  // write one file after another, its buffers kept.
  void Start(std::FILE* file, int width, int height, int depth,
             const std::vector<RgbColour>& palette);

  // The next row: (width * depth + 7) / 8 bytes of pixels.
  void AddRow(const std::uint8_t* pixels);
  // The last IDAT chunk and the end; false when any write failed or fewer
  // rows than the height were given.
  bool Finish();

 private:
  void Chunk(const char* type, const std::uint8_t* data, std::size_t count);

  std::FILE* file_ = nullptr;
  int height_ = 0;
  int rows_ = 0;
  bool failed_ = false;
  std::vector<std::uint8_t> row_;    // the filter byte, then the pixels
#ifdef MOX_COMPARE_ZLIB
  ComparedRowDeflater deflater_;
#else
  RowDeflater deflater_;
#endif
};

}  // namespace mox
