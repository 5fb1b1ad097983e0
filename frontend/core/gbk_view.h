// A window's UTF-16 text seen as the GBK bytes the editor works on, with the
// place of every UTF-16 unit among the bytes: search positions found in
// bytes become the control's positions and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

class GbkView {
 public:
  // Characters with a GBK code (and the escapes of undecodable bytes)
  // become their bytes; a unit without one becomes the single byte 0xFF,
  // which no GBK text holds and no search text matches.
  explicit GbkView(std::u16string_view text);

  const std::string& Bytes() const { return bytes_; }
  // Where the characters begin among the bytes: the units' first bytes
  // and the end. A double-byte unit is one character.
  const std::vector<bool>& CharacterStarts() const { return starts_; }
  // The byte offset of a unit (the size of the bytes for the end).
  std::size_t ByteOf(std::size_t unit) const;
  // The unit that begins at or holds a byte (the unit count for the end).
  std::size_t UnitOf(std::size_t byte) const;

 private:
  std::string bytes_;
  std::vector<std::size_t> offsets_;  // a unit's first byte, plus the end
  std::vector<bool> starts_;
};

// The bytes of a text for a message: GBK, and GB18030 for the characters
// GBK lacks (the boxes read GB18030); only a surrogate outside a pair
// becomes '?'.
std::string GbkForMessage(std::u16string_view text);

}  // namespace mox::varelo
