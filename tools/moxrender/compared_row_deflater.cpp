#include "tools/moxrender/compared_row_deflater.h"

#include <cstdlib>
#include <string>

namespace mox {
namespace {
constexpr std::size_t kOutputPiece = 65536;
}  // namespace

ComparedRowDeflater::ComparedRowDeflater() {
  const char* setting = std::getenv("MOXRENDER_DEFLATE");
  const std::string name = setting != nullptr ? setting : "";
  const int level = name.empty() ? 0 : name.back() - '0';
  if (level < 1 || level > 9) return;
  if (name == "rle" + std::to_string(level)) {
    level_ = level;
    strategy_ = Z_RLE;
  } else if (name == "default" + std::to_string(level)) {
    level_ = level;
  }
}

ComparedRowDeflater::~ComparedRowDeflater() {
  if (open_) deflateEnd(&stream_);
}

void ComparedRowDeflater::Start(RowDeflater::Sink sink) {
  if (level_ == 0) return own_.Start(std::move(sink));
  sink_ = std::move(sink);
  out_.resize(kOutputPiece);
  if (open_) {
    deflateReset(&stream_);
  } else {
    open_ = deflateInit2(&stream_, level_, Z_DEFLATED, 15, 8, strategy_) == Z_OK;
  }
  stream_.next_out = out_.data();
  stream_.avail_out = static_cast<uInt>(out_.size());
}

// Runs zlib over the input given, handing on each full output piece (and
// with Z_FINISH the rest).
void ComparedRowDeflater::Deflate(int flush) {
  for (;;) {
    const int result = deflate(&stream_, flush);
    const bool done = flush == Z_FINISH ? result == Z_STREAM_END : stream_.avail_in == 0;
    if (stream_.avail_out == 0 || (done && flush == Z_FINISH)) {
      sink_(out_.data(), out_.size() - stream_.avail_out);
      stream_.next_out = out_.data();
      stream_.avail_out = static_cast<uInt>(out_.size());
    }
    if (done || (result != Z_OK && result != Z_BUF_ERROR)) return;
  }
}

void ComparedRowDeflater::AddRow(const std::uint8_t* row, std::size_t length) {
  if (level_ == 0) return own_.AddRow(row, length);
  stream_.next_in = const_cast<std::uint8_t*>(row);
  stream_.avail_in = static_cast<uInt>(length);
  Deflate(Z_NO_FLUSH);
}

void ComparedRowDeflater::Finish() {
  if (level_ == 0) return own_.Finish();
  stream_.next_in = nullptr;
  stream_.avail_in = 0;
  Deflate(Z_FINISH);
}

}  // namespace mox
