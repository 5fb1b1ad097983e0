#include "previewer/shell/last_places.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/current_directory.h"
#include "platform/file_replace.h"
#include "platform/paths.h"
#include "platform/file_system.h"
#include "platform/source_position.h"
#include "previewer/shell/view_layout.h"

namespace mox {
namespace {

constexpr std::string_view kHeader = "mox-places 1";
// A file larger than this is no places file of ours.
constexpr long kLargestFile = 1 << 20;

// The next field up to a tab; false when the line has no tab left.
bool TakeField(std::string_view& line, std::string_view& field) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return false;
  field = line.substr(0, tab);
  line.remove_prefix(tab + 1);
  return true;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
  const char* end = text.data() + text.size();
  const std::from_chars_result read = std::from_chars(text.data(), end, value);
  return !text.empty() && read.ec == std::errc() && read.ptr == end;
}

std::optional<LastPlace> ParseLine(std::string_view line) {
  std::string_view page, zoom, x, y;
  LastPlace place;
  if (!TakeField(line, page) || !TakeField(line, zoom) || !TakeField(line, x) ||
      !TakeField(line, y) || line.empty() || !ReadNumber(page, place.Page) ||
      !ReadNumber(zoom, place.Zoom) || !ReadNumber(x, place.X) || !ReadNumber(y, place.Y)) {
    return std::nullopt;
  }
  if (place.Page < 0 || place.X < 0 || place.Y < 0 || !std::isfinite(place.Zoom) ||
      place.Zoom < kSmallestZoom || place.Zoom > kLargestZoom) {
    return std::nullopt;
  }
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
  }
  place.Path = std::string(line);
  return place;
}

}  // namespace

std::string LastPlacesFileName(const std::string& program_path) {
  const std::size_t keep = program_path.size() >= 3 ? program_path.size() - 3 : 0;
  return program_path.substr(0, keep) + "POS";
}

std::vector<LastPlace> ParseLastPlaces(std::string_view text) {
  std::vector<LastPlace> places;
  bool first = true;
  while (!text.empty() && places.size() < kMostPlaces) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end < text.size() ? end + 1 : end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      // Another program's file, or a later format: nothing is taken from it.
      if (line != kHeader) return {};
      first = false;
      continue;
    }
    if (std::optional<LastPlace> place = ParseLine(line)) {
      if (!FindLastPlace(places, place->Path)) places.push_back(std::move(*place));
    }
  }
  return places;
}

std::string FormatLastPlaces(const std::vector<LastPlace>& places) {
  std::string text = std::string(kHeader) + "\n";
  char numbers[128];
  for (const LastPlace& place : places) {
    std::snprintf(numbers, sizeof numbers, "%ld\t%.17g\t%lld\t%lld\t", static_cast<long>(place.Page),
                  place.Zoom, static_cast<long long>(place.X), static_cast<long long>(place.Y));
    text += numbers + place.Path + "\n";
  }
  return text;
}

std::string FullDocumentPath(const std::string& name) {
  const bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\' ||
                                          (name.size() >= 2 && name[1] == ':'));
  if (name.empty() || absolute) return name;
  const std::string folder = platform::CurrentDirectoryFor(name);
  return folder + platform::SeparatorToAppend(folder) + name;
}

std::optional<LastPlace> FindLastPlace(const std::vector<LastPlace>& places,
                                       const std::string& path) {
  const std::string wanted = platform::ComparablePath(path);
  for (const LastPlace& place : places) {
    if (platform::ComparablePath(place.Path) == wanted) return place;
  }
  return std::nullopt;
}

void RememberPlace(std::vector<LastPlace>& places, LastPlace place) {
  const std::string wanted = platform::ComparablePath(place.Path);
  std::erase_if(places, [&](const LastPlace& old) {
    return platform::ComparablePath(old.Path) == wanted;
  });
  places.insert(places.begin(), std::move(place));
  if (places.size() > kMostPlaces) places.resize(kMostPlaces);
}

std::vector<LastPlace> ReadLastPlaces(const std::string& file) {
  platform::FilePtr in = platform::OpenFile(file, "rb");
  if (!in) return {};
  std::string text;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) {
    text.append(buffer, got);
    if (text.size() > static_cast<std::size_t>(kLargestFile)) return {};
  }
  return ParseLastPlaces(text);
}

bool WriteLastPlaces(const std::string& file, const std::vector<LastPlace>& places) {
  const std::string temporary = file + ".new";
  const std::string text = FormatLastPlaces(places);
  platform::FilePtr out = platform::OpenFile(temporary, "wb");
  if (!out) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out.get()) == text.size();
  if (!platform::CloseChecked(out) || !written || !platform::MoveFileOver(temporary, file)) {
    platform::Files().Remove(temporary);
    return false;
  }
  return true;
}

}  // namespace mox
