#include "previewer/shell/open_dialog_data.h"

#include "platform/text_format.h"

namespace mox {

std::string OpenDialogInitialDirectory(const std::string& path) {
  std::string directory;
  const std::size_t cut = FindLastOfGbk(path, "/\\:");
  if (cut == std::string::npos) return directory;
  if (cut == 0) {
    directory = path.substr(0, 1);  // the root
  } else if (path[cut] == ':') {
    directory = path.substr(0, cut + 1);
  } else {
    directory = path.substr(0, cut);
  }
  ReplaceGbk(directory, '\\', '/');
  return directory;
}

}  // namespace mox
