// The benchmark build's page compressor: RowDeflater, or zlib at the level
// and strategy that MOXRENDER_DEFLATE names ("rle1" to "rle9", "default1" to
// "default9"), so that tests/bench/moxrender_deflate.py can measure them
// side by side on whole documents. Other builds use RowDeflater alone.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/moxrender/row_deflater.h"

namespace mox {

class ComparedRowDeflater {
 public:
  ComparedRowDeflater();
  ~ComparedRowDeflater();
  ComparedRowDeflater(const ComparedRowDeflater&) = delete;
  ComparedRowDeflater& operator=(const ComparedRowDeflater&) = delete;

  void Start(RowDeflater::Sink sink);
  void AddRow(const std::uint8_t* row, std::size_t length);
  void Finish();

 private:
  void Deflate(int flush);

  RowDeflater own_;
  int level_ = 0;  // 0: RowDeflater
  int strategy_ = Z_DEFAULT_STRATEGY;
  RowDeflater::Sink sink_;
  z_stream stream_{};
  bool open_ = false;
  std::vector<std::uint8_t> out_;
};

}  // namespace mox
