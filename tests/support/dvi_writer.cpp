#include "tests/support/dvi_writer.h"

#include <algorithm>

namespace mox::test {
namespace {

// The fewest bytes that hold value as an unsigned number.
int UnsignedBytes(std::uint32_t value) {
  if (value < 0x100u) return 1;
  if (value < 0x10000u) return 2;
  if (value < 0x1000000u) return 3;
  return 4;
}

std::uint8_t Opcode(int first, int bytes) { return static_cast<std::uint8_t>(first + bytes - 1); }

}  // namespace

DviWriter& DviWriter::Raw(const std::string& bytes) {
  data_ += bytes;
  return *this;
}

DviWriter& DviWriter::Byte(std::uint8_t byte) {
  data_ += static_cast<char>(byte);
  return *this;
}

DviWriter& DviWriter::Unsigned(std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  return *this;
}

DviWriter& DviWriter::Signed(std::int32_t value, int bytes) {
  return Unsigned(static_cast<std::uint32_t>(value), bytes);
}

void DviWriter::Patch(std::uint32_t offset, const std::string& bytes) {
  if (data_.size() < offset + bytes.size()) data_.resize(offset + bytes.size());
  data_.replace(offset, bytes.size(), bytes);
}

void DviWriter::PatchUnsigned(std::uint32_t offset, std::uint32_t value, int bytes) {
  std::string encoded;
  for (int i = bytes - 1; i >= 0; --i) encoded += static_cast<char>(value >> (8 * i));
  Patch(offset, encoded);
}

DviWriter& DviWriter::Preamble(const std::string& comment, std::uint32_t num,
                               std::uint32_t den, std::uint32_t mag, std::uint8_t id) {
  const std::size_t length = std::min<std::size_t>(comment.size(), 255);
  Byte(247).Byte(id).Unsigned(num, 4).Unsigned(den, 4).Unsigned(mag, 4);
  Byte(static_cast<std::uint8_t>(length));
  return Raw(comment.substr(0, length));
}

DviWriter& DviWriter::BeginPage(std::int32_t count0, std::array<std::int32_t, 9> counts,
                                std::optional<std::uint32_t> previous) {
  const std::uint32_t back = previous.value_or(pages_.empty() ? 0xFFFFFFFFu : pages_.back());
  pages_.push_back(Size());
  Byte(139).Signed(count0, 4);
  for (const std::int32_t count : counts) Signed(count, 4);
  return Unsigned(back, 4);
}

DviWriter& DviWriter::EndPage() { return Byte(140); }

DviWriter& DviWriter::SetChar(std::uint32_t code) {
  if (code < 128) return Byte(static_cast<std::uint8_t>(code));
  return Set(code, UnsignedBytes(code));
}

DviWriter& DviWriter::Set(std::uint32_t code, int bytes) {
  return Byte(Opcode(128, bytes)).Unsigned(code, bytes);
}

DviWriter& DviWriter::Put(std::uint32_t code, int bytes) {
  return Byte(Opcode(133, bytes)).Unsigned(code, bytes);
}

DviWriter& DviWriter::SetRule(std::int32_t height, std::int32_t width) {
  return Byte(132).Signed(height, 4).Signed(width, 4);
}

DviWriter& DviWriter::PutRule(std::int32_t height, std::int32_t width) {
  return Byte(137).Signed(height, 4).Signed(width, 4);
}

DviWriter& DviWriter::Push() { return Byte(141); }
DviWriter& DviWriter::Pop() { return Byte(142); }
DviWriter& DviWriter::Nop() { return Byte(138); }

DviWriter& DviWriter::Movement(std::uint8_t first_opcode, std::int32_t amount, int bytes) {
  return Byte(Opcode(first_opcode, bytes)).Signed(amount, bytes);
}

DviWriter& DviWriter::Right(std::int32_t amount, int bytes) { return Movement(143, amount, bytes); }
DviWriter& DviWriter::W0() { return Byte(147); }
DviWriter& DviWriter::W(std::int32_t amount, int bytes) { return Movement(148, amount, bytes); }
DviWriter& DviWriter::X0() { return Byte(152); }
DviWriter& DviWriter::X(std::int32_t amount, int bytes) { return Movement(153, amount, bytes); }
DviWriter& DviWriter::Down(std::int32_t amount, int bytes) { return Movement(157, amount, bytes); }
DviWriter& DviWriter::Y0() { return Byte(161); }
DviWriter& DviWriter::Y(std::int32_t amount, int bytes) { return Movement(162, amount, bytes); }
DviWriter& DviWriter::Z0() { return Byte(166); }
DviWriter& DviWriter::Z(std::int32_t amount, int bytes) { return Movement(167, amount, bytes); }

DviWriter& DviWriter::Font(std::uint32_t number) {
  if (number < 64) return Byte(static_cast<std::uint8_t>(171 + number));
  return Fnt(number, UnsignedBytes(number));
}

DviWriter& DviWriter::Fnt(std::uint32_t number, int bytes) {
  return Byte(Opcode(235, bytes)).Unsigned(number, bytes);
}

DviWriter& DviWriter::Special(const std::string& text, int bytes) {
  const auto length = static_cast<std::uint32_t>(text.size());
  if (bytes == 0) bytes = UnsignedBytes(length);
  return Byte(Opcode(239, bytes)).Unsigned(length, bytes).Raw(text);
}

DviWriter& DviWriter::FontDef(const DviFontDef& font) {
  const int bytes = font.NumberBytes != 0 ? font.NumberBytes : UnsignedBytes(font.Number);
  Byte(Opcode(243, bytes)).Unsigned(font.Number, bytes);
  Signed(font.Checksum, 4).Signed(font.ScaledSize, 4).Signed(font.DesignSize, 4);
  Byte(static_cast<std::uint8_t>(font.Area.size()));
  Byte(static_cast<std::uint8_t>(font.Name.size()));
  return Raw(font.Area).Raw(font.Name);
}

DviWriter& DviWriter::Postamble(const DviPostamble& postamble) {
  postamble_ = Size();
  const std::uint32_t last = postamble.LastPage.value_or(pages_.empty() ? 0xFFFFFFFFu
                                                                        : pages_.back());
  Byte(248).Unsigned(last, 4);
  Unsigned(postamble.Num, 4).Unsigned(postamble.Den, 4).Unsigned(postamble.Mag, 4);
  Signed(postamble.MaxHeightDepth, 4).Signed(postamble.MaxWidth, 4);
  Unsigned(postamble.MaxStack, 2);
  Unsigned(postamble.PageCount.value_or(static_cast<std::uint16_t>(pages_.size())), 2);
  for (const DviFontDef& font : postamble.Fonts) FontDef(font);
  return *this;
}

DviWriter& DviWriter::PostPost(std::optional<std::uint32_t> postamble, std::uint8_t id) {
  post_post_ = Size();
  return Byte(249).Unsigned(postamble.value_or(postamble_), 4).Byte(id);
}

DviWriter& DviWriter::Trailer(int count) {
  if (count < 0) count = 4 + static_cast<int>((4 - Size() % 4) % 4);
  for (int i = 0; i < count; ++i) Byte(223);
  return *this;
}

DviWriter& DviWriter::Finish(const DviPostamble& postamble) {
  return Postamble(postamble).PostPost().Trailer();
}

std::string SimpleDvi(const std::vector<std::int32_t>& counts, const std::string& comment,
                      const std::vector<DviFontDef>& extra_fonts) {
  DviPostamble postamble;
  postamble.Fonts.push_back({.Number = 0, .Name = "cmr10"});
  postamble.Fonts.insert(postamble.Fonts.end(), extra_fonts.begin(), extra_fonts.end());
  DviWriter dvi;
  dvi.Preamble(comment);
  for (const std::int32_t count0 : counts) {
    dvi.BeginPage(count0).FontDef(postamble.Fonts.front()).Font(0).SetChar('A');
    dvi.Right(65536).SetRule(26214, 65536).EndPage();
  }
  dvi.Finish(postamble);
  return dvi.Data();
}

}  // namespace mox::test
