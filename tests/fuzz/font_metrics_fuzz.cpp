// Any bytes as a TFM file and as a VF file. A file either is refused or
// gives tables whose every reference stays inside them: widths for exactly
// the codes the file covers, each scaling without overflow at any size, and
// packets whose operations, fonts and specials all exist.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "previewer/fonts/tfm_metrics.h"
#include "previewer/fonts/virtual_font_file.h"

namespace {

void CheckTfm(std::span<const std::uint8_t> bytes) {
  const std::optional<mox::TfmMetrics> tfm = mox::ParseTfm(bytes);
  if (!tfm) return;
  if (tfm->FirstCode < 0 || tfm->LastCode > 255 ||
      tfm->Widths.size() != static_cast<std::size_t>(tfm->LastCode - tfm->FirstCode + 1)) {
    std::abort();
  }
  for (int code = tfm->FirstCode; code <= tfm->LastCode; ++code) {
    if (const std::optional<std::int32_t> width = tfm->Width(code)) {
      for (const std::int32_t size : {1, 655360, 0x7FFFFF, 0x800000, (1 << 27) - 1, 1 << 30}) {
        (void)mox::ScaleFixWord(*width, size);
      }
    }
  }
}

void CheckVirtualFont(std::span<const std::uint8_t> bytes) {
  const std::optional<mox::VirtualFontFile> vf = mox::ParseVirtualFont(bytes);
  if (!vf) return;
  for (const mox::VfCharacter& character : vf->Characters) {
    if (!character.Present) continue;
    if (static_cast<std::uint64_t>(character.First) + character.Count > vf->Ops.size()) std::abort();
    int depth = 0;
    for (std::uint32_t i = 0; i < character.Count; ++i) {
      const mox::VfOp& op = vf->Ops[character.First + i];
      if (op.Kind == mox::VfOpKind::Font &&
          (op.A < 0 || static_cast<std::size_t>(op.A) >= vf->Fonts.size())) {
        std::abort();
      }
      if (op.Kind == mox::VfOpKind::Special &&
          (op.A < 0 || op.B < 0 ||
           static_cast<std::uint64_t>(op.A) + static_cast<std::uint64_t>(op.B) >
               vf->Specials.size())) {
        std::abort();
      }
      if (op.Kind == mox::VfOpKind::Push) ++depth;
      if (op.Kind == mox::VfOpKind::Pop && --depth < 0) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  CheckTfm(bytes);
  CheckVirtualFont(bytes);
  return 0;
}
