// The one document of the process, as the layers above the fonts still
// reach it while they move to document objects of their own: the state the
// fonts layer now keeps in a FontDocument, held once here, and the
// functions through which the rest of the previewer used the process-wide
// state before.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "previewer/dvi/bmf_image.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/mox_conventions.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/fonts/font_document.h"
#include "previewer/render/page_renderer.h"
#include "previewer/render/preview_document.h"
#include "previewer/fonts/glyph_budget.h"
#include "previewer/fonts/pk_generator.h"
#include "previewer/startup/box_reporter.h"

namespace mox {

PreviewDocument& TheDocument();

inline DviDocument& Document() { return TheDocument().Dvi; }
inline FontRegistry& Fonts() { return TheDocument().Fonts; }
inline void ClearFonts() { TheDocument().Fonts = FontRegistry{}; }

inline Options& CurrentOptions() { return TheDocument().Settings; }
// Back to the values before any source is read (for a fresh start in tests).
void ResetOptions();
// Reads all three sources into the process's options; the language of the
// messages follows "-C" and "-E".
std::optional<std::string> ReadOptions(const std::vector<std::string>& arguments);
inline int SaveOptions() { return SaveOptions(CurrentOptions()); }

Language CurrentLanguage();
void SetLanguage(Language language);
inline bool ChineseMessages() { return CurrentLanguage() == Language::Chinese; }
inline const char* Tr(const char* chinese, const char* english) {
  return ChineseMessages() ? chinese : english;
}
const char* ProgramTitle();

int ShowError(std::string_view text);
void ShowStatus(std::string_view text);
bool ShowWarning(std::string_view text, bool ask);

void ParsePageRanges(std::string_view text);
void DiscardPageRanges();
inline const std::vector<PageRange>& PageRanges() { return TheDocument().Selection.Ranges(); }
bool IsPageSelected(std::int32_t count0, std::int32_t sequence);

inline FaceTable& TheFaceTable() { return TheDocument().Faces; }
inline void LoadFaceTable(const std::string& path) { LoadFaceTable(TheFaceTable(), path); }
inline int SaveFaceTable(const std::string& path) { return SaveFaceTable(TheFaceTable(), path); }
inline bool FaceServes(int ziti) { return FaceServes(TheFaceTable(), ziti); }

inline void SaveCarryOver() { SaveCarryOver(TheDocument()); }
inline void DiscardCarryOver() { DiscardCarryOver(TheDocument().CarryOver); }
inline int PkResolution(std::size_t font_index) { return PkResolution(TheDocument(), font_index); }
inline void RegisterFontDefinition(std::uint32_t number, std::int32_t checksum,
                                   std::int32_t scaled_size, std::int32_t design_size,
                                   const std::string& name) {
  RegisterFontDefinition(TheDocument(), number, checksum, scaled_size, design_size, name);
}
inline void SortFontTables() { SortFontTables(Fonts()); }
inline FoundFont FindFont(int number, long location) {
  return FindFont(TheDocument(), number, location);
}
inline GlyphSize ChineseGlyphSize(int slot, std::int32_t width, std::int32_t height) {
  return ChineseGlyphSize(TheDocument(), slot, width, height);
}
inline void RunLoad() { RunLoad(TheDocument()); }
inline void ReadChineseDefinitions() { ReadChineseDefinitions(TheDocument()); }
inline std::optional<FaceCell> FaceCellFor(int ziti, std::int32_t width, std::int32_t height) {
  return FaceCellFor(TheFaceTable(), ziti, width, height);
}
inline void InstallFaceTableQuery() {}
inline void LoadTrueTypeGlyphs() { LoadTrueTypeGlyphs(TheDocument()); }
inline void SetTrueTypeListMemory(std::pmr::memory_resource* memory) {
  TheDocument().Load.TrueTypeListMemory = memory;
}
inline std::size_t LoadPkFont(std::size_t font_index) {
  return LoadPkFont(TheDocument(), font_index);
}
inline void PreparePkFileNames(const std::string& path_template) {
  PreparePkFileNames(TheDocument(), path_template);
}
inline std::string PkFileName(int resolution, const std::string& font_name, bool short_name) {
  return PkFileName(TheDocument().Load.PkPaths, resolution, font_name, short_name);
}
inline std::vector<std::string> PkFileCandidates(int resolution, const std::string& font_name) {
  return PkFileCandidates(TheDocument().Load.PkPaths, resolution, font_name);
}
inline double PkFontPoints(const PkFont& font) { return PkFontPoints(Document(), font); }
inline std::vector<MissingPkFont>& MissingPkFonts() { return TheDocument().Load.MissingPkFonts; }
inline bool& PkGeneratorRan() { return TheDocument().Load.PkGeneratorRan; }
inline LoadRunBuffers& TheLoadRunBuffers() { return TheDocument().Load.Buffers; }
inline std::uint8_t* GlyphWorkBuffer(std::size_t bytes) {
  return GlyphWorkBuffer(TheDocument().Load, bytes);
}
inline void CheckGlyphBudget() { CheckGlyphBudget(TheDocument()); }
inline void ChargeGlyphBytes(std::size_t bytes, const char* font) {
  ChargeGlyphBytes(TheDocument(), bytes, font);
}
inline int RunPkGenerator() { return RunPkGenerator(TheDocument()); }
inline int RunPkGenerator(const std::string& pk_path_template) {
  return RunPkGenerator(TheDocument(), pk_path_template);
}
inline std::string PkGeneratorPath() { return PkGeneratorPath(CurrentOptions()); }
inline std::string PkGeneratorCommandLine(const std::string& pk_path_template) {
  return PkGeneratorCommandLine(TheDocument(), pk_path_template);
}

inline int OpenDviFile(const std::string& name) { return OpenDviFile(TheDocument(), name); }
inline void CloseDviFile() { CloseDviFile(TheDocument()); }
inline void ReopenDviFile() { ReopenDviFile(TheDocument()); }
inline std::optional<std::string> DviFileProblem(const std::string& name) {
  return DviFileProblem(name, CurrentLanguage());
}
inline int PreScan(int pages_per_group = 1) { return PreScan(TheDocument(), pages_per_group); }
inline PageMeasure MeasurePage(bool measure, std::int32_t page = -1) {
  return MeasurePage(TheDocument(), measure, page);
}
inline int ScanPage(int page) { return ScanPage(TheDocument(), page); }
inline int LoadFonts() { return LoadFonts(TheDocument()); }
template <typename Body>
int GuardDocumentOperation(Body&& body) {
  return GuardDocumentOperation(TheDocument(), std::forward<Body>(body));
}
inline int CloseAfterAbort(const DocumentAbort& abort) {
  return CloseAfterAbort(TheDocument(), abort);
}
inline std::string MemoryErrorMessage() { return TheDocument().Say(kMemoryError); }
inline PageBuffer& ThePageBuffer() { return TheDocument().Page; }
inline ScanState& TheScanState() { return TheDocument().Scan; }
inline void ResetScanState() { TheDocument().Scan = ScanState{}; }
inline const char* ImageNameOf(const PageItem& item) {
  return ImageNameOf(TheDocument().Page, item);
}
inline int LocateImage(std::string& name) { return LocateImage(Document(), name); }
inline int OpenImage(const std::string& name, ImageHeader& header) {
  return OpenImage(TheDocument().Image, Document(), name, header);
}
inline int ReadImageRow(int row, std::uint8_t* out) {
  return ReadImageRow(TheDocument().Image, row, out);
}
inline void CloseImage() { CloseImage(TheDocument().Image); }
inline void ApplyZitiLetter(ZitiState& ziti, int letter) {
  ApplyZitiLetter(ziti, letter, CurrentLanguage());
}
inline void ReadPageCommands(PagePass& pass) { ReadPageCommands(TheDocument(), pass); }
inline bool DrawPage(RenderDevice& device, const PixelRect& update, double device_scale,
                     const RenderView& view) {
  return DrawPage(TheDocument(), device, update, device_scale, view);
}
inline PageExtent PageExtentAt(double zoom, int margin_x, int margin_y) {
  return PageExtentAt(Document(), zoom, margin_x, margin_y);
}
inline void DiscardZoomImages() { DiscardZoomImages(TheDocument()); }

}  // namespace mox
