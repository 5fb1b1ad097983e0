// Any bytes as a face table file: loading it must leave a table of
// terminated names and sane cells, and the table must save again.
#include <cstddef>
#include <cstdint>

#include "previewer/fonts/face_table.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mox::fuzz::QuietYesUserInterface ui;
  mox::platform::SetUi(&ui);
  const std::string path = mox::fuzz::WriteScratchFile("input.FNT", data, size);
  mox::FaceTable table;
  mox::LoadFaceTable(table, path);
  for (int ziti = 0; ziti < mox::kFaceTableEntries; ++ziti) {
    if (mox::FaceServes(table, ziti)) mox::FaceCellFor(table, ziti, 24, 24);
  }
  mox::SaveFaceTable(table, mox::fuzz::ScratchFolder() + "/saved.FNT");
  return 0;
}
