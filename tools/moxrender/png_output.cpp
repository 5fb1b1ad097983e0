#include "tools/moxrender/png_output.h"

#include <cstdio>
#include <optional>

#include "platform/file_system.h"
#include "previewer/render/page_renderer.h"
#include "tools/moxrender/framed_rows.h"
#include "tools/moxrender/png_file_writer.h"

namespace mox {
namespace {

// Receives the bands of a page drawn top to bottom at its full width and
// writes their rows as they come, with the frame put in on the way.
class StreamingPngDevice final : public RenderDevice {
 public:
  StreamingPngDevice(PngFileWriter& png, std::FILE* file, const PictureGeometry& geometry,
                     bool frame)
      : png_(png), file_(file), geometry_(geometry), frame_(frame) {}

  int ColourCount() const override { return -1; }
  bool TakesPalette() const override { return true; }
  void CopyBand(const BandImage& band, int rows, int, int) override {
    if (failed_) return;
    if (!rows_) Start(band);
    for (int r = 0; r < rows && written_ < geometry_.Height; ++r, ++written_) {
      const std::uint8_t* band_row = band.Bits.data() + static_cast<std::size_t>(r) * band.RowBytes;
      png_.AddRow(rows_->Row(band_row, written_));
    }
  }
  // The frame went into the rows; it must be the one they were given.
  void DrawFrame(int left, int top, int right, int bottom) override {
    if (!frame_ || left != 0 || top != 0 || right != geometry_.Width - 1 ||
        bottom != geometry_.Height - 1) {
      failed_ = true;
    }
  }

  bool Finish() { return !failed_ && started_ && written_ == geometry_.Height && png_.Finish(); }

 private:
  void Start(const BandImage& band) {
    rows_.emplace(geometry_.Width, geometry_.Height, band.BitsPerPixel, band.Palette, frame_);
    png_.Start(file_, geometry_.Width, geometry_.Height, rows_->Depth(), rows_->Palette());
    started_ = true;
  }

  PngFileWriter& png_;
  std::FILE* file_;
  PictureGeometry geometry_;
  bool frame_;
  std::optional<FramedRows> rows_;
  bool started_ = false;
  bool failed_ = false;
  int written_ = 0;
};

}  // namespace

bool WritePagePng(PreviewDocument& doc, const std::string& path, const PictureGeometry& geometry,
                  double zoom, bool leave_out_frame) {
  bool written = false;
  {
    platform::FilePtr file = platform::OpenFile(path, "wb");
    if (file) {
      // Whole chunks go out in few writes.
      std::setvbuf(file.get(), nullptr, _IOFBF, 1 << 18);
      // One writer for every page: its buffers are made once.
      static PngFileWriter writer;
      StreamingPngDevice device(writer, file.get(), geometry, !leave_out_frame);
      written = DrawPicture(doc, device, geometry, zoom, leave_out_frame) && device.Finish();
    }
    written = platform::CloseChecked(file) && written;
  }
  if (!written) {
    // A page that was refused or cut short leaves no file that looks whole.
    platform::Files().Remove(path);
    std::fprintf(stderr, "moxrender: cannot write %s\n", path.c_str());
  }
  return written;
}

}  // namespace mox
