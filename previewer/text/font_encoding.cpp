#include "previewer/text/font_encoding.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace mox {
namespace {

// A code whose text differs from the encoding's rule for the rest.
struct Assigned {
  int Code;
  std::u32string_view Text;
};

// What the codes no table entry names stand for.
enum class RestRule { Nothing, PrintableAscii, CapitalLetters };

// The upright Greek capitals at codes 0 to 10 of the Computer Modern text
// and mathematics fonts.
#define MOX_GREEK_CAPITALS                                                           \
  {0, U"\u0393"}, {1, U"\u0394"}, {2, U"\u0398"}, {3, U"\u039B"}, {4, U"\u039E"},    \
  {5, U"\u03A0"}, {6, U"\u03A3"}, {7, U"\u03A5"}, {8, U"\u03A6"}, {9, U"\u03A8"},    \
  {10, U"\u03A9"}

// Codes 16 to 31 of OT1: dotless letters, accents and the foreign letters.
#define MOX_OT1_ACCENTS_AND_LETTERS                                                   \
  {16, U"\u0131"}, {17, U"\u0237"}, {18, U"\u0060"}, {19, U"\u00B4"}, {20, U"\u02C7"}, \
  {21, U"\u02D8"}, {22, U"\u00AF"}, {23, U"\u02DA"}, {24, U"\u00B8"}, {25, U"\u00DF"}, \
  {26, U"\u00E6"}, {27, U"\u0153"}, {28, U"\u00F8"}, {29, U"\u00C6"}, {30, U"\u0152"}, \
  {31, U"\u00D8"}

// OT1's text positions after the accents, shared by its roman and italic
// fonts; code 32 is the bar of the Polish l, part of a letter.
#define MOX_OT1_TEXT                                                                  \
  {11, U"ff"}, {12, U"fi"}, {13, U"fl"}, {14, U"ffi"}, {15, U"ffl"},                   \
  {34, U"\u201D"}, {39, U"\u2019"}, {60, U"\u00A1"}, {62, U"\u00BF"},                  \
  {92, U"\u201C"}, {94, U"\u02C6"}, {95, U"\u02D9"}, {96, U"\u2018"},                  \
  {123, U"\u2013"}, {124, U"\u2014"}, {125, U"\u02DD"}, {126, U"\u02DC"},              \
  {127, U"\u00A8"}

constexpr Assigned kOt1[] = {MOX_GREEK_CAPITALS, MOX_OT1_TEXT, MOX_OT1_ACCENTS_AND_LETTERS};
constexpr Assigned kOt1Italic[] = {MOX_GREEK_CAPITALS, MOX_OT1_TEXT, MOX_OT1_ACCENTS_AND_LETTERS,
                                   {36, U"\u00A3"}};
// The typewriter fonts have no ligatures: their codes 11 to 15 hold arrows,
// a straight quote and the Spanish marks, and the ASCII characters are in
// their ASCII places. The quotes are taken as ASCII's, as the code they
// set was typed.
constexpr Assigned kOt1Typewriter[] = {
    MOX_GREEK_CAPITALS,   MOX_OT1_ACCENTS_AND_LETTERS,
    {11, U"\u2191"},      {12, U"\u2193"}, {13, U"'"}, {14, U"\u00A1"}, {15, U"\u00BF"},
    {32, U"\u2423"},      {127, U"\u00A8"}};

// T1 (Cork): accents, quotes and dashes below 32, the Latin letters of
// central Europe from 128, Latin-1 from 192 with OE and oe in the places
// of the multiplication and division signs.
#define MOX_T1_LOW                                                                     \
  {0, U"\u0060"}, {1, U"\u00B4"}, {2, U"\u02C6"}, {3, U"\u02DC"}, {4, U"\u00A8"},       \
  {5, U"\u02DD"}, {6, U"\u02DA"}, {7, U"\u02C7"}, {8, U"\u02D8"}, {9, U"\u00AF"},       \
  {10, U"\u02D9"}, {11, U"\u00B8"}, {12, U"\u02DB"}, {13, U"\u201A"}, {14, U"\u2039"},  \
  {15, U"\u203A"}, {16, U"\u201C"}, {17, U"\u201D"}, {18, U"\u201E"}, {19, U"\u00AB"},  \
  {20, U"\u00BB"}, {21, U"\u2013"}, {22, U"\u2014"}, {25, U"\u0131"}, {26, U"\u0237"},  \
  {27, U"ff"}, {28, U"fi"}, {29, U"fl"}, {30, U"ffi"}, {31, U"ffl"}, {32, U"\u2423"},   \
  {127, U"-"}
#define MOX_T1_HIGH                                                                    \
  {128, U"\u0102"}, {129, U"\u0104"}, {130, U"\u0106"}, {131, U"\u010C"},               \
  {132, U"\u010E"}, {133, U"\u011A"}, {134, U"\u0118"}, {135, U"\u011E"},               \
  {136, U"\u0139"}, {137, U"\u013D"}, {138, U"\u0141"}, {139, U"\u0143"},               \
  {140, U"\u0147"}, {141, U"\u014A"}, {142, U"\u0150"}, {143, U"\u0154"},               \
  {144, U"\u0158"}, {145, U"\u015A"}, {146, U"\u0160"}, {147, U"\u015E"},               \
  {148, U"\u0164"}, {149, U"\u0162"}, {150, U"\u0170"}, {151, U"\u016E"},               \
  {152, U"\u0178"}, {153, U"\u0179"}, {154, U"\u017D"}, {155, U"\u017B"},               \
  {156, U"\u0132"}, {157, U"\u0130"}, {158, U"\u0111"}, {159, U"\u00A7"},               \
  {160, U"\u0103"}, {161, U"\u0105"}, {162, U"\u0107"}, {163, U"\u010D"},               \
  {164, U"\u010F"}, {165, U"\u011B"}, {166, U"\u0119"}, {167, U"\u011F"},               \
  {168, U"\u013A"}, {169, U"\u013E"}, {170, U"\u0142"}, {171, U"\u0144"},               \
  {172, U"\u0148"}, {173, U"\u014B"}, {174, U"\u0151"}, {175, U"\u0155"},               \
  {176, U"\u0159"}, {177, U"\u015B"}, {178, U"\u0161"}, {179, U"\u015F"},               \
  {180, U"\u0165"}, {181, U"\u0163"}, {182, U"\u0171"}, {183, U"\u016F"},               \
  {184, U"\u00FF"}, {185, U"\u017A"}, {186, U"\u017E"}, {187, U"\u017C"},               \
  {188, U"\u0133"}, {189, U"\u00A1"}, {190, U"\u00BF"}, {191, U"\u00A3"},               \
  {215, U"\u0152"}, {223, U"SS"}, {247, U"\u0153"}, {255, U"\u00DF"}

constexpr Assigned kT1[] = {MOX_T1_LOW, MOX_T1_HIGH, {39, U"\u2019"}, {96, U"\u2018"}};
constexpr Assigned kT1Typewriter[] = {MOX_T1_LOW, MOX_T1_HIGH};

// TS1, the text companion: its symbols and the currency signs (the
// old-style figures read as figures).
constexpr Assigned kTs1[] = {
    {13, U"'"},        {18, U"\u201E"},   {21, U"\u2013"},   {22, U"\u2014"},
    {24, U"\u2190"},   {25, U"\u2192"},   {36, U"$"},        {39, U"'"},
    {42, U"*"},        {44, U","},        {46, U"."},        {47, U"\u2044"},
    {48, U"0"},        {49, U"1"},        {50, U"2"},        {51, U"3"},
    {52, U"4"},        {53, U"5"},        {54, U"6"},        {55, U"7"},
    {56, U"8"},        {57, U"9"},        {60, U"\u2329"},   {61, U"\u2212"},
    {62, U"\u232A"},   {77, U"\u2127"},   {79, U"\u25EF"},   {87, U"\u2126"},
    {91, U"\u27E6"},   {93, U"\u27E7"},   {94, U"\u2191"},   {95, U"\u2193"},
    {110, U"\u266A"},  {126, U"~"},       {128, U"\u02D8"},  {129, U"\u02C7"},
    {130, U"\u02DD"},  {132, U"\u2020"},  {133, U"\u2021"},  {134, U"\u2016"},
    {135, U"\u2030"},  {136, U"\u2022"},  {137, U"\u2103"},  {138, U"$"},
    {139, U"\u00A2"},  {140, U"\u0192"},  {141, U"\u20A1"},  {142, U"\u20A9"},
    {143, U"\u20A6"},  {144, U"\u20B2"},  {145, U"\u20B1"},  {146, U"\u20A4"},
    {147, U"\u211E"},  {148, U"\u203D"},  {150, U"\u20AB"},  {151, U"\u2122"},
    {152, U"\u2031"},  {153, U"\u00B6"},  {154, U"\u0E3F"},  {155, U"\u2116"},
    {156, U"\u2052"},  {157, U"\u212E"},  {158, U"\u25E6"},  {159, U"\u2120"},
    {160, U"\u2045"},  {161, U"\u2046"},  {162, U"\u00A2"},  {163, U"\u00A3"},
    {164, U"\u00A4"},  {165, U"\u00A5"},  {166, U"\u00A6"},  {167, U"\u00A7"},
    {168, U"\u00A8"},  {169, U"\u00A9"},  {170, U"\u00AA"},  {172, U"\u00AC"},
    {173, U"\u2117"},  {174, U"\u00AE"},  {175, U"\u00AF"},  {176, U"\u00B0"},
    {177, U"\u00B1"},  {178, U"\u00B2"},  {179, U"\u00B3"},  {180, U"\u00B4"},
    {181, U"\u00B5"},  {182, U"\u00B6"},  {183, U"\u00B7"},  {184, U"\u203B"},
    {185, U"\u00B9"},  {186, U"\u00BA"},  {187, U"\u221A"},  {188, U"\u00BC"},
    {189, U"\u00BD"},  {190, U"\u00BE"},  {191, U"\u20AC"},  {214, U"\u00D7"},
    {246, U"\u00F7"}};

// cmmi: Greek, the harpoons and stars, old-style figures, italic letters.
// The hooks of the hooked arrows and the vector and tie accents are parts
// of other symbols.
constexpr Assigned kMathItalic[] = {
    MOX_GREEK_CAPITALS,
    {11, U"\u03B1"}, {12, U"\u03B2"}, {13, U"\u03B3"}, {14, U"\u03B4"}, {15, U"\u03F5"},
    {16, U"\u03B6"}, {17, U"\u03B7"}, {18, U"\u03B8"}, {19, U"\u03B9"}, {20, U"\u03BA"},
    {21, U"\u03BB"}, {22, U"\u03BC"}, {23, U"\u03BD"}, {24, U"\u03BE"}, {25, U"\u03C0"},
    {26, U"\u03C1"}, {27, U"\u03C3"}, {28, U"\u03C4"}, {29, U"\u03C5"}, {30, U"\u03D5"},
    {31, U"\u03C7"}, {32, U"\u03C8"}, {33, U"\u03C9"}, {34, U"\u03B5"}, {35, U"\u03D1"},
    {36, U"\u03D6"}, {37, U"\u03F1"}, {38, U"\u03C2"}, {39, U"\u03C6"}, {40, U"\u21BC"},
    {41, U"\u21BD"}, {42, U"\u21C0"}, {43, U"\u21C1"}, {44, U""},       {45, U""},
    {46, U"\u25B9"}, {47, U"\u25C3"}, {58, U"."},      {59, U","},      {61, U"/"},
    {63, U"\u22C6"}, {64, U"\u2202"}, {91, U"\u266D"}, {92, U"\u266E"}, {93, U"\u266F"},
    {94, U"\u2323"}, {95, U"\u2322"}, {96, U"\u2113"}, {123, U"\u0131"}, {124, U"\u0237"},
    {125, U"\u2118"}, {126, U""},     {127, U""}};

// cmsy: operators, relations, arrows, the calligraphic capitals (read as
// capitals) and the delimiters. The negation slash is the combining
// overlay, so that it goes with the sign it stands on; the stem of the
// maps-to arrow is part of it.
constexpr Assigned kMathSymbols[] = {
    {0, U"\u2212"},   {1, U"\u22C5"},   {2, U"\u00D7"},   {3, U"\u2217"},   {4, U"\u00F7"},
    {5, U"\u22C4"},   {6, U"\u00B1"},   {7, U"\u2213"},   {8, U"\u2295"},   {9, U"\u2296"},
    {10, U"\u2297"},  {11, U"\u2298"},  {12, U"\u2299"},  {13, U"\u25EF"},  {14, U"\u2218"},
    {15, U"\u2022"},  {16, U"\u224D"},  {17, U"\u2261"},  {18, U"\u2286"},  {19, U"\u2287"},
    {20, U"\u2264"},  {21, U"\u2265"},  {22, U"\u2AAF"},  {23, U"\u2AB0"},  {24, U"\u223C"},
    {25, U"\u2248"},  {26, U"\u2282"},  {27, U"\u2283"},  {28, U"\u226A"},  {29, U"\u226B"},
    {30, U"\u227A"},  {31, U"\u227B"},  {32, U"\u2190"},  {33, U"\u2192"},  {34, U"\u2191"},
    {35, U"\u2193"},  {36, U"\u2194"},  {37, U"\u2197"},  {38, U"\u2198"},  {39, U"\u2243"},
    {40, U"\u21D0"},  {41, U"\u21D2"},  {42, U"\u21D1"},  {43, U"\u21D3"},  {44, U"\u21D4"},
    {45, U"\u2196"},  {46, U"\u2199"},  {47, U"\u221D"},  {48, U"\u2032"},  {49, U"\u221E"},
    {50, U"\u2208"},  {51, U"\u220B"},  {52, U"\u25B3"},  {53, U"\u25BD"},  {54, U"\u0338"},
    {55, U""},        {56, U"\u2200"},  {57, U"\u2203"},  {58, U"\u00AC"},  {59, U"\u2205"},
    {60, U"\u211C"},  {61, U"\u2111"},  {62, U"\u22A4"},  {63, U"\u22A5"},  {64, U"\u2135"},
    {91, U"\u222A"},  {92, U"\u2229"},  {93, U"\u228E"},  {94, U"\u2227"},  {95, U"\u2228"},
    {96, U"\u22A2"},  {97, U"\u22A3"},  {98, U"\u230A"},  {99, U"\u230B"},  {100, U"\u2308"},
    {101, U"\u2309"}, {102, U"{"},      {103, U"}"},      {104, U"\u27E8"}, {105, U"\u27E9"},
    {106, U"|"},      {107, U"\u2016"}, {108, U"\u2195"}, {109, U"\u21D5"}, {110, U"\\"},
    {111, U"\u2240"}, {112, U"\u221A"}, {113, U"\u2A3F"}, {114, U"\u2207"}, {115, U"\u222B"},
    {116, U"\u2294"}, {117, U"\u2293"}, {118, U"\u2291"}, {119, U"\u2292"}, {120, U"\u00A7"},
    {121, U"\u2020"}, {122, U"\u2021"}, {123, U"\u00B6"}, {124, U"\u2663"}, {125, U"\u2662"},
    {126, U"\u2661"}, {127, U"\u2660"}};

// cmex: the sizes of the delimiters and the large operators. A delimiter
// built of pieces reads as one: its top piece gives the character, the
// rest give nothing; the wide accents and the arrow pieces give nothing.
constexpr Assigned kMathExtension[] = {
    {0, U"("},       {1, U")"},       {2, U"["},       {3, U"]"},       {4, U"\u230A"},
    {5, U"\u230B"},  {6, U"\u2308"},  {7, U"\u2309"},  {8, U"{"},       {9, U"}"},
    {10, U"\u27E8"}, {11, U"\u27E9"}, {12, U"|"},      {13, U"\u2016"}, {14, U"/"},
    {15, U"\\"},     {16, U"("},      {17, U")"},      {18, U"("},      {19, U")"},
    {20, U"["},      {21, U"]"},      {22, U"\u230A"}, {23, U"\u230B"}, {24, U"\u2308"},
    {25, U"\u2309"}, {26, U"{"},      {27, U"}"},      {28, U"\u27E8"}, {29, U"\u27E9"},
    {30, U"/"},      {31, U"\\"},     {32, U"("},      {33, U")"},      {34, U"["},
    {35, U"]"},      {36, U"\u230A"}, {37, U"\u230B"}, {38, U"\u2308"}, {39, U"\u2309"},
    {40, U"{"},      {41, U"}"},      {42, U"\u27E8"}, {43, U"\u27E9"}, {44, U"/"},
    {45, U"\\"},     {46, U"/"},      {47, U"\\"},     {48, U"("},      {49, U")"},
    {50, U"["},      {51, U"]"},      {56, U"{"},      {57, U"}"},      {68, U"\u27E8"},
    {69, U"\u27E9"}, {70, U"\u2A06"}, {71, U"\u2A06"}, {72, U"\u222E"}, {73, U"\u222E"},
    {74, U"\u2A00"}, {75, U"\u2A00"}, {76, U"\u2A01"}, {77, U"\u2A01"}, {78, U"\u2A02"},
    {79, U"\u2A02"}, {80, U"\u2211"}, {81, U"\u220F"}, {82, U"\u222B"}, {83, U"\u22C3"},
    {84, U"\u22C2"}, {85, U"\u2A04"}, {86, U"\u22C0"}, {87, U"\u22C1"}, {88, U"\u2211"},
    {89, U"\u220F"}, {90, U"\u222B"}, {91, U"\u22C3"}, {92, U"\u22C2"}, {93, U"\u2A04"},
    {94, U"\u22C0"}, {95, U"\u22C1"}, {96, U"\u2210"}, {97, U"\u2210"}, {104, U"["},
    {105, U"]"},     {106, U"\u230A"}, {107, U"\u230B"}, {108, U"\u2308"}, {109, U"\u2309"},
    {110, U"{"},     {111, U"}"},     {112, U"\u221A"}, {113, U"\u221A"}, {114, U"\u221A"},
    {115, U"\u221A"}, {116, U"\u221A"}};

// 8r (TeXBase1): ligatures and accents below 32, Windows' code page 1252
// from 128 (Latin-1 from 161, the soft hyphen read as a hyphen).
constexpr Assigned kTexBase1[] = {
    {1, U"\u02D9"},   {2, U"fi"},       {3, U"fl"},       {4, U"\u2044"},   {5, U"\u02DD"},
    {6, U"\u0141"},   {7, U"\u0142"},   {8, U"\u02DB"},   {9, U"\u02DA"},   {11, U"\u02D8"},
    {12, U"\u2212"},  {14, U"\u017D"},  {15, U"\u017E"},  {16, U"\u02C7"},  {17, U"\u0131"},
    {18, U"\u0237"},  {19, U"ff"},      {20, U"ffi"},     {21, U"ffl"},     {30, U"\u0060"},
    {31, U"'"},       {39, U"\u2019"},  {96, U"\u2018"},  {128, U"\u20AC"}, {130, U"\u201A"},
    {131, U"\u0192"}, {132, U"\u201E"}, {133, U"\u2026"}, {134, U"\u2020"}, {135, U"\u2021"},
    {136, U"\u02C6"}, {137, U"\u2030"}, {138, U"\u0160"}, {139, U"\u2039"}, {140, U"\u0152"},
    {145, U"\u2018"}, {146, U"\u2019"}, {147, U"\u201C"}, {148, U"\u201D"}, {149, U"\u2022"},
    {150, U"\u2013"}, {151, U"\u2014"}, {152, U"\u02DC"}, {153, U"\u2122"}, {154, U"\u0161"},
    {155, U"\u203A"}, {156, U"\u0153"}, {159, U"\u0178"}, {173, U"-"}};

#undef MOX_GREEK_CAPITALS
#undef MOX_OT1_ACCENTS_AND_LETTERS
#undef MOX_OT1_TEXT
#undef MOX_T1_LOW
#undef MOX_T1_HIGH

// The printable ASCII characters as themselves, from "!" to "~".
constexpr auto kAscii = [] {
  std::array<char32_t, 128> characters{};
  for (int code = 33; code < 127; ++code) characters[static_cast<std::size_t>(code)] = code;
  return characters;
}();

// Latin-1 from 161 to 255 (the 8r fonts' upper half), each a code point.
constexpr auto kLatin1 = [] {
  std::array<char32_t, 256> characters{};
  for (int code = 161; code < 256; ++code) characters[static_cast<std::size_t>(code)] = code;
  return characters;
}();

struct EncodingTable {
  std::span<const Assigned> Assignments;
  RestRule Rest;
  bool Latin1High;  // codes from 161 as Latin-1
};

EncodingTable TableOf(FontEncoding encoding) {
  switch (encoding) {
    case FontEncoding::Ot1: return {kOt1, RestRule::PrintableAscii, false};
    case FontEncoding::Ot1Italic: return {kOt1Italic, RestRule::PrintableAscii, false};
    case FontEncoding::Ot1Typewriter: return {kOt1Typewriter, RestRule::PrintableAscii, false};
    case FontEncoding::T1: return {kT1, RestRule::PrintableAscii, true};
    case FontEncoding::T1Typewriter: return {kT1Typewriter, RestRule::PrintableAscii, true};
    case FontEncoding::Ts1: return {kTs1, RestRule::Nothing, false};
    case FontEncoding::MathItalic: return {kMathItalic, RestRule::PrintableAscii, false};
    case FontEncoding::MathSymbols: return {kMathSymbols, RestRule::CapitalLetters, false};
    case FontEncoding::MathExtension: return {kMathExtension, RestRule::Nothing, false};
    case FontEncoding::TexBase1: return {kTexBase1, RestRule::PrintableAscii, true};
    case FontEncoding::Unknown: break;
  }
  return {{}, RestRule::PrintableAscii, false};
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// A family prefix followed by the size (digits) or nothing else: "cmu10"
// is the unslanted italic, "cmunrm" is none of Knuth's fonts.
bool IsFamily(std::string_view name, std::string_view family) {
  if (!StartsWith(name, family)) return false;
  const std::string_view rest = name.substr(family.size());
  return std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

FontEncoding EncodingOfFont(std::string_view name) {
  const std::size_t separator = name.find_last_of("/\\:");
  if (separator != std::string_view::npos) name = name.substr(separator + 1);
  std::string lower(name.substr(0, name.find('.')));
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  const std::string_view font = lower;
  // psnfss' fonts by the encoding that ends their names; a virtual text
  // font (8t, 7t) only reaches here when its base fonts cannot be had.
  if (EndsWith(font, "8r")) return FontEncoding::TexBase1;
  if (EndsWith(font, "8t")) return FontEncoding::T1;
  if (EndsWith(font, "8c")) return FontEncoding::Ts1;
  if (EndsWith(font, "7t")) return FontEncoding::Ot1;
  for (std::string_view family : {"cmtt", "cmsltt", "cmitt", "cmtcsc"}) {
    if (IsFamily(font, family)) return FontEncoding::Ot1Typewriter;
  }
  for (std::string_view family : {"cmti", "cmbxti", "cmu", "cmfi"}) {
    if (IsFamily(font, family)) return FontEncoding::Ot1Italic;
  }
  if (IsFamily(font, "cmmi") || IsFamily(font, "cmmib")) return FontEncoding::MathItalic;
  if (IsFamily(font, "cmsy") || IsFamily(font, "cmbsy")) return FontEncoding::MathSymbols;
  if (IsFamily(font, "cmex")) return FontEncoding::MathExtension;
  if (StartsWith(font, "cm")) return FontEncoding::Ot1;
  for (std::string_view family : {"ectt", "ecst", "ecit", "ectc", "ecvt", "ecvi"}) {
    if (StartsWith(font, family)) return FontEncoding::T1Typewriter;
  }
  if (StartsWith(font, "ec")) return FontEncoding::T1;
  if (StartsWith(font, "tc")) return FontEncoding::Ts1;
  return FontEncoding::Unknown;
}

std::u32string_view CharacterText(FontEncoding encoding, int code) {
  if (code < 0 || code > 255) return {};
  const EncodingTable table = TableOf(encoding);
  for (const Assigned& assigned : table.Assignments) {
    if (assigned.Code == code) return assigned.Text;
  }
  const std::size_t at = static_cast<std::size_t>(code);
  if (table.Latin1High && code >= 161) return {&kLatin1[at], 1};
  if (code >= 128) return {};
  switch (table.Rest) {
    case RestRule::PrintableAscii:
      if (kAscii[at] != 0) return {&kAscii[at], 1};
      break;
    case RestRule::CapitalLetters:
      if (code >= 'A' && code <= 'Z') return {&kAscii[at], 1};
      break;
    case RestRule::Nothing:
      break;
  }
  return {};
}

}  // namespace mox
