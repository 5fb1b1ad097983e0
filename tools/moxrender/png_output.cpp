#include "tools/moxrender/png_output.h"

#include <cstdio>

#ifdef MOX_HAVE_PNG
#include <png.h>
#endif

#include "platform/file_system.h"

namespace mox {

#ifdef MOX_HAVE_PNG

bool CanWritePng() { return true; }

bool WritePng(const MemoryDevice& image, const std::string& path) {
  platform::FilePtr file = platform::OpenFile(path, "wb");
  if (!file) {
    std::fprintf(stderr, "moxrender: cannot create %s\n", path.c_str());
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) {
    png_destroy_write_struct(&png, &info);
    std::fprintf(stderr, "moxrender: out of memory writing %s\n", path.c_str());
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fprintf(stderr, "moxrender: cannot write %s\n", path.c_str());
    return false;
  }
  png_init_io(png, file.get());
  // Pages are mostly paper: a fast compression level keeps big pages quick.
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()),
               static_cast<png_uint_32>(image.Height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::uint8_t* pixels = image.Pixels().data();
  for (int y = 0; y < image.Height(); ++y) {
    png_write_row(png, pixels + static_cast<std::size_t>(y) * image.Width() * 3);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return platform::CloseChecked(file);
}

#else

bool CanWritePng() { return false; }

bool WritePng(const MemoryDevice&, const std::string&) {
  std::fprintf(stderr, "moxrender: this build cannot write PNG files\n");
  return false;
}

#endif

}  // namespace mox
