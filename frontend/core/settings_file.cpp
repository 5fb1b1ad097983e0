#include "frontend/core/settings_file.h"

#include <charconv>

#include "frontend/core/file_io.h"
#include "platform/text_format.h"

namespace mox::varelo {
namespace {

constexpr std::string_view kSourcePositions = "SourcePositions";
constexpr std::string_view kFrame = "Frame";
constexpr std::string_view kStructureBar = "StructureBar";
constexpr std::string_view kPaletteBar = "PaletteBar";

// A setting's name: letters and digits before "=".
std::string NameOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0) return {};
  for (char c : line.substr(0, equals)) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return {};
  }
  return std::string(line.substr(0, equals));
}

std::optional<bool> Flag(const std::optional<std::string>& value) {
  if (value == "1") return true;
  if (value == "0") return false;
  return std::nullopt;
}

// "left,top,width,height,maximized", each a number of pixels in a range
// no screen goes beyond.
std::optional<FramePlace> PlaceOf(const std::optional<std::string>& value) {
  if (!value) return std::nullopt;
  int numbers[5];
  const char* at = value->data();
  const char* end = value->data() + value->size();
  for (int i = 0; i < 5; ++i) {
    const auto [next, error] = std::from_chars(at, end, numbers[i]);
    if (error != std::errc() || numbers[i] < -100000 || numbers[i] > 100000) return std::nullopt;
    at = next;
    if (i < 4) {
      if (at == end || *at != ',') return std::nullopt;
      ++at;
    }
  }
  if (at != end || numbers[2] < 100 || numbers[3] < 100 || numbers[4] < 0 || numbers[4] > 1) {
    return std::nullopt;
  }
  return FramePlace{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4] == 1};
}

}  // namespace

SettingsFile SettingsFile::Parse(std::string_view text) {
  SettingsFile file;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.lines_.push_back({std::string(line), NameOf(line)});
  }
  return file;
}

std::optional<std::string> SettingsFile::Get(std::string_view name) const {
  // The last of a name counts, as where it is set anew.
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
    if (it->Name == name) return it->Text.substr(name.size() + 1);
  }
  return std::nullopt;
}

void SettingsFile::Set(std::string_view name, const std::string& value) {
  const std::string text = std::string(name) + "=" + value;
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
    if (it->Name == name) {
      it->Text = text;
      return;
    }
  }
  lines_.push_back({text, std::string(name)});
}

void SettingsFile::Remove(std::string_view name) {
  std::erase_if(lines_, [&](const Line& line) { return line.Name == name; });
}

std::string SettingsFile::Text() const {
  std::string text;
  for (const Line& line : lines_) text += line.Text + "\r\n";
  return text;
}

VareloSettings ReadSettings(const SettingsFile& file) {
  VareloSettings settings;
  settings.SourcePositions = Flag(file.Get(kSourcePositions)).value_or(settings.SourcePositions);
  settings.StructureBar = Flag(file.Get(kStructureBar)).value_or(settings.StructureBar);
  settings.PaletteBar = Flag(file.Get(kPaletteBar)).value_or(settings.PaletteBar);
  settings.Frame = PlaceOf(file.Get(kFrame));
  return settings;
}

void WriteSettings(const VareloSettings& settings, SettingsFile& file) {
  file.Set(kSourcePositions, settings.SourcePositions ? "1" : "0");
  file.Set(kStructureBar, settings.StructureBar ? "1" : "0");
  file.Set(kPaletteBar, settings.PaletteBar ? "1" : "0");
  if (settings.Frame) {
    const FramePlace& place = *settings.Frame;
    file.Set(kFrame, Format("%d,%d,%d,%d,%d", place.Left, place.Top, place.Width, place.Height,
                            place.Maximized ? 1 : 0));
  }
}

SettingsFile LoadSettingsFile(const std::string& path) {
  std::string bytes;
  std::string reason;
  if (!ReadWholeFile(path, bytes, reason)) return SettingsFile();
  return SettingsFile::Parse(bytes);
}

bool SaveSettingsFile(const std::string& path, const SettingsFile& file) {
  std::string reason;
  return WriteWholeFile(path, file.Text(), reason);
}

}  // namespace mox::varelo
