// GBK and UTF-8 text as UTF-16 and back, byte for byte. The code page is
// asked once for every code and kept in two tables, so that converting a
// long text costs a table look-up a character and both platforms convert
// through the same rule.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text_encoding.h"

namespace mox::platform {
namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kTrails = 0xFF - kFirstTrail;  // 0x40 to 0xFE

struct GbkTables {
  // The character of each double-byte code, 0 for none.
  std::vector<char16_t> Pairs;
  // The code of each character: 0 for none, below 0x100 a single byte,
  // else lead << 8 | trail.
  std::vector<std::uint16_t> Codes;
  // Characters of single bytes 0x80 to 0xFF (0 for none).
  std::array<char16_t, 128> HighBytes{};
};

// A code counts only when the system writes its character back as the
// same bytes: a character with two codes is read from one of them only, so
// that the other is kept as escaped bytes and saved unchanged.
std::unique_ptr<GbkTables> MakeTables() {
  auto tables = std::make_unique<GbkTables>();
  tables->Pairs.assign((kLastLead - kFirstLead + 1) * kTrails, 0);
  tables->Codes.assign(0x10000, 0);
  for (unsigned c = 1; c < 0x80; ++c) tables->Codes[c] = static_cast<std::uint16_t>(c);
  unsigned char back[2];
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    const unsigned char single = static_cast<unsigned char>(byte);
    const char16_t character = SystemGbkDecode(&single, 1);
    if (character == 0 || (character >= kByteEscapeBase && character <= kByteEscapeBase + 0xFF)) {
      continue;
    }
    if (SystemGbkEncode(character, back) == 1 && back[0] == single) {
      tables->HighBytes[byte - 0x80] = character;
      tables->Codes[character] = static_cast<std::uint16_t>(byte);
    }
  }
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = kFirstTrail; trail <= 0xFE; ++trail) {
      const unsigned char pair[2] = {static_cast<unsigned char>(lead),
                                     static_cast<unsigned char>(trail)};
      const char16_t character = SystemGbkDecode(pair, 2);
      if (character < 0x80 ||
          (character >= kByteEscapeBase && character <= kByteEscapeBase + 0xFF)) {
        continue;
      }
      if (SystemGbkEncode(character, back) != 2 || back[0] != pair[0] || back[1] != pair[1]) {
        continue;
      }
      tables->Pairs[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)] = character;
      tables->Codes[character] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  return tables;
}

const GbkTables& Tables() {
  static const std::unique_ptr<GbkTables> tables = MakeTables();
  return *tables;
}

char16_t Escape(unsigned char byte) { return static_cast<char16_t>(kByteEscapeBase + byte); }

bool IsEscape(char16_t unit) { return unit >= kByteEscapeBase && unit <= kByteEscapeBase + 0xFF; }

void AppendUtf8(std::string& out, char32_t value) {
  if (value < 0x80) {
    out.push_back(static_cast<char>(value));
  } else if (value < 0x800) {
    out.push_back(static_cast<char>(0xC0 | value >> 6));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else if (value < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | value >> 12));
    out.push_back(static_cast<char>(0x80 | (value >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | value >> 18));
    out.push_back(static_cast<char>(0x80 | (value >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  }
}

}  // namespace

std::u16string DecodeGbk(std::string_view gbk) {
  const GbkTables& tables = Tables();
  std::u16string text;
  text.reserve(gbk.size());
  std::size_t at = 0;
  while (at < gbk.size()) {
    const unsigned char byte = static_cast<unsigned char>(gbk[at]);
    if (byte == 0) {
      text.push_back(Escape(0));
      ++at;
    } else if (byte < 0x80) {
      text.push_back(byte);
      ++at;
    } else {
      if (byte >= kFirstLead && byte <= kLastLead && at + 1 < gbk.size()) {
        const unsigned char trail = static_cast<unsigned char>(gbk[at + 1]);
        if (trail >= kFirstTrail && trail <= 0xFE) {
          const char16_t character =
              tables.Pairs[(byte - kFirstLead) * kTrails + (trail - kFirstTrail)];
          if (character != 0) {
            text.push_back(character);
            at += 2;
            continue;
          }
        }
      }
      const char16_t single = tables.HighBytes[byte - 0x80];
      text.push_back(single != 0 ? single : Escape(byte));
      ++at;
    }
  }
  return text;
}

bool EncodeGbk(std::u16string_view text, std::string& gbk, std::size_t& failed_at) {
  const GbkTables& tables = Tables();
  gbk.clear();
  gbk.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsEscape(unit)) {
      gbk.push_back(static_cast<char>(unit - kByteEscapeBase));
      continue;
    }
    const std::uint16_t code = tables.Codes[unit];
    if (code == 0) {
      failed_at = i;
      return false;
    }
    if (code > 0xFF) gbk.push_back(static_cast<char>(code >> 8));
    gbk.push_back(static_cast<char>(code & 0xFF));
  }
  failed_at = text.size();
  return true;
}

std::u16string DecodeUtf8(std::string_view utf8) {
  std::u16string text;
  text.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    std::size_t length = 1;
    char32_t value = lead;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, value = lead & 0x07, minimum = 0x10000;
    } else if (lead >= 0x80) {
      length = 0;  // no sequence starts here
    }
    bool valid = length > 0 && utf8.size() - at >= length;
    for (std::size_t i = 1; valid && i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(utf8[at + i]);
      valid = (next & 0xC0) == 0x80;
      value = value << 6 | (next & 0x3F);
    }
    valid = valid && value >= minimum && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
    if (!valid) {
      text.push_back(u'\xFFFD');
      ++at;
      continue;
    }
    if (value >= 0x10000) {
      text.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(value));
    }
    at += length;
  }
  return text;
}

bool EncodeUtf8(std::u16string_view text, std::string& utf8, std::size_t& failed_at) {
  utf8.clear();
  utf8.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      AppendUtf8(utf8, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                           (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      failed_at = i;
      return false;
    } else {
      AppendUtf8(utf8, unit);
    }
  }
  failed_at = text.size();
  return true;
}

}  // namespace mox::platform
