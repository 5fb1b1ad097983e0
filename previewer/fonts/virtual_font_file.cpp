#include "previewer/fonts/virtual_font_file.h"

#include <algorithm>

namespace mox {
namespace {

constexpr int kPre = 247;
constexpr int kPost = 248;
constexpr int kId = 202;
constexpr int kLongChar = 242;
constexpr int kFntDef1 = 243;

struct Failure {
  VfProblem Problem;
};

// Big-endian reads inside the file; running off its end is a failure.
class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Position() const { return at_; }
  std::size_t Left() const { return bytes_.size() - at_; }
  bool AtEnd() const { return at_ >= bytes_.size(); }

  std::uint32_t Unsigned(std::size_t n) {
    if (Left() < n) throw Failure{VfProblem::Truncated};
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < n; ++i) value = (value << 8) | bytes_[at_++];
    return value;
  }
  std::int32_t Signed(std::size_t n) {
    const std::uint32_t value = Unsigned(n);
    if (n == 4) return static_cast<std::int32_t>(value);
    const std::uint32_t sign = 1u << (8 * n - 1);
    return static_cast<std::int32_t>(value ^ sign) - static_cast<std::int32_t>(sign);
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    if (Left() < n) throw Failure{VfProblem::Truncated};
    const std::span<const std::uint8_t> part = bytes_.subspan(at_, n);
    at_ += n;
    return part;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

VfLocalFont ReadFontDefinition(Bytes& in, int op) {
  VfLocalFont font;
  font.Number = in.Unsigned(static_cast<std::size_t>(op - kFntDef1 + 1));
  font.Checksum = in.Unsigned(4);
  font.Scale = in.Signed(4);
  font.DesignSize = in.Signed(4);
  const std::uint32_t area = in.Unsigned(1);
  const std::uint32_t name = in.Unsigned(1);
  const std::span<const std::uint8_t> text = in.Take(area + name);
  font.Name.assign(text.begin(), text.end());
  if (font.Name.empty() || font.Name.find('\0') != std::string::npos) {
    throw Failure{VfProblem::BadFontDefinition};
  }
  return font;
}

std::int32_t FontIndex(const VirtualFontFile& file, std::uint32_t number) {
  for (std::size_t i = 0; i < file.Fonts.size(); ++i) {
    if (file.Fonts[i].Number == number) return static_cast<std::int32_t>(i);
  }
  throw Failure{VfProblem::UnknownFont};
}

// Decodes one packet's DVI commands into operations.
void CompilePacket(VirtualFontFile& file, std::span<const std::uint8_t> packet) {
  Bytes in(packet);
  int depth = 0;
  std::vector<VfOp>& ops = file.Ops;
  while (!in.AtEnd()) {
    const int op = static_cast<int>(in.Unsigned(1));
    if (op < 128) {
      ops.push_back({VfOpKind::Set, op});
    } else if (op <= 131) {
      ops.push_back({VfOpKind::Set, static_cast<std::int32_t>(in.Unsigned(op - 127))});
    } else if (op == 132 || op == 137) {
      const std::int32_t height = in.Signed(4);
      const std::int32_t width = in.Signed(4);
      ops.push_back({op == 132 ? VfOpKind::SetRule : VfOpKind::PutRule, height, width});
    } else if (op <= 136) {
      ops.push_back({VfOpKind::Put, static_cast<std::int32_t>(in.Unsigned(op - 132))});
    } else if (op == 138) {
      // nop
    } else if (op == 141) {
      ++depth;
      ops.push_back({VfOpKind::Push});
    } else if (op == 142) {
      if (depth == 0) throw Failure{VfProblem::UnbalancedPop};
      --depth;
      ops.push_back({VfOpKind::Pop});
    } else if (op >= 143 && op <= 146) {
      ops.push_back({VfOpKind::Right, in.Signed(op - 142)});
    } else if (op == 147 || op == 152 || op == 161 || op == 166) {
      ops.push_back({op == 147 ? VfOpKind::W0 : op == 152 ? VfOpKind::X0
                     : op == 161 ? VfOpKind::Y0 : VfOpKind::Z0});
    } else if (op >= 148 && op <= 151) {
      ops.push_back({VfOpKind::W, in.Signed(op - 147)});
    } else if (op >= 153 && op <= 156) {
      ops.push_back({VfOpKind::X, in.Signed(op - 152)});
    } else if (op >= 157 && op <= 160) {
      ops.push_back({VfOpKind::Down, in.Signed(op - 156)});
    } else if (op >= 162 && op <= 165) {
      ops.push_back({VfOpKind::Y, in.Signed(op - 161)});
    } else if (op >= 167 && op <= 170) {
      ops.push_back({VfOpKind::Z, in.Signed(op - 166)});
    } else if (op >= 171 && op <= 234) {
      ops.push_back({VfOpKind::Font, FontIndex(file, static_cast<std::uint32_t>(op - 171))});
    } else if (op >= 235 && op <= 238) {
      ops.push_back({VfOpKind::Font, FontIndex(file, in.Unsigned(op - 234))});
    } else if (op >= 239 && op <= 242) {
      const std::uint32_t length = in.Unsigned(op - 238);
      const std::span<const std::uint8_t> text = in.Take(length);
      ops.push_back({VfOpKind::Special, static_cast<std::int32_t>(file.Specials.size()),
                     static_cast<std::int32_t>(length)});
      file.Specials.append(text.begin(), text.end());
    } else {
      throw Failure{VfProblem::BadCommand};  // bop, eop, font definitions, pre, post, 250..255
    }
  }
}

void AddCharacter(VirtualFontFile& file, std::uint32_t code, std::uint32_t width,
                  std::span<const std::uint8_t> packet) {
  if (code > 255) return;  // no DVI file sets it with one byte
  VfCharacter& character = file.Characters[code];
  character.Present = true;
  character.Width = static_cast<std::int32_t>(width);
  character.First = static_cast<std::uint32_t>(file.Ops.size());
  CompilePacket(file, packet);
  character.Count = static_cast<std::uint32_t>(file.Ops.size()) - character.First;
}

VirtualFontFile Read(Bytes& in) {
  if (in.Unsigned(1) != kPre || in.Unsigned(1) != kId) throw Failure{VfProblem::NotVirtualFont};
  VirtualFontFile file;
  in.Take(in.Unsigned(1));  // the comment
  file.Checksum = in.Unsigned(4);
  file.DesignSize = in.Signed(4);
  bool packets = false;
  for (;;) {
    const int op = static_cast<int>(in.Unsigned(1));
    if (op < kLongChar) {
      packets = true;
      const std::uint32_t length = static_cast<std::uint32_t>(op);
      const std::uint32_t code = in.Unsigned(1);
      const std::uint32_t width = in.Unsigned(3);
      // A three-byte width is a non-negative fix_word below 16.
      AddCharacter(file, code, width, in.Take(length));
    } else if (op == kLongChar) {
      packets = true;
      const std::uint32_t length = in.Unsigned(4);
      const std::uint32_t code = in.Unsigned(4);
      const std::uint32_t width = in.Unsigned(4);
      AddCharacter(file, code, width, in.Take(length));
    } else if (op >= kFntDef1 && op < kPre) {
      // Every font is defined before the first packet that could use it.
      if (packets) throw Failure{VfProblem::BadFontDefinition};
      file.Fonts.push_back(ReadFontDefinition(in, op));
    } else if (op == kPost) {
      return file;
    } else {
      throw Failure{VfProblem::BadCommand};
    }
  }
}

}  // namespace

std::optional<VirtualFontFile> ParseVirtualFont(std::span<const std::uint8_t> bytes,
                                                VfProblem* problem) {
  if (problem != nullptr) *problem = VfProblem::None;
  try {
    Bytes in(bytes);
    return Read(in);
  } catch (const Failure& failure) {
    if (problem != nullptr) *problem = failure.Problem;
    return std::nullopt;
  }
}

}  // namespace mox
