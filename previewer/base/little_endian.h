// Little-endian numbers in byte arrays: DBA archive headers, BMF row
// headers, Chinese outline fonts and the face table file store them so.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mox {

// The unsigned number in bytes[0..count) (count at most 8), lowest byte first.
inline std::uint64_t GetLittleEndian(const std::uint8_t* bytes, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

inline std::uint16_t LittleEndian16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(GetLittleEndian(bytes, 2));
}
inline std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(GetLittleEndian(bytes, 4));
}

// Stores the low count bytes of value, lowest first.
inline void PutLittleEndian(std::uint8_t* bytes, std::uint64_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace mox
