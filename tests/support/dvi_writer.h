// Writes DVI files for tests, command by command, with every field at hand
// so that a test can also break any part of the file: wrong ids, wrong back
// pointers, a wrong page count, too few trailer bytes, raw bytes anywhere,
// patches after the fact and truncation.
//
//   DviWriter dvi;
//   dvi.Preamble("a comment");
//   dvi.BeginPage(1).FontDef({.Number = 0, .Name = "cmr10"}).Font(0).SetChar('A').EndPage();
//   dvi.Finish({.Fonts = {{.Number = 0, .Name = "cmr10"}}});
//   WriteFile(path, dvi.Data());
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mox::test {

struct DviFontDef {
  std::uint32_t Number = 0;
  std::int32_t Checksum = 0;
  std::int32_t ScaledSize = 655360;   // 10 pt
  std::int32_t DesignSize = 655360;
  std::string Area{};
  std::string Name{};
  int NumberBytes = 0;  // 1 to 4 (fnt_def1 to fnt_def4); 0: the fewest that hold Number
};

struct DviPostamble {
  // p: the last bop; nothing = the last page written (-1 without pages).
  std::optional<std::uint32_t> LastPage{};
  std::uint32_t Num = 25400000;
  std::uint32_t Den = 473628672;
  std::uint32_t Mag = 1000;
  std::int32_t MaxHeightDepth = 43725786;  // l
  std::int32_t MaxWidth = 30785863;        // u
  std::uint16_t MaxStack = 10;             // s
  // t: nothing = the number of pages written.
  std::optional<std::uint16_t> PageCount{};
  std::vector<DviFontDef> Fonts{};
};

class DviWriter {
 public:
  // TeX's units: 1 DVI unit = 1 sp at magnification 1000.
  static constexpr std::uint32_t kTexNum = 25400000;
  static constexpr std::uint32_t kTexDen = 473628672;

  // pre, the id byte, num, den, mag, the comment length k and the comment
  // (its first 255 bytes).
  DviWriter& Preamble(const std::string& comment = "", std::uint32_t num = kTexNum,
                      std::uint32_t den = kTexDen, std::uint32_t mag = 1000,
                      std::uint8_t id = 2);

  // bop with \count0..\count9 and the pointer to the previous bop (by
  // default the previous page written, -1 for the first).
  DviWriter& BeginPage(std::int32_t count0, std::array<std::int32_t, 9> counts = {},
                       std::optional<std::uint32_t> previous = std::nullopt);
  DviWriter& EndPage();  // eop

  // Characters: set_char_c for c < 128, otherwise set1..set4 with the fewest
  // bytes; Set/Put with an explicit parameter size (1 to 4).
  DviWriter& SetChar(std::uint32_t code);
  DviWriter& Set(std::uint32_t code, int bytes);
  DviWriter& Put(std::uint32_t code, int bytes);
  DviWriter& SetRule(std::int32_t height, std::int32_t width);
  DviWriter& PutRule(std::int32_t height, std::int32_t width);

  DviWriter& Push();
  DviWriter& Pop();
  DviWriter& Nop();
  // Movements with a 1- to 4-byte signed parameter; W0 etc. reuse the
  // register.
  DviWriter& Right(std::int32_t amount, int bytes = 4);
  DviWriter& W(std::int32_t amount, int bytes = 4);
  DviWriter& W0();
  DviWriter& X(std::int32_t amount, int bytes = 4);
  DviWriter& X0();
  DviWriter& Down(std::int32_t amount, int bytes = 4);
  DviWriter& Y(std::int32_t amount, int bytes = 4);
  DviWriter& Y0();
  DviWriter& Z(std::int32_t amount, int bytes = 4);
  DviWriter& Z0();

  // fnt_num_k for k < 64, otherwise fnt1..fnt4 with the fewest bytes; Fnt
  // with an explicit size.
  DviWriter& Font(std::uint32_t number);
  DviWriter& Fnt(std::uint32_t number, int bytes);
  // xxx1..xxx4: the length with `bytes` bytes (0: the fewest), then the text.
  DviWriter& Special(const std::string& text, int bytes = 0);
  DviWriter& FontDef(const DviFontDef& font);

  // post with its fields and font definitions; the offset of the postamble is
  // remembered for PostPost.
  DviWriter& Postamble(const DviPostamble& postamble = {});
  // post_post with q (by default the postamble written) and the id byte.
  DviWriter& PostPost(std::optional<std::uint32_t> postamble = std::nullopt,
                      std::uint8_t id = 2);
  // count bytes 223; -1: 4 to 7 so that the file length is a multiple of 4.
  DviWriter& Trailer(int count = -1);
  // Postamble, PostPost and Trailer with their defaults.
  DviWriter& Finish(const DviPostamble& postamble = {});

  // Anything at the current end.
  DviWriter& Raw(const std::string& bytes);
  DviWriter& Byte(std::uint8_t byte);
  DviWriter& Unsigned(std::uint32_t value, int bytes);  // big-endian
  DviWriter& Signed(std::int32_t value, int bytes);

  // Changes bytes already written (big-endian numbers).
  void Patch(std::uint32_t offset, const std::string& bytes);
  void PatchUnsigned(std::uint32_t offset, std::uint32_t value, int bytes);
  void Truncate(std::uint32_t length) { data_.resize(length); }

  const std::string& Data() const { return data_; }
  std::uint32_t Size() const { return static_cast<std::uint32_t>(data_.size()); }
  // Offsets of the bops written, in order.
  const std::vector<std::uint32_t>& PageOffsets() const { return pages_; }
  // Offset of the postamble (post) and of post_post, once written.
  std::uint32_t PostambleOffset() const { return postamble_; }
  std::uint32_t PostPostOffset() const { return post_post_; }

 private:
  DviWriter& Movement(std::uint8_t first_opcode, std::int32_t amount, int bytes);

  std::string data_;
  std::vector<std::uint32_t> pages_;
  std::uint32_t postamble_ = 0;
  std::uint32_t post_post_ = 0;
};

// A small valid document: a preamble with the comment, one page per \count0
// (each with a character of font 0 and a rule) and a postamble defining
// font 0 as cmr10 plus the extra fonts.
std::string SimpleDvi(const std::vector<std::int32_t>& counts = {1},
                      const std::string& comment = "test",
                      const std::vector<DviFontDef>& extra_fonts = {});

}  // namespace mox::test
