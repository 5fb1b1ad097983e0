#include "tools/moxrender/png_output.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#ifdef MOX_HAVE_PNG
#include <png.h>
#endif

#include "platform/file_system.h"
#include "previewer/render/memory_device.h"

namespace mox {

#ifdef MOX_HAVE_PNG

namespace {

// One PNG file being written; libpng reports errors by longjmp, which
// only ever lands in Guard below.
class PngFile {
 public:
  explicit PngFile(const std::string& path) : path_(path), file_(platform::OpenFile(path, "wb")) {
    if (!file_) return;
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    info_ = png_ != nullptr ? png_create_info_struct(png_) : nullptr;
  }
  ~PngFile() { png_destroy_write_struct(&png_, &info_); }
  PngFile(const PngFile&) = delete;
  PngFile& operator=(const PngFile&) = delete;

  bool Ready() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() { return png_; }
  png_infop Info() { return info_; }
  std::FILE* File() { return file_.get(); }
  bool Close() { return platform::CloseChecked(file_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  platform::FilePtr file_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

bool Failed(const std::string& path) {
  std::fprintf(stderr, "moxrender: cannot write %s\n", path.c_str());
  return false;
}

// Receives the bands of a page drawn top to bottom at its full width and
// writes their rows as they come.
class StreamingPngDevice final : public RenderDevice {
 public:
  StreamingPngDevice(PngFile& file, int width, int height)
      : file_(file), width_(width), height_(height) {}

  int ColourCount() const override { return -1; }
  void CopyBand(const BandImage& band, int rows, int, int) override {
    if (!started_) Start(band);
    for (int r = 0; r < rows && written_ < height_; ++r, ++written_) {
      png_write_row(file_.Png(), band.Bits.data() + static_cast<std::size_t>(r) * band.RowBytes);
    }
  }
  void DrawFrame(int, int, int, int) override {}

  bool Complete() const { return started_ && written_ == height_; }

 private:
  void Start(const BandImage& band) {
    std::vector<png_color> palette;
    for (const RgbColour& colour : band.Palette) {
      palette.push_back({colour.Red, colour.Green, colour.Blue});
    }
    png_set_IHDR(file_.Png(), file_.Info(), static_cast<png_uint_32>(width_),
                 static_cast<png_uint_32>(height_), band.BitsPerPixel, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(file_.Png(), file_.Info(), palette.data(), static_cast<int>(palette.size()));
    png_write_info(file_.Png(), file_.Info());
    started_ = true;
  }

  PngFile& file_;
  int width_;
  int height_;
  bool started_ = false;
  int written_ = 0;
};

}  // namespace

bool CanWritePng() { return true; }

bool WritePagePng(const std::string& path, const PictureGeometry& geometry, double zoom,
                  bool leave_out_frame) {
  PngFile file(path);
  if (!file.Ready()) return Failed(path);
  // Pages are mostly paper: a fast compression level keeps big pages quick.
  if (setjmp(png_jmpbuf(file.Png()))) return Failed(path);
  png_init_io(file.Png(), file.File());
  png_set_compression_level(file.Png(), 1);
  if (leave_out_frame) {
    StreamingPngDevice device(file, geometry.Width, geometry.Height);
    DrawPicture(device, geometry, zoom, true);
    if (!device.Complete()) return Failed(path);
  } else {
    MemoryDevice page(geometry.Width, geometry.Height);
    DrawPicture(page, geometry, zoom, false);
    png_set_IHDR(file.Png(), file.Info(), static_cast<png_uint_32>(page.Width()),
                 static_cast<png_uint_32>(page.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(file.Png(), file.Info());
    const std::uint8_t* pixels = page.Pixels().data();
    for (int y = 0; y < page.Height(); ++y) {
      png_write_row(file.Png(), pixels + static_cast<std::size_t>(y) * page.Width() * 3);
    }
  }
  png_write_end(file.Png(), nullptr);
  return file.Close() || Failed(path);
}

#else

bool CanWritePng() { return false; }

bool WritePagePng(const std::string&, const PictureGeometry&, double, bool) {
  std::fprintf(stderr, "moxrender: this build cannot write PNG files\n");
  return false;
}

#endif

}  // namespace mox
