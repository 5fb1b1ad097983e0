// Where each document was left: its page, zoom and scroll position, kept in
// a small text file beside the program (no registry) so that opening the
// same file again shows the same place. The file holds one line a document,
// the most recent first, at most kMostPlaces of them:
//
//   "mox-places 1"
//   PAGE TAB ZOOM TAB X TAB Y TAB PATH
//
// PAGE the page's index in the file (0 for the first page), ZOOM the zoom
// (0.05 to 1), X and Y the scrolled distance in pixels, PATH the document's
// full path in GBK as the previewer names files. A line that is not such a
// line is skipped; a file that cannot be read is an empty list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mox {

struct LastPlace {
  std::int32_t Page = 0;
  double Zoom = 1.0;
  std::int64_t X = 0;
  std::int64_t Y = 0;
  std::string Path;
};

inline constexpr std::size_t kMostPlaces = 100;

// The file beside the program: its path with the last three characters
// replaced by "POS" (moxwin32.exe keeps moxwin32.POS).
std::string LastPlacesFileName(const std::string& program_path);

std::vector<LastPlace> ParseLastPlaces(std::string_view text);
std::string FormatLastPlaces(const std::vector<LastPlace>& places);

// A document's name as its place keeps it: a relative name taken from the
// current directory as it is now (an open dialog may change it later).
std::string FullDocumentPath(const std::string& name);

// The place of a document, compared as Windows compares file names.
std::optional<LastPlace> FindLastPlace(const std::vector<LastPlace>& places,
                                       const std::string& path);
// The place put first, replacing the document's older one; the list is cut
// to kMostPlaces.
void RememberPlace(std::vector<LastPlace>& places, LastPlace place);

// The file read (nothing when it is missing or unreadable) and written
// through a temporary file moved over it, so that a failed write leaves the
// old file whole. False when the file could not be written.
std::vector<LastPlace> ReadLastPlaces(const std::string& file);
bool WriteLastPlaces(const std::string& file, const std::vector<LastPlace>& places);

}  // namespace mox
