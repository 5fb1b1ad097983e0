#include "previewer/dvi/postamble_fonts.h"

#include <string>

#include "previewer/base/document_abort.h"
#include "previewer/dvi/dvi_commands.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"

namespace mox {
namespace {

struct Definition {
  std::uint32_t Number = 0;
  std::int32_t Checksum = 0;
  std::int32_t ScaledSize = 0;
  std::int32_t DesignSize = 0;
  std::string Name;  // area and name joined
};

// Calls visit for each definition from first_definition up to post_post;
// nop is skipped, anything else stops the reading with an error.
template <typename Visit>
void ForEachDefinition(FontDocument& doc, std::uint32_t first_definition, Visit visit) {
  DviDocument& document = doc.Dvi;
  ByteReader& reader = document.Reader;
  reader.Seek(document.Base + first_definition);
  for (;;) {
    const std::uint8_t command = reader.ReadByte();
    if (command == dvi::kNop) continue;
    if (command == dvi::kPostPost) return;
    if (command < dvi::kFntDef1 || command > dvi::kFntDef4) {
      AbortDocument(doc.Say(kForbiddenInPostamble));
    }
    Definition definition;
    definition.Number = reader.ReadUnsigned(command - dvi::kFntDef1 + 1);
    if (definition.Number > 255) AbortDocument(doc.Say(kFontNumberTooLarge));
    definition.Checksum = reader.ReadSigned(4);
    definition.ScaledSize = reader.ReadSigned(4);
    definition.DesignSize = reader.ReadSigned(4);
    const std::uint32_t area_length = reader.ReadByte();
    const std::uint32_t name_length = reader.ReadByte();
    definition.Name = reader.ReadText(area_length + name_length);
    visit(definition);
  }
}

}  // namespace

void ReadPostambleFonts(FontDocument& doc, std::uint32_t first_definition) {
  DviDocument& document = doc.Dvi;
  std::size_t pk_count = 0;
  std::size_t chinese_count = 0;
  ForEachDefinition(doc, first_definition, [&](const Definition& definition) {
    if (IsDummyFontName(definition.Name)) {
      document.DummyFont = static_cast<std::int32_t>(definition.Number);
    } else if (IsChineseFontName(definition.Name)) {
      ++chinese_count;
    } else {
      ++pk_count;
    }
  });

  FontRegistry& fonts = doc.Fonts;
  fonts.PkFonts.reserve(pk_count);
  fonts.ChineseFonts.reserve(chinese_count);

  ForEachDefinition(doc, first_definition, [&](const Definition& definition) {
    if (static_cast<std::int32_t>(definition.Number) == document.DummyFont) return;
    RegisterFontDefinition(doc, definition.Number, definition.Checksum, definition.ScaledSize,
                           definition.DesignSize, definition.Name);
  });
}

}  // namespace mox
