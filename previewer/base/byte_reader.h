// Buffered reading of a binary file in 512-byte blocks, with big-endian
// numbers of 1 to 4 bytes and absolute seeks. Seeking inside the block held
// costs nothing, so walking backwards over a file's end stays cheap.
//
// A read or seek past the end of the file never returns garbage: it aborts
// the document operation (see document_abort.h) with the message given for
// this reader, so a truncated file fails like any other malformed one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace mox {

class ByteReader {
 public:
  static constexpr std::uint32_t kBlockSize = 512;

  // Opens directory + name for reading as raw bytes; false when it cannot be
  // opened (or is 4 GB or larger).
  bool Open(const std::string& directory, const std::string& name);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // What a read past the end aborts with (in the document's language).
  void SetTruncationMessage(std::string message) { truncation_message_ = std::move(message); }

  std::uint8_t ReadByte();
  void Seek(std::uint32_t offset);
  void ReadBytes(std::uint8_t* out, std::uint32_t count);
  std::string ReadText(std::uint32_t count);
  // The same into `text`, whose memory is reused from call to call.
  void ReadText(std::uint32_t count, std::string& text);
  // 1 to 4 bytes, big-endian.
  std::uint32_t ReadUnsigned(int bytes);
  std::int32_t ReadSigned(int bytes);
  // Moves count bytes forward; a count that leaves the file aborts.
  void Skip(std::uint32_t count);

  // File offset of the next byte to be read.
  std::uint32_t Position() const { return block_start_ + cursor_; }
  std::uint32_t FileLength() const { return length_; }
  // Whether a read or seek went past the end (and aborted) since Open.
  bool ReadPastEnd() const { return read_past_end_; }
  // Treats the file as ending at end (when that is before its real end), so
  // reads of a DVI file inside an archive stay inside the DVI data.
  void LimitTo(std::uint32_t end);

 private:
  void LoadBlock(std::uint32_t block_start);
  [[noreturn]] void Truncated();
  std::uint32_t Remaining() const;  // bytes between the position and the end

  platform::FilePtr file_;
  std::vector<std::uint8_t> block_;
  std::uint32_t block_start_ = 0;
  std::uint32_t block_length_ = 0;  // valid bytes in block_
  std::uint32_t cursor_ = 0;        // next byte within the block
  std::uint32_t length_ = 0;
  std::string truncation_message_;
  bool read_past_end_ = false;
};

}  // namespace mox
