#include "platform/glyph_rasterizer.h"

namespace mox::platform {
namespace {
GlyphRasterizer* g_installed = nullptr;
}  // namespace

GlyphRasterizer& Rasterizer() {
  return g_installed != nullptr ? *g_installed : SystemRasterizer();
}

GlyphRasterizer* SetRasterizer(GlyphRasterizer* rasterizer) {
  GlyphRasterizer* before = g_installed;
  g_installed = rasterizer;
  return before;
}

}  // namespace mox::platform
