#include "previewer/shell/face_choice.h"

#include <algorithm>

#include "platform/text_format.h"
#include "previewer/fonts/face_table.h"
#include "previewer/shell/shell_texts.h"

namespace mox {
namespace {

constexpr const char* kFaceCommands[] = {"(\\songti): ", "(\\heiti): ", "(\\kaishu): ",
                                         "(\\fangsong): ", "(\\biaosong): "};

bool Valid(int entry) { return entry >= 0 && entry < kFaceTableEntries; }

std::string FaceNameOf(const platform::LogFontA& font) {
  return std::string(font.FaceName,
                     std::find(font.FaceName, font.FaceName + sizeof font.FaceName, '\0'));
}

}  // namespace

std::string ZitiLine(const FaceTable& table, int entry, Language language) {
  if (!Valid(entry)) return {};
  std::string line =
      entry == 0 ? std::string(kBiaoDianLine.In(language))
                 : Format(" \\ziti{%c}%s", static_cast<char>(entry + 64),
                          entry <= 5 ? kFaceCommands[entry - 1] : ": ");
  const FaceEntry& face = table.Entries[static_cast<std::size_t>(entry)];
  const std::string name = FaceNameOf(face.Font);
  if (face.Scale > 0.0 && !name.empty()) line += Format("%s, mag=%0.4lf", name.c_str(), face.Scale);
  return line;
}

std::vector<std::string> ZitiLines(const FaceTable& table, Language language) {
  std::vector<std::string> lines;
  for (int entry = 0; entry < kFaceTableEntries; ++entry) {
    lines.push_back(ZitiLine(table, entry, language));
  }
  return lines;
}

platform::LogFontA ChooserStart(const FaceTable& table, int entry) {
  platform::LogFontA font =
      Valid(entry) ? table.Entries[static_cast<std::size_t>(entry)].Font
                   : platform::LogFontA{};
  font.Height = 60;
  font.Width = 0;
  return font;
}

void DefineFaces(FaceTable& table, const std::vector<int>& entries,
                 const platform::LogFontA& chosen) {
  platform::LogFontA font = chosen;
  font.FaceName[sizeof font.FaceName - 1] = '\0';
  for (int entry : entries) {
    if (!Valid(entry)) continue;
    FaceEntry& face = table.Entries[static_cast<std::size_t>(entry)];
    face.Font = font;
    face.Scale = font.FaceName[0] != '\0' ? 1.0 : -1.0;
  }
}

void RemoveFaces(FaceTable& table, const std::vector<int>& entries) {
  for (int entry : entries) {
    if (!Valid(entry)) continue;
    FaceEntry& face = table.Entries[static_cast<std::size_t>(entry)];
    std::fill(std::begin(face.Font.FaceName), std::end(face.Font.FaceName), '\0');
    face.Scale = -1.0;
  }
}

}  // namespace mox
