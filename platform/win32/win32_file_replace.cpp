#include <windows.h>

#include "platform/file_replace.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

bool MoveFileOver(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace mox::platform
