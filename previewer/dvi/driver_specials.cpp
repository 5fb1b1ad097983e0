#include "previewer/dvi/driver_specials.h"

#include <algorithm>

#include "previewer/dvi/mox_conventions.h"

namespace mox {
namespace {

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  return text.substr(0, word.size()) == word &&
         (text.size() == word.size() || text[word.size()] == ' ' || text[word.size()] == '\t' ||
          text[word.size()] == '\n' || text[word.size()] == '\r');
}

}  // namespace

DriverSpecial ClassifyDriverSpecial(std::string_view text) {
  const std::string_view t = WithoutLeadingBlanks(text);
  if (StartsWithWord(t, "color")) return DriverSpecial::Color;
  if (StartsWithWord(t, "background")) return DriverSpecial::Background;
  if (t.substr(0, 10) == "papersize=") return DriverSpecial::PaperSize;
  if (StartsWithWord(t, "landscape")) return DriverSpecial::Landscape;
  if (StartsWithNoCase(t, "psfile=")) return DriverSpecial::Figure;
  if (t.substr(0, 3) == "ps:" || t.substr(0, 1) == "\"") return DriverSpecial::PostScript;
  if (t.substr(0, 1) == "!" || t.substr(0, 7) == "header=") return DriverSpecial::PostScriptHeader;
  if (t.substr(0, 4) == "pdf:") return DriverSpecial::Pdf;
  if (StartsWithNoCase(t, "html:")) return DriverSpecial::Hypertext;
  return DriverSpecial::Other;
}

std::string SpecialKindName(std::string_view text) {
  const std::string_view t = WithoutLeadingBlanks(text);
  constexpr std::size_t kLongest = 16;
  std::string name;
  for (const char c : t) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r') break;
    if (byte < 32 || byte == 127) continue;
    name.push_back(c);
    if (c == ':' || c == '=' || name.size() == kLongest) break;
  }
  // The one-byte PostScript prefixes say nothing on their own.
  if (name.substr(0, 1) == "\"") return "\" (PostScript)";
  return name;
}

void UnhandledSpecials::Note(const std::string& kind, std::int32_t count0) {
  const bool known = std::any_of(Kinds.begin(), Kinds.end(),
                                 [&](const auto& entry) { return entry.first == kind; });
  if (!known) Kinds.emplace_back(kind, count0);
}

}  // namespace mox
