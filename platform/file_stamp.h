// The identity of a file as the previewer watches it between page scans: its
// length and its last-write time in the packed DOS forms (two-second steps),
// enough to tell that TeX has rewritten the document.
#pragma once

#include <cstdint>
#include <string>

namespace mox::platform {

struct FileStamp {
  std::string Path;
  std::int32_t Length = -1;  // -1: the file could not be opened
  std::uint16_t Seconds = 0; // in units of two
  std::uint16_t Minutes = 0;
  std::uint16_t Hours = 0;
  std::uint16_t Day = 0;
  std::uint16_t Month = 0;
  std::uint16_t Year = 0;    // since 1980
};

// Opens the file for reading, notes what it is and closes it again. A file
// that cannot be opened gives an empty path, length -1 and zero times.
FileStamp RecordFileStamp(const std::string& path);

// Whether two stamps record the same length and time (two files that could
// not be opened are alike).
bool SameStamp(const FileStamp& a, const FileStamp& b);

// Whether the file still has the stamp: same length and same time to the
// two-second step. A file that cannot be opened counts as changed.
bool FileUnchanged(const std::string& path, const FileStamp& recorded);

// Whether the file can be opened with nobody else reading or writing it
// (another program still writing it keeps this false); the file is closed
// again at once.
bool CanOpenExclusively(const std::string& path);

// The packed DOS date and time of a local calendar time (year, month 1-12,
// day, hours, minutes, seconds) into a stamp; years before 1980 are 1980.
void SetDosTime(FileStamp& stamp, int year, int month, int day, int hours, int minutes,
                int seconds);

}  // namespace mox::platform
