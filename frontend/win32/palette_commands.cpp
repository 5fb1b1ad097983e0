// TFrameForm's palettes: the palette bar's buttons, the picture of the
// chosen palette, the TeX text of the symbol under the pointer and its
// insertion into the active editor window.
#include "frontend/core/palette_tables.h"
#include "frontend/win32/mdi_edit.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {

bool TFrameForm::CreatePalettes() {
  std::vector<std::string> captions;
  for (const Palette& palette : Palettes()) captions.emplace_back(palette.Name);
  if (!palette_bar_.CreateButtons(captions, [this](std::size_t index) {
        PaletteButtonClick(index);
      })) {
    return false;
  }
  return palette_panel_.CreateControls({[this] { SetPalettePanelVisible(false); },
                                        [this](int x, int y) { PaletteHitTest(x, y); },
                                        [this] { Image1Click(); }});
}

void TFrameForm::PaletteButtonClick(std::size_t index) {
  current_palette_ = palette_bar_.Caption(index);
  palette_panel_.SetSymbol("");
  LoadPalette(index);
}

void TFrameForm::LoadPalette(std::size_t index) {
  // (The frame's caption keeps naming the program and the active window.)
  const std::string folder = program_dir_ + std::string(kPaletteFolder);
  if (const Palette* palette = FindPalette(palette_bar_.Caption(index))) {
    // A missing or unreadable file leaves the picture as it was; the hit
    // test follows the chosen palette all the same.
    palette_panel_.Picture().Load(folder + std::string(palette->Bitmap));
  }
  SetPalettePanelVisible(true);
  SetFocus(palette_panel_.SymbolBox());
}

void TFrameForm::PaletteHitTest(int x, int y) {
  std::string box = palette_panel_.Symbol();
  varelo::PaletteHitTest(current_palette_, x, y, box);
  palette_panel_.SetSymbol(box);
}

void TFrameForm::Image1Click() {
  if (ActiveEditor() == nullptr || palette_panel_.Symbol().empty()) return;
  InsertViaClipboard(palette_panel_.SymbolBox(), nullptr);
}

}  // namespace mox::varelo
