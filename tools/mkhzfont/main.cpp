// mkhzfont: compiles Chinese outline font files (types 1, 2 and 3) from a
// TrueType/OpenType face for one slot's GB 2312 range or for a range of
// Unicode values beyond GB 2312 (the files that ucfonts.def names), and
// writes ccfonts.def files that name the GB 2312 ones.
//
//   mkhzfont --font FILE [--face N] --slot symbols|level1|level2|--range X-Y
//            --type 1|2|3 --output FILE [--codes LIST] [--chars TEXT]
//            [--count N]
//   mkhzfont --definitions FILE [--scale X] SLOT=NAME...
//
// --range takes hexadecimal Unicode values (at most 3760 of them); in its
// file the characters of GB 2312 and of the Private Use Area stay empty.
// --codes takes code indices and ranges ("0-99,213"), --chars UTF-8 text
// whose characters are looked up in the file; with neither, every code is
// compiled. Codes not included (and characters the face lacks) become empty
// glyphs, so the code indices of the file stay those of the slot. --count
// keeps only the first N code indices (a shorter file, for small type 2
// fixtures). Slots that no SLOT=NAME names get the placeholder name "NONE".
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/mkhzfont/outline_compiler.h"
#include "tools/mkhzfont/outline_font_writer.h"

namespace {

using namespace mox::hzfont;

constexpr int kSlotCount = 54;

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << "mkhzfont: " << problem << "\n"
            << "usage: mkhzfont --font FILE [--face N] --slot symbols|level1|level2|--range X-Y\n"
            << "                --type 1|2|3\n"
            << "                --output FILE [--codes LIST] [--chars TEXT] [--count N]\n"
            << "       mkhzfont --definitions FILE [--scale X] SLOT=NAME...\n";
  std::exit(2);
}

int Number(const std::string& text, const char* what) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) Usage(std::string("not a number for ") + what + ": " + text);
  return value;
}

std::vector<char32_t> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    int extra = byte < 0x80 ? 0 : byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
      Usage("--chars is not UTF-8");
    }
    char32_t c = extra == 0 ? byte : byte & (0x3F >> extra);
    for (int j = 1; j <= extra; ++j) c = c << 6 | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(j)]) & 0x3F);
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

int WriteDefinitions(const std::vector<std::string>& args) {
  std::string output;
  std::string scale = "1.0";
  std::vector<std::string> names(kSlotCount, "NONE");
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--definitions" || arg == "--scale") {
      if (i + 1 >= args.size()) Usage(arg + " needs a value");
      (arg == "--scale" ? scale : output) = args[++i];
    } else if (const auto equals = arg.find('='); equals != std::string::npos) {
      const int slot = Number(arg.substr(0, equals), "a slot");
      const std::string name = arg.substr(equals + 1);
      if (slot < 0 || slot >= kSlotCount) Usage("slots are 0 to 53");
      if (name.empty() || name.size() > 12 || name.find_first_of(" \t\r\n") != std::string::npos) {
        Usage("a font name has 1 to 12 characters and no spaces");
      }
      names[static_cast<std::size_t>(slot)] = name;
    } else {
      Usage("unknown argument " + arg);
    }
  }
  std::ofstream file(output, std::ios::binary);
  for (const std::string& name : names) file << name << ' ' << scale << "\r\n";
  file.close();
  if (!file) {
    std::cerr << "mkhzfont: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}

struct CompileRequest {
  std::string FontPath, Output, Codes, Chars, Slot, Range;
  int Face = 0;
  int Type = 0;
  int Count = -1;
};

CompileRequest ParseCompileArguments(const std::vector<std::string>& args) {
  CompileRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) Usage(arg + " needs a value");
    const std::string& value = args[++i];
    if (arg == "--font") request.FontPath = value;
    else if (arg == "--face") request.Face = Number(value, arg.c_str());
    else if (arg == "--slot") request.Slot = value;
    else if (arg == "--range") request.Range = value;
    else if (arg == "--type") request.Type = Number(value, arg.c_str());
    else if (arg == "--output") request.Output = value;
    else if (arg == "--codes") request.Codes = value;
    else if (arg == "--chars") request.Chars = value;
    else if (arg == "--count") request.Count = Number(value, arg.c_str());
    else Usage("unknown argument " + arg);
  }
  if (request.FontPath.empty() || request.Output.empty()) Usage("--font and --output are needed");
  if (request.Type < 1 || request.Type > 3) Usage("--type is 1, 2 or 3");
  if (request.Slot.empty() == request.Range.empty()) Usage("give one of --slot and --range");
  return request;
}

// What a file holds: the header's first code and the character of each code
// index (0 where the file keeps an empty glyph).
struct FileCodes {
  int FirstCode = 0;
  std::vector<char32_t> Characters;
};

FileCodes SlotCodesOf(const std::string& slot_name) {
  SlotRange range;
  if (slot_name == "symbols") range = SlotRange::Symbols;
  else if (slot_name == "level1") range = SlotRange::Level1;
  else if (slot_name == "level2") range = SlotRange::Level2;
  else Usage("--slot is symbols, level1 or level2");
  const SlotCodes slot = CodesOf(range);
  FileCodes file{slot.LinearBase, {}};
  for (int k = 0; k < slot.GlyphCount; ++k) file.Characters.push_back(Gb2312ToUnicode(RowCellOf(range, k)));
  return file;
}

// A file of the characters beyond GB 2312: code index k is the Unicode value
// first + k. GB 2312's characters are the ccfnt fonts' and the Private Use
// Area is no font's, so their glyphs stay empty.
FileCodes RangeCodesOf(const std::string& range) {
  const std::size_t dash = range.find('-');
  unsigned long first = 0, last = 0;
  try {
    first = std::stoul(range.substr(0, dash), nullptr, 16);
    last = dash == std::string::npos ? first : std::stoul(range.substr(dash + 1), nullptr, 16);
  } catch (const std::exception&) {
    Usage("--range is two hexadecimal Unicode values, as 3400-41AF");
  }
  if (last < first || last > 0xFFFF || last - first + 1 > mox::outline_format::kMaxGlyphs) {
    Usage("--range lies in 0-FFFF and holds at most " + std::to_string(mox::outline_format::kMaxGlyphs) +
          " codes");
  }
  FileCodes file{static_cast<int>(first), {}};
  for (unsigned long c = first; c <= last; ++c) {
    const bool kept = (c < 0xE000 || c > 0xF8FF) && !UnicodeToGb2312(static_cast<char32_t>(c));
    file.Characters.push_back(kept ? static_cast<char32_t>(c) : 0);
  }
  return file;
}

// The code indices --codes and --chars choose.
std::set<int> IncludedCodes(const CompileRequest& request, const FileCodes& file) {
  std::set<int> included;
  const std::string& codes = request.Codes;
  for (std::size_t start = 0; !codes.empty() && start <= codes.size();) {
    const std::size_t comma = std::min(codes.find(',', start), codes.size());
    const std::string item = codes.substr(start, comma - start);
    const std::size_t dash = item.find('-');
    const int low = Number(item.substr(0, dash), "--codes");
    const int high = dash == std::string::npos ? low : Number(item.substr(dash + 1), "--codes");
    for (int k = low; k <= high; ++k) included.insert(k);
    start = comma + 1;
  }
  for (char32_t c : DecodeUtf8(request.Chars)) {
    const auto at = c == 0 ? file.Characters.end()
                           : std::find(file.Characters.begin(), file.Characters.end(), c);
    if (at == file.Characters.end()) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04lX", static_cast<unsigned long>(c));
      Usage(std::string(name) + " is not in the file's codes");
    }
    included.insert(static_cast<int>(at - file.Characters.begin()));
  }
  return included;
}

int CompileFont(const std::vector<std::string>& args) {
  const CompileRequest request = ParseCompileArguments(args);
  const FileCodes file = request.Slot.empty() ? RangeCodesOf(request.Range) : SlotCodesOf(request.Slot);
  const int size = static_cast<int>(file.Characters.size());
  const int count = request.Count < 0 ? size : request.Count;
  if (count < 1 || count > size) Usage("--count is 1 to the file's size");
  const std::set<int> included = IncludedCodes(request, file);
  for (int k : included) {
    if (k < 0 || k >= count) Usage("code index " + std::to_string(k) + " lies outside 0 to --count - 1");
  }
  const bool everything = request.Codes.empty() && request.Chars.empty();

  FaceCompiler compiler(request.FontPath, request.Face);
  FontImage image;
  image.Type = request.Type;
  image.FirstCode = file.FirstCode;
  image.DesignWidth = image.DesignHeight = kDesignSize;
  int compiled = 0, missing = 0;
  for (int k = 0; k < count; ++k) {
    std::vector<Contour> contours;
    const char32_t character = file.Characters[static_cast<std::size_t>(k)];
    if (character != 0 && (everything || included.count(k) != 0)) {
      if (std::optional<std::vector<Contour>> outline = compiler.Compile(character)) {
        contours = std::move(*outline);
        ++compiled;
      } else {
        ++missing;
      }
    }
    image.Glyphs.push_back(EncodeGlyph(contours, kDesignSize, kDesignSize));
  }
  const std::vector<std::uint8_t> bytes = WriteFont(image);
  std::ofstream out(request.Output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::cerr << "mkhzfont: cannot write " << request.Output << "\n";
    return 1;
  }
  std::cout << request.Output << ": type " << request.Type << ", " << count << " codes, " << compiled
            << " characters, " << missing << " missing in the face, " << bytes.size() << " bytes\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    for (const std::string& arg : args) {
      if (arg == "--definitions") return WriteDefinitions(args);
    }
    return CompileFont(args);
  } catch (const std::exception& error) {
    std::cerr << "mkhzfont: " << error.what() << "\n";
    return 1;
  }
}
