#include "frontend/core/build_messages.h"

#include <tuple>

#include "frontend/core/file_io.h"
#include "frontend/core/mox_messages.h"
#include "frontend/core/program_start.h"
#include "frontend/core/tex_log_place.h"
#include "platform/file_stamp.h"

namespace mox::varelo {
namespace {

// Whether file a was written before file b, to the two seconds the stamps
// tell (the same step counts as not before: mox and TeX in one go).
bool WrittenBefore(const std::string& a, const std::string& b) {
  const platform::FileStamp x = platform::RecordFileStamp(a);
  const platform::FileStamp y = platform::RecordFileStamp(b);
  return std::tie(x.Year, x.Month, x.Day, x.Hours, x.Minutes, x.Seconds) <
         std::tie(y.Year, y.Month, y.Day, y.Hours, y.Minutes, y.Seconds);
}

}  // namespace

BuildMessages ReadBuildMessages(const std::string& source) {
  BuildMessages messages;
  const std::string folder = FolderPartOf(source);
  const std::string base = BaseNameOf(source);
  messages.LogFile = folder.empty() ? base + ".log" : JoinPath(folder, base + ".log");
  messages.MessageFile = MoxMessageFileOf(source);

  std::string bytes;
  std::string reason;
  const bool mox_said = ReadWholeFile(messages.MessageFile, bytes, reason);
  if (mox_said) messages.Log.Rows = ParseMoxMessages(bytes);
  if (mox_said && WrittenBefore(messages.LogFile, messages.MessageFile)) return messages;
  if (!ReadWholeFile(messages.LogFile, bytes, reason)) return messages;

  TexLogOptions options;
  options.Exists = FilesBeside(messages.LogFile);
  TexLog log = ParseTexLog(bytes, options);
  log.Rows.insert(log.Rows.begin(), messages.Log.Rows.begin(), messages.Log.Rows.end());
  messages.Log = std::move(log);
  messages.LogRead = true;
  return messages;
}

}  // namespace mox::varelo
