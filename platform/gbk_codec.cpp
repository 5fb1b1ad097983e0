// GBK and UTF-8 text as UTF-16 and back, byte for byte. The code page is
// asked once for every code and kept in two tables, so that converting a
// long text costs a table look-up a character and both platforms convert
// through the same rule.
#include <algorithm>
#include <array>
#include <iterator>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gb18030_ranges.h"
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


// GB18030's four-byte codes: b1 0x81-0xFE, b2 '0'-'9', b3 0x81-0xFE,
// b4 '0'-'9', counted in order from 0x81308130. The Basic Multilingual
// Plane takes the first kBmpFourByteCodes of them, the planes above start
// at 0x90308130.
constexpr unsigned kFirstSupplementaryIndex = 189000;

bool IsDigitByte(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }
bool IsLeadByte(unsigned char byte) { return byte >= kFirstLead && byte <= kLastLead; }

char16_t ExtraPairCharacter(const GbkTables& tables, unsigned lead, unsigned trail);

// The character a four-byte code starting at `at` stands for (a code point
// above the plane included), or 0 for none. Only characters without a
// shorter code count, so that every character has one code and the bytes
// of a text come back as they were.
char32_t FourByteCharacter(const GbkTables& tables, std::string_view bytes, std::size_t at) {
  if (bytes.size() - at < 4) return 0;
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  if (!IsLeadByte(b(0)) || !IsDigitByte(b(1)) || !IsLeadByte(b(2)) || !IsDigitByte(b(3))) {
    return 0;
  }
  const unsigned index = (((b(0) - 0x81u) * 10 + (b(1) - 0x30u)) * 126 + (b(2) - 0x81u)) * 10 +
                         (b(3) - 0x30u);
  if (index >= kFirstSupplementaryIndex) {
    const unsigned offset = index - kFirstSupplementaryIndex;
    return offset < 0x100000 ? static_cast<char32_t>(0x10000 + offset) : 0;
  }
  if (index >= kBmpFourByteCodes) return 0;
  const Gb18030Run* run = std::upper_bound(
      std::begin(kGb18030Runs), std::end(kGb18030Runs), index,
      [](unsigned value, const Gb18030Run& r) { return value < r.Index; });
  --run;  // the first run starts at index 0
  const char16_t character = static_cast<char16_t>(run->First + (index - run->Index));
  if (tables.Codes[character] == 0 && !IsEscape(character)) return character;
  // A system that gives this character (of the Private Use Area) a two-byte
  // code GB18030 has for another character leaves that other one its
  // four-byte code, as GB18030's first edition had it.
  const std::uint16_t code = tables.Codes[character];
  return code > 0xFF ? ExtraPairCharacter(tables, code >> 8, code & 0xFF) : 0;
}

// The four-byte code of a character without a shorter one, false when
// GB18030 gives it none (a character of a two-byte GB18030 code that the
// system's code page 936 lacks).
bool AppendFourByteCode(std::string& out, char32_t character) {
  unsigned index = 0;
  if (character >= 0x10000) {
    index = kFirstSupplementaryIndex + static_cast<unsigned>(character - 0x10000);
  } else {
    const Gb18030Run* run = std::upper_bound(
        std::begin(kGb18030Runs), std::end(kGb18030Runs), static_cast<char16_t>(character),
        [](char16_t value, const Gb18030Run& r) { return value < r.First; });
    if (run == std::begin(kGb18030Runs)) return false;
    --run;
    const Gb18030Run* next = run + 1;
    const unsigned end = next == std::end(kGb18030Runs) ? kBmpFourByteCodes : next->Index;
    index = run->Index + static_cast<unsigned>(character - run->First);
    if (index >= end) return false;
  }
  const char b4 = static_cast<char>(0x30 + index % 10);
  index /= 10;
  const char b3 = static_cast<char>(0x81 + index % 126);
  index /= 126;
  const char b2 = static_cast<char>(0x30 + index % 10);
  const char b1 = static_cast<char>(0x81 + index / 10);
  out += {b1, b2, b3, b4};
  return true;
}

// The place of a trail byte in its row (0x7F is none).
unsigned TrailPlace(unsigned trail) { return trail - kFirstTrail - (trail > 0x7F ? 1 : 0); }

// GB18030's two-byte codes that the system's code page 936 lacks (its
// user-defined areas, on systems that leave them out, and the characters
// GB18030 gave GBK's empty places): the character of a pair, 0 for none.
char16_t ExtraPairCharacter(const GbkTables& tables, unsigned lead, unsigned trail) {
  if (trail < kFirstTrail || trail > 0xFE || trail == 0x7F) return 0;
  for (const Gb18030PairRun& run : kGb18030PairRuns) {
    if (run.Code >> 8 != lead) continue;
    const unsigned first = TrailPlace(run.Code & 0xFF);
    const unsigned place = TrailPlace(trail);
    if (place < first || place - first >= run.Count) continue;
    const char16_t character = static_cast<char16_t>(run.First + (place - first));
    return tables.Codes[character] == 0 ? character : 0;
  }
  return 0;
}

// The character of an extra two-byte code at `at`, 0 when the bytes there
// are none (or a pair the system reads itself).
char16_t ExtraPairAt(const GbkTables& tables, std::string_view bytes, std::size_t at) {
  if (bytes.size() - at < 2) return 0;
  const unsigned lead = static_cast<unsigned char>(bytes[at]);
  const unsigned trail = static_cast<unsigned char>(bytes[at + 1]);
  if (!IsLeadByte(static_cast<unsigned char>(lead)) || trail < kFirstTrail || trail > 0xFE ||
      tables.Pairs[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)] != 0) {
    return 0;
  }
  return ExtraPairCharacter(tables, lead, trail);
}

// GB18030's two-byte code of a character without a system code, 0 for
// none; `occupant` is the character the system reads from those bytes
// instead (0 when it reads none).
std::uint16_t ExtraPairCode(const GbkTables& tables, char16_t character, char16_t& occupant) {
  for (const Gb18030PairRun& run : kGb18030PairRuns) {
    if (character < run.First || character - run.First >= run.Count) continue;
    const unsigned lead = run.Code >> 8;
    const unsigned place = TrailPlace(run.Code & 0xFF) + (character - run.First);
    const unsigned trail = kFirstTrail + place + (kFirstTrail + place >= 0x7F ? 1 : 0);
    occupant = tables.Pairs[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)];
    return static_cast<std::uint16_t>(lead << 8 | trail);
  }
  return 0;
}

// One character of GBK at `at` (a lone byte as an escape), appended to text;
// returns the bytes it took.
std::size_t DecodeGbkCharacter(const GbkTables& tables, std::string_view gbk, std::size_t at,
                               std::u16string& text) {
  const unsigned char byte = static_cast<unsigned char>(gbk[at]);
  if (byte == 0) {
    text.push_back(Escape(0));
    return 1;
  }
  if (byte < 0x80) {
    text.push_back(byte);
    return 1;
  }
  if (IsLeadByte(byte) && at + 1 < gbk.size()) {
    const unsigned char trail = static_cast<unsigned char>(gbk[at + 1]);
    if (trail >= kFirstTrail && trail <= 0xFE) {
      const char16_t character = tables.Pairs[(byte - kFirstLead) * kTrails + (trail - kFirstTrail)];
      if (character != 0) {
        text.push_back(character);
        return 2;
      }
    }
  }
  const char16_t single = tables.HighBytes[byte - 0x80];
  text.push_back(single != 0 ? single : Escape(byte));
  return 1;
}

void AppendUtf16(std::u16string& text, char32_t value) {
  if (value >= 0x10000) {
    text.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
  } else {
    text.push_back(static_cast<char16_t>(value));
  }
}

}  // namespace

std::u16string DecodeGbk(std::string_view gbk) {
  const GbkTables& tables = Tables();
  std::u16string text;
  text.reserve(gbk.size());
  for (std::size_t at = 0; at < gbk.size();) at += DecodeGbkCharacter(tables, gbk, at, text);
  return text;
}

std::u16string DecodeGb18030(std::string_view bytes) {
  const GbkTables& tables = Tables();
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    if (const char32_t character = FourByteCharacter(tables, bytes, at); character != 0) {
      AppendUtf16(text, character);
      at += 4;
    } else if (const char16_t extra = ExtraPairAt(tables, bytes, at); extra != 0) {
      text.push_back(extra);
      at += 2;
    } else {
      at += DecodeGbkCharacter(tables, bytes, at, text);
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

bool EncodeGb18030(std::u16string_view text, std::string& bytes, std::size_t& failed_at) {
  const GbkTables& tables = Tables();
  bytes.clear();
  bytes.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsEscape(unit)) {
      bytes.push_back(static_cast<char>(unit - kByteEscapeBase));
      continue;
    }
    if (const std::uint16_t code = tables.Codes[unit]; code != 0) {
      if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
      bytes.push_back(static_cast<char>(code & 0xFF));
      continue;
    }
    char16_t occupant = 0;
    if (const std::uint16_t extra = ExtraPairCode(tables, unit, occupant); extra != 0) {
      if (occupant == 0) {
        bytes += {static_cast<char>(extra >> 8), static_cast<char>(extra & 0xFF)};
        continue;
      }
      // The four-byte code the occupant does not need (see FourByteCharacter).
      if (AppendFourByteCode(bytes, occupant)) continue;
    }
    char32_t character = unit;
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      character = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                  (static_cast<char32_t>(text[i + 1]) - 0xDC00);
    }
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    if ((surrogate && character < 0x10000) || !AppendFourByteCode(bytes, character)) {
      failed_at = i;
      return false;
    }
    if (character >= 0x10000) ++i;
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
    AppendUtf16(text, value);
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
