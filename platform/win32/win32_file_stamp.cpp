#include <windows.h>

#include <climits>

#include "platform/file_stamp.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

FileStamp RecordFileStamp(const std::string& path) {
  FileStamp stamp;
  // Others may go on reading and writing: the stamp only looks.
  const win::KernelHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return stamp;
  LARGE_INTEGER size{};
  FILETIME written{};
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  if (GetFileSizeEx(file.Get(), &size) && GetFileTime(file.Get(), nullptr, nullptr, &written) &&
      FileTimeToLocalFileTime(&written, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
    stamp.Path = path;
    stamp.Length = size.QuadPart > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(size.QuadPart);
    stamp.Year = static_cast<std::uint16_t>(date >> 9);
    stamp.Month = static_cast<std::uint16_t>((date >> 5) & 0x0F);
    stamp.Day = static_cast<std::uint16_t>(date & 0x1F);
    stamp.Hours = static_cast<std::uint16_t>(time >> 11);
    stamp.Minutes = static_cast<std::uint16_t>((time >> 5) & 0x3F);
    stamp.Seconds = static_cast<std::uint16_t>(time & 0x1F);
  }
  return stamp;
}

bool CanOpenExclusively(const std::string& path) {
  const win::KernelHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

}  // namespace mox::platform
