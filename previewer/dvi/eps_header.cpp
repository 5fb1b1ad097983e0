#include "previewer/dvi/eps_header.h"

#include "previewer/dvi/special_text.h"

namespace mox {
namespace {

constexpr std::string_view kBoxComment = "%%BoundingBox:";
constexpr std::string_view kEndComments = "%%EndComments";

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// The next line of text (without its end, which is LF, CR or CR LF), taken
// off the front.
std::string_view TakeLine(std::string_view& text) {
  std::size_t end = 0;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  const std::string_view line = text.substr(0, end);
  if (end < text.size() && text[end] == '\r') ++end;
  if (end < text.size() && text[end] == '\n') ++end;
  text.remove_prefix(end);
  return line;
}

std::optional<FigureBox> ParseBox(std::string_view values) {
  FigureBox box{};
  for (double& value : box) {
    const std::optional<double> number = ParseSpecialNumber(TakeSpecialWord(values));
    if (!number) return std::nullopt;
    value = *number;
  }
  if (!TrimSpecialBlanks(values).empty()) return std::nullopt;
  return box;
}

}  // namespace

std::optional<FigureBox> ReadEpsBoundingBox(std::string_view file_head) {
  if (const std::optional<DosEpsSection> section = ReadDosEpsHeader(file_head)) {
    if (section->Offset >= file_head.size()) return std::nullopt;
    file_head = file_head.substr(section->Offset, section->Length);
  }
  while (!file_head.empty()) {
    const std::string_view line = TakeLine(file_head);
    // The header comments end at "%%EndComments" or at the first line that
    // is no comment; a box further on belongs to a figure inside this one.
    if (line.empty() || line[0] != '%' || line.substr(0, kEndComments.size()) == kEndComments) {
      return std::nullopt;
    }
    if (line.substr(0, kBoxComment.size()) == kBoxComment) {
      // "(atend)" is not four numbers either.
      return ParseBox(line.substr(kBoxComment.size()));
    }
  }
  return std::nullopt;
}

std::optional<DosEpsSection> ReadDosEpsHeader(std::string_view file_head) {
  if (file_head.size() < kDosEpsHeaderSize || file_head.substr(0, 4) != "\xC5\xD0\xD3\xC6") {
    return std::nullopt;
  }
  const DosEpsSection section{LittleEndian32(file_head, 4), LittleEndian32(file_head, 8)};
  if (section.Length == 0 || section.Offset < kDosEpsHeaderSize ||
      section.Length > 0xFFFFFFFFu - section.Offset) {
    return std::nullopt;
  }
  return section;
}

}  // namespace mox
