// Any bytes as a BMF image: opening it and reading its rows forwards and
// backwards must never read outside the file or a buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "previewer/render/process_document.h"
#include "previewer/dvi/bmf_image.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  const std::string path = mox::fuzz::WriteScratchFile("input.bmf", data, size);
  mox::CloseImage();
  mox::ImageHeader header;
  if (mox::OpenImage(path, header) >= 0) {
    std::vector<std::uint8_t> row(mox::kImageRowBufferSize);
    // Images can be large; a few rows from each end show the decoder's paths.
    const int height = header.Height;
    for (int r = 0; r < height && r < 64; ++r) mox::ReadImageRow(r, row.data());
    for (int r = height - 1; r >= 0 && r >= height - 8; --r) mox::ReadImageRow(r, row.data());
  }
  mox::CloseImage();
  return 0;
}
