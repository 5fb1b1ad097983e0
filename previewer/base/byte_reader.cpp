#include "previewer/base/byte_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "previewer/base/document_abort.h"

namespace mox {
bool ByteReader::Open(const std::string& directory, const std::string& name) {
  Close();
  read_past_end_ = false;
  if (block_.size() != kBlockSize) block_.assign(kBlockSize, 0);
  platform::FilePtr file = platform::OpenFile(directory + name, "rb");
  if (!file) return false;
  if (!platform::SeekFile(file.get(), 0, SEEK_END)) return false;
  const std::int64_t length = platform::TellFile(file.get());
  if (length < 0 || length > std::numeric_limits<std::uint32_t>::max()) return false;
  file_ = std::move(file);
  length_ = static_cast<std::uint32_t>(length);
  // Nothing buffered: the first read loads the block that holds offset 0.
  block_start_ = 0;
  block_length_ = 0;
  cursor_ = 0;
  return true;
}

void ByteReader::Close() {
  file_.reset();
  block_length_ = 0;
}

void ByteReader::LimitTo(std::uint32_t end) {
  if (end >= length_) return;
  length_ = end;
  if (block_start_ >= length_) {
    block_length_ = 0;
  } else if (block_start_ + block_length_ > length_) {
    block_length_ = length_ - block_start_;
  }
}

void ByteReader::LoadBlock(std::uint32_t block_start) {
  block_start_ = block_start;
  block_length_ = 0;
  if (!file_ || !platform::SeekFile(file_.get(), block_start, SEEK_SET)) return;
  const std::size_t read = std::fread(block_.data(), 1, kBlockSize, file_.get());
  // A file that grew since it was opened still ends where it ended then.
  const std::uint32_t inside = block_start < length_ ? length_ - block_start : 0;
  block_length_ = static_cast<std::uint32_t>(read) < inside ? static_cast<std::uint32_t>(read)
                                                             : inside;
}

void ByteReader::Truncated() {
  read_past_end_ = true;
  AbortDocument(truncation_message_);
}

std::uint32_t ByteReader::Remaining() const {
  const std::uint32_t position = Position();
  return position < length_ ? length_ - position : 0;
}

std::uint8_t ByteReader::ReadByte() {
  if (cursor_ >= block_length_) {
    const std::uint32_t position = Position();
    if (!file_ || position >= length_) Truncated();
    LoadBlock(position - position % kBlockSize);
    cursor_ = position % kBlockSize;
    // The file got shorter under us, or could not be read.
    if (cursor_ >= block_length_) Truncated();
  }
  return block_[cursor_++];
}

void ByteReader::Seek(std::uint32_t offset) {
  if (offset > length_) Truncated();
  if (offset >= block_start_ && offset - block_start_ < block_length_) {
    cursor_ = offset - block_start_;
    return;
  }
  // Outside the block held: the next read loads the block of this offset.
  block_start_ = offset - offset % kBlockSize;
  block_length_ = 0;
  cursor_ = offset % kBlockSize;
}

void ByteReader::Skip(std::uint32_t count) {
  if (count > Remaining()) Truncated();
  Seek(Position() + count);
}

void ByteReader::ReadBytes(std::uint8_t* out, std::uint32_t count) {
  if (count > Remaining()) Truncated();
  for (std::uint32_t i = 0; i < count; ++i) out[i] = ReadByte();
}

std::string ByteReader::ReadText(std::uint32_t count) {
  std::string text;
  ReadText(count, text);
  return text;
}

void ByteReader::ReadText(std::uint32_t count, std::string& text) {
  // Checked before the text is sized, so a length from the file cannot ask
  // for more memory than the file has bytes.
  if (count > Remaining()) Truncated();
  text.resize(count);
  // Whole runs from the block at a time; ReadByte loads the next block.
  std::uint32_t done = 0;
  while (done < count) {
    if (cursor_ >= block_length_) {
      text[done++] = static_cast<char>(ReadByte());
      continue;
    }
    const std::uint32_t run = std::min(count - done, block_length_ - cursor_);
    std::memcpy(&text[done], &block_[cursor_], run);
    cursor_ += run;
    done += run;
  }
}

std::uint32_t ByteReader::ReadUnsigned(int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | ReadByte();
  return value;
}

std::int32_t ByteReader::ReadSigned(int bytes) {
  std::uint32_t value = ReadUnsigned(bytes);
  if (bytes >= 1 && bytes < 4) {
    const std::uint32_t sign = std::uint32_t{1} << (8 * bytes - 1);
    if ((value & sign) != 0) value |= ~((sign << 1) - 1);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace mox
