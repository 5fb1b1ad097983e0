// mkhzfont: compiles Chinese outline font files (types 1, 2 and 3) from a
// TrueType/OpenType face for one slot's GB 2312 range, and writes
// ccfonts.def files that name them.
//
//   mkhzfont --font FILE [--face N] --slot symbols|level1|level2
//            --type 1|2|3 --output FILE [--codes LIST] [--chars TEXT]
//            [--count N]
//   mkhzfont --definitions FILE [--scale X] SLOT=NAME...
//
// --codes takes code indices and ranges ("0-99,213"), --chars UTF-8 text
// whose characters are looked up in the slot; with neither, every code is
// compiled. Codes not included (and characters the face lacks) become empty
// glyphs, so the code indices of the file stay those of the slot. --count
// keeps only the first N code indices (a shorter file, for small type 2
// fixtures). Slots that no SLOT=NAME names get the placeholder name "NONE".
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
            << "usage: mkhzfont --font FILE [--face N] --slot symbols|level1|level2 --type 1|2|3\n"
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

int CompileFont(const std::vector<std::string>& args) {
  std::string font_path, output, codes, chars, slot_name;
  int face = 0, type = 0, count = -1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) Usage(arg + " needs a value");
    const std::string& value = args[++i];
    if (arg == "--font") font_path = value;
    else if (arg == "--face") face = Number(value, arg.c_str());
    else if (arg == "--slot") slot_name = value;
    else if (arg == "--type") type = Number(value, arg.c_str());
    else if (arg == "--output") output = value;
    else if (arg == "--codes") codes = value;
    else if (arg == "--chars") chars = value;
    else if (arg == "--count") count = Number(value, arg.c_str());
    else Usage("unknown argument " + arg);
  }
  if (font_path.empty() || output.empty()) Usage("--font and --output are needed");
  if (type < 1 || type > 3) Usage("--type is 1, 2 or 3");
  SlotRange range;
  if (slot_name == "symbols") range = SlotRange::Symbols;
  else if (slot_name == "level1") range = SlotRange::Level1;
  else if (slot_name == "level2") range = SlotRange::Level2;
  else Usage("--slot is symbols, level1 or level2");
  const SlotCodes slot = CodesOf(range);
  if (count < 0) count = slot.GlyphCount;
  if (count < 1 || count > slot.GlyphCount) Usage("--count is 1 to the slot's size");

  std::set<int> included;
  if (!codes.empty()) {
    std::size_t start = 0;
    while (start <= codes.size()) {
      const std::size_t comma = std::min(codes.find(',', start), codes.size());
      const std::string item = codes.substr(start, comma - start);
      const std::size_t dash = item.find('-');
      const int low = Number(item.substr(0, dash), "--codes");
      const int high = dash == std::string::npos ? low : Number(item.substr(dash + 1), "--codes");
      for (int k = low; k <= high; ++k) included.insert(k);
      start = comma + 1;
    }
  }
  for (char32_t c : DecodeUtf8(chars)) {
    const auto code = UnicodeToGb2312(c);
    const int linear = code ? (code->Row - 1) * 94 + code->Cell - 1 : -1;
    const int k = linear - slot.LinearBase;
    if (!code || k < 0 || k >= slot.GlyphCount) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04lX", static_cast<unsigned long>(c));
      Usage(std::string(name) + " is not in the " + slot_name + " slot");
    }
    included.insert(k);
  }
  const bool everything = codes.empty() && chars.empty();
  for (int k : included) {
    if (k < 0 || k >= count) Usage("code index " + std::to_string(k) + " lies outside 0 to --count - 1");
  }

  FaceCompiler compiler(font_path, face);
  FontImage image;
  image.Type = type;
  image.FirstCode = slot.LinearBase;
  image.DesignWidth = image.DesignHeight = kDesignSize;
  int compiled = 0, missing = 0;
  for (int k = 0; k < count; ++k) {
    std::vector<Contour> contours;
    if (everything || included.count(k) != 0) {
      const char32_t character = Gb2312ToUnicode(RowCellOf(range, k));
      std::optional<std::vector<Contour>> outline;
      if (character != 0) outline = compiler.Compile(character);
      if (outline) {
        contours = std::move(*outline);
        ++compiled;
      } else if (character != 0) {
        ++missing;
      }
    }
    image.Glyphs.push_back(EncodeGlyph(contours, kDesignSize, kDesignSize));
  }
  const std::vector<std::uint8_t> bytes = WriteFont(image);
  std::ofstream file(output, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::cerr << "mkhzfont: cannot write " << output << "\n";
    return 1;
  }
  std::cout << output << ": type " << type << ", " << count << " codes, " << compiled
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
