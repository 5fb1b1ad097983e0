// Any bytes as a source file the editor opens, as a recovery copy and as
// the settings file it reads at start. A source must come back byte for byte when it is saved
// unchanged, whatever its encoding, line ends or binary content, and the
// document's lines must account for every unit; a recovery copy that reads
// must read again, the same, once written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "frontend/core/recovery.h"
#include "frontend/core/settings_file.h"
#include "frontend/core/text_file.h"
#include "platform/text_document.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckSource(std::string_view bytes) {
  mox::varelo::CheckText(bytes);
  const mox::varelo::DecodedText decoded = mox::varelo::DecodeTextFile(bytes);
  std::string written;
  std::size_t failed_at = 0;
  Require(mox::varelo::EncodeTextFile(decoded.Text, decoded.Format, written, failed_at));
  Require(written == bytes);
  mox::platform::TextDocument document;
  document.SetText(decoded.Text, mox::varelo::LineEndText(decoded.Format.LineEnds));
  std::size_t units = 0;
  for (std::size_t line = 0; line < document.LineCount(); ++line) {
    Require(document.LineStart(line) == units);
    units = line + 1 < document.LineCount() ? document.LineStart(line + 1) : document.Length();
    Require(document.LineEnd(line) <= units);
  }
  Require(units == document.Length());
}

void CheckRecoveryCopy(std::string_view bytes) {
  mox::varelo::RecoveryCopy copy;
  if (!mox::varelo::ReadRecoveryCopy(bytes, copy)) return;
  mox::varelo::RecoveryCopy again;
  Require(mox::varelo::ReadRecoveryCopy(mox::varelo::RecoveryCopyBytes(copy), again));
  Require(again.FileName == copy.FileName && again.SavedFileName == copy.SavedFileName &&
          again.Time == copy.Time && again.Text == copy.Text &&
          again.Format.Encoding == copy.Format.Encoding &&
          again.Format.ByteOrderMark == copy.Format.ByteOrderMark &&
          again.Format.LineEnds == copy.Format.LineEnds);
}

// Any text as Varelo.ini: the settings read, written back and read again
// are the same, and so is every line the program does not know.
void CheckSettings(std::string_view bytes) {
  mox::varelo::SettingsFile file = mox::varelo::SettingsFile::Parse(bytes);
  const mox::varelo::VareloSettings settings = mox::varelo::ReadSettings(file);
  mox::varelo::WriteSettings(settings, file);
  const mox::varelo::VareloSettings again =
      mox::varelo::ReadSettings(mox::varelo::SettingsFile::Parse(file.Text()));
  Require(again.SourcePositions == settings.SourcePositions &&
          again.StructureBar == settings.StructureBar && again.PaletteBar == settings.PaletteBar &&
          again.Frame.has_value() == settings.Frame.has_value());
  Require(mox::varelo::SettingsFile::Parse(file.Text()).Text() == file.Text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckSource(bytes);
  CheckRecoveryCopy(bytes);
  CheckSettings(bytes);
  return 0;
}
