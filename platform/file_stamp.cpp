#include "platform/file_stamp.h"

#include <algorithm>

namespace mox::platform {

void SetDosTime(FileStamp& stamp, int year, int month, int day, int hours, int minutes,
                int seconds) {
  // DOS keeps the year in seven bits from 1980.
  stamp.Year = static_cast<std::uint16_t>(std::clamp(year - 1980, 0, 127));
  stamp.Month = static_cast<std::uint16_t>(month);
  stamp.Day = static_cast<std::uint16_t>(day);
  stamp.Hours = static_cast<std::uint16_t>(hours);
  stamp.Minutes = static_cast<std::uint16_t>(minutes);
  stamp.Seconds = static_cast<std::uint16_t>(seconds / 2);
}

bool SameStamp(const FileStamp& a, const FileStamp& b) {
  return a.Length == b.Length && a.Seconds == b.Seconds && a.Minutes == b.Minutes &&
         a.Hours == b.Hours && a.Day == b.Day && a.Month == b.Month && a.Year == b.Year;
}

bool FileUnchanged(const std::string& path, const FileStamp& recorded) {
  const FileStamp now = RecordFileStamp(path);
  return now.Length >= 0 && SameStamp(now, recorded);
}

}  // namespace mox::platform
