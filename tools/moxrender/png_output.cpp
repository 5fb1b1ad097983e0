#include "tools/moxrender/png_output.h"

#include <cstdio>
#include <optional>
#include <vector>

#ifdef MOX_HAVE_PNG
#include <csetjmp>

#include <png.h>
#endif

#include "platform/file_system.h"
#include "previewer/render/page_renderer.h"
#include "tools/moxrender/framed_rows.h"

namespace mox {

#ifdef MOX_HAVE_PNG

namespace {

// libpng reports an error by a longjmp to the last setjmp. Each call into
// it is made from one of these small functions, whose frames hold nothing
// with a destructor: the jump lands in the function that made the call,
// which turns it into false, and no C++ object is ever jumped over.
bool PngBegin(png_structp png, png_infop info, std::FILE* file, png_uint_32 width,
              png_uint_32 height, int depth, const png_color* palette, int colours) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  // Pages are mostly paper: a fast compression level keeps big pages quick.
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, width, height, depth, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette, colours);
  png_write_info(png, info);
  return true;
}

bool PngRow(png_structp png, const std::uint8_t* row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_row(png, row);
  return true;
}

bool PngEnd(png_structp png) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_end(png, nullptr);
  return true;
}

// The libpng structures of one file.
class PngWriter {
 public:
  PngWriter() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    info_ = png_ != nullptr ? png_create_info_struct(png_) : nullptr;
  }
  ~PngWriter() { png_destroy_write_struct(&png_, &info_); }
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;

  bool Ready() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// Receives the bands of a page drawn top to bottom at its full width and
// writes their rows as they come, with the frame put in on the way.
class StreamingPngDevice final : public RenderDevice {
 public:
  StreamingPngDevice(PngWriter& writer, std::FILE* file, const PictureGeometry& geometry,
                     bool frame)
      : writer_(writer), file_(file), geometry_(geometry), frame_(frame) {}

  int ColourCount() const override { return -1; }
  void CopyBand(const BandImage& band, int rows, int, int) override {
    if (failed_) return;
    if (!rows_) Start(band);
    for (int r = 0; r < rows && !failed_ && written_ < geometry_.Height; ++r, ++written_) {
      const std::uint8_t* band_row = band.Bits.data() + static_cast<std::size_t>(r) * band.RowBytes;
      failed_ = !PngRow(writer_.Png(), rows_->Row(band_row, written_));
    }
  }
  // The frame went into the rows; it must be the one they were given.
  void DrawFrame(int left, int top, int right, int bottom) override {
    if (!frame_ || left != 0 || top != 0 || right != geometry_.Width - 1 ||
        bottom != geometry_.Height - 1) {
      failed_ = true;
    }
  }

  bool Complete() const { return !failed_ && rows_ && written_ == geometry_.Height; }

 private:
  void Start(const BandImage& band) {
    rows_.emplace(geometry_.Width, geometry_.Height, band.BitsPerPixel, frame_);
    std::vector<png_color> palette;
    for (const RgbColour& colour : rows_->Palette(band.Palette)) {
      palette.push_back({colour.Red, colour.Green, colour.Blue});
    }
    failed_ = !PngBegin(writer_.Png(), writer_.Info(), file_,
                        static_cast<png_uint_32>(geometry_.Width),
                        static_cast<png_uint_32>(geometry_.Height), rows_->Depth(), palette.data(),
                        static_cast<int>(palette.size()));
  }

  PngWriter& writer_;
  std::FILE* file_;
  PictureGeometry geometry_;
  bool frame_;
  std::optional<FramedRows> rows_;
  bool failed_ = false;
  int written_ = 0;
};

}  // namespace

bool CanWritePng() { return true; }

bool WritePagePng(const std::string& path, const PictureGeometry& geometry, double zoom,
                  bool leave_out_frame) {
  bool written = false;
  {
    platform::FilePtr file = platform::OpenFile(path, "wb");
    PngWriter writer;
    if (file && writer.Ready()) {
      StreamingPngDevice device(writer, file.get(), geometry, !leave_out_frame);
      written = DrawPicture(device, geometry, zoom, leave_out_frame) && device.Complete() &&
                PngEnd(writer.Png());
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

#else

bool CanWritePng() { return false; }

bool WritePagePng(const std::string&, const PictureGeometry&, double, bool) {
  std::fprintf(stderr, "moxrender: this build cannot write PNG files\n");
  return false;
}

#endif

}  // namespace mox
