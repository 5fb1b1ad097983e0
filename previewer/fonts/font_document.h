// An open document with its fonts: the font tables and every glyph record,
// the glyphs carried over from the load before a reload, the load run's
// buffers and files, and the face table the document is drawn with (a
// value: the host keeps the table the user edits and hands it over).
#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/face_table.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/load_run.h"
#include "previewer/fonts/outline_font.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/startup/document_core.h"

namespace mox {

class FontFileSearch;

// What the load run keeps of its own, from one run to the next.
struct LoadRunState {
  LoadRunBuffers Buffers;
  // The size the glyph work buffer grew to, kept from one run to the next.
  std::size_t GlyphWorkSize = kFirstGlyphWorkBuffer;
  bool PkGeneratorRan = false;  // the generator runs once a run
  bool PkGeneratorFinished = false;  // and ran to its end (not cancelled)
  // The fonts (name and resolution) the generator was asked for and did not
  // make: a reload does not ask for them again; opening a file anew forgets
  // them, for a user who has installed fonts since.
  std::set<std::pair<std::string, int>> UnmadeFonts;
  PkPathFormat PkPaths;
  // The fonts of this run that no file was found for, in the order met.
  std::vector<MissingPkFont> MissingPkFonts;
  // The characters beyond GB 2312 drawn as empty boxes in this run.
  std::vector<char32_t> MissingCharacters;
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
  // Where VF and TFM files are found; made from the settings when the
  // first document is opened, and kept with its answers for the program's
  // run (a host may give one of its own).
  std::shared_ptr<FontFileSearch> Search;
};

}  // namespace mox
