// An open document as the previewer draws it: what the scanner holds
// (ScanDocument) with the renderer's band bitmap and the zoom and depth
// its glyphs' zoom images were made at. The zoom images themselves are
// kept with the glyph records of the document's fonts.
#pragma once

#include "previewer/dvi/scan_document.h"
#include "previewer/render/render_device.h"

namespace mox {

struct RendererState {
  BandImage Band;
  BandImage ColourBand;        // the 24-bit band of a page with colour
  double ZoomOfImages = -1.0;  // the zoom the cached zoom images were made at
  int DepthOfImages = 0;
  bool Painting = false;
};

struct PreviewDocument : ScanDocument {
  using ScanDocument::ScanDocument;

  RendererState Render;
};

}  // namespace mox
