// An open document with its fonts: the font tables and every glyph record,
// the glyphs carried over from the load before a reload, the load run's
// buffers and files, and the face table the document is drawn with (a
// value: the host keeps the table the user edits and hands it over).
#pragma once

#include <cstddef>
#include <memory_resource>
#include <vector>

#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/face_table.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/load_run.h"
#include "previewer/fonts/outline_font.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/startup/document_core.h"

namespace mox {

// What the load run keeps of its own, from one run to the next.
struct LoadRunState {
  LoadRunBuffers Buffers;
  // The size the glyph work buffer grew to, kept from one run to the next.
  std::size_t GlyphWorkSize = kFirstGlyphWorkBuffer;
  bool PkGeneratorRan = false;  // the generator runs once a run
  PkPathFormat PkPaths;
  // The fonts of this run that no file was found for, in the order met.
  std::vector<MissingPkFont> MissingPkFonts;
  // The outline font file of the slot being loaded.
  OutlineFontFile Outline;
  // Where the TrueType part takes the memory of its glyph lists from: a
  // failed allocation there is a question to the user, not the load run's
  // memory error; tests put a resource here that fails. nullptr: the
  // default resource.
  std::pmr::memory_resource* TrueTypeListMemory = nullptr;
};

struct FontDocument : DocumentCore {
  FontDocument(Reporter& report, Options settings, FaceTable faces = FaceTable{})
      : DocumentCore(report, std::move(settings)), Faces(faces) {}

  FontRegistry Fonts;
  CarryOverTables CarryOver;
  LoadRunState Load;
  FaceTable Faces;
};

}  // namespace mox
