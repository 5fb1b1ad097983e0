// Compares two renderings of one page, given as binary PGM images with the
// page origin at the same place (the top-left pixel): how many ink pixels of
// each have an ink pixel of the other within one pixel, and which glyphs
// (connected pieces of ink) of one have no counterpart in the other.
//
//   page_compare FIRST.pgm SECOND.pgm [THRESHOLD]
//   page_compare --colour FIRST.ppm SECOND.ppm [THRESHOLD [TOLERANCE]]
//
// Prints "matched A B" (fractions of ink matched in each direction), then
// one line per unmatched piece; exits 0 when both fractions are at least
// THRESHOLD (default 0.995) and no piece is unmatched, else 1; 2 on bad input.
// With --colour it compares pictures in colour: each pixel of one that is
// not white has a pixel of the other within one pixel whose red, green and
// blue are each within TOLERANCE (default 64 of 255: anti-aliased edges
// drawn at another phase differ that much) of its own; THRESHOLD
// defaults to 0.99.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<unsigned char> Ink;  // 1 where the pixel is dark
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < Width && y < Height && Ink[static_cast<std::size_t>(y) * Width + x];
  }
};

bool ReadPgm(const char* path, Image& image) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int max = 0;
  in >> magic >> image.Width >> image.Height >> max;
  in.get();
  if (!in || magic != "P5" || max != 255 || image.Width <= 0 || image.Height <= 0) return false;
  std::vector<unsigned char> grey(static_cast<std::size_t>(image.Width) * image.Height);
  in.read(reinterpret_cast<char*>(grey.data()), static_cast<std::streamsize>(grey.size()));
  if (!in) return false;
  image.Ink.resize(grey.size());
  for (std::size_t i = 0; i < grey.size(); ++i) image.Ink[i] = grey[i] < 128;
  return true;
}

bool NearInk(const Image& image, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (image.At(x + dx, y + dy)) return true;
    }
  }
  return false;
}

// Fraction of a's ink (inside the common area) with b's ink nearby.
double Matched(const Image& a, const Image& b, int width, int height) {
  long ink = 0;
  long matched = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!a.At(x, y)) continue;
      ++ink;
      matched += NearInk(b, x, y);
    }
  }
  return ink == 0 ? 1.0 : static_cast<double>(matched) / static_cast<double>(ink);
}

// Pieces of a's ink of at least 4 pixels of which less than half has b's
// ink nearby: a glyph that is missing or misplaced in b.
int UnmatchedPieces(const Image& a, const Image& b, int width, int height, const char* name) {
  std::vector<unsigned char> seen(a.Ink.size(), 0);
  std::vector<std::pair<int, int>> stack;
  int unmatched = 0;
  for (int y0 = 0; y0 < height; ++y0) {
    for (int x0 = 0; x0 < width; ++x0) {
      const std::size_t start = static_cast<std::size_t>(y0) * a.Width + x0;
      if (!a.At(x0, y0) || seen[start]) continue;
      int pixels = 0;
      int near = 0;
      stack.assign(1, {x0, y0});
      seen[start] = 1;
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        ++pixels;
        near += NearInk(b, x, y);
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx >= width || ny >= height || !a.At(nx, ny)) continue;
            const std::size_t at = static_cast<std::size_t>(ny) * a.Width + nx;
            if (seen[at]) continue;
            seen[at] = 1;
            stack.push_back({nx, ny});
          }
        }
      }
      if (pixels >= 4 && near * 2 < pixels) {
        std::printf("unmatched %s piece at %d,%d: %d pixels, %d near\n", name, x0, y0, pixels, near);
        ++unmatched;
      }
    }
  }
  return unmatched;
}

// Colour pages, as binary PPM: a pixel of one that is not paper white
// agrees when a pixel of the other within one pixel has each of red, green
// and blue within `tolerance` of its own.
struct ColourImage {
  int Width = 0;
  int Height = 0;
  std::vector<unsigned char> Rgb;
  const unsigned char* At(int x, int y) const {
    return Rgb.data() + (static_cast<std::size_t>(y) * Width + x) * 3;
  }
};

bool ReadPpm(const char* path, ColourImage& image) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int max = 0;
  in >> magic >> image.Width >> image.Height >> max;
  in.get();
  if (!in || magic != "P6" || max != 255 || image.Width <= 0 || image.Height <= 0) return false;
  image.Rgb.resize(static_cast<std::size_t>(image.Width) * image.Height * 3);
  in.read(reinterpret_cast<char*>(image.Rgb.data()), static_cast<std::streamsize>(image.Rgb.size()));
  return static_cast<bool>(in);
}

double ColourMatched(const ColourImage& a, const ColourImage& b, int width, int height,
                     int tolerance) {
  const auto close = [tolerance](const unsigned char* p, const unsigned char* q) {
    for (int c = 0; c < 3; ++c) {
      if (std::abs(p[c] - q[c]) > tolerance) return false;
    }
    return true;
  };
  long marked = 0;
  long matched = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = a.At(x, y);
      if (p[0] > 255 - tolerance && p[1] > 255 - tolerance && p[2] > 255 - tolerance) continue;
      ++marked;
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy) {
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          const int nx = x + dx;
          const int ny = y + dy;
          found = nx >= 0 && ny >= 0 && nx < width && ny < height && close(p, b.At(nx, ny));
        }
      }
      matched += found;
    }
  }
  return marked == 0 ? 1.0 : static_cast<double>(matched) / static_cast<double>(marked);
}

int CompareColours(int argc, char** argv) {
  ColourImage first;
  ColourImage second;
  if (!ReadPpm(argv[2], first) || !ReadPpm(argv[3], second)) {
    std::fprintf(stderr, "page_compare: cannot read the images\n");
    return 2;
  }
  const double threshold = argc > 4 ? std::atof(argv[4]) : 0.99;
  const int tolerance = argc > 5 ? std::atoi(argv[5]) : 64;
  const int width = std::min(first.Width, second.Width);
  const int height = std::min(first.Height, second.Height);
  const double a = ColourMatched(first, second, width, height, tolerance);
  const double b = ColourMatched(second, first, width, height, tolerance);
  std::printf("matched %.5f %.5f\n", a, b);
  return a >= threshold && b >= threshold ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "--colour") return CompareColours(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: page_compare FIRST.pgm SECOND.pgm [THRESHOLD]\n");
    return 2;
  }
  Image first;
  Image second;
  if (!ReadPgm(argv[1], first) || !ReadPgm(argv[2], second)) {
    std::fprintf(stderr, "page_compare: cannot read the images\n");
    return 2;
  }
  const double threshold = argc > 3 ? std::atof(argv[3]) : 0.995;
  const int width = std::min(first.Width, second.Width);
  const int height = std::min(first.Height, second.Height);
  const double a = Matched(first, second, width, height);
  const double b = Matched(second, first, width, height);
  std::printf("matched %.5f %.5f\n", a, b);
  const int pieces = UnmatchedPieces(first, second, width, height, "first") +
                     UnmatchedPieces(second, first, width, height, "second");
  return a >= threshold && b >= threshold && pieces == 0 ? 0 : 1;
}
