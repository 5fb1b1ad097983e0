// Any bytes as a BMF image: opening it and reading its rows forwards and
// backwards must never read outside the file or a buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "previewer/dvi/bmf_image.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  const std::string path = mox::fuzz::WriteScratchFile("input.bmf", data, size);
  // A bare image, outside any document.
  const mox::DviDocument document;
  mox::ImageState image;
  mox::ImageHeader header;
  if (mox::OpenImage(image, document, path, header) >= 0) {
    std::vector<std::uint8_t> row(mox::kImageRowBufferSize);
    // Images can be large; a few rows from each end show the decoder's paths.
    const int height = header.Height;
    for (int r = 0; r < height && r < 64; ++r) mox::ReadImageRow(image, r, row.data());
    for (int r = height - 1; r >= 0 && r >= height - 8; --r) {
      mox::ReadImageRow(image, r, row.data());
    }
  }
  mox::CloseImage(image);
  return 0;
}
