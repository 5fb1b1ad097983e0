// The messages of the last build of a source, as the editor lists them:
// mox's (BASENAME.mlog) first, then TeX's (BASENAME.log), in GBK. A log
// older than mox's messages is left out: mox refused the source, so the
// batch file stopped before TeX, and that log tells of an earlier run.
#pragma once

#include <string>

#include "frontend/core/tex_log.h"

namespace mox::varelo {

struct BuildMessages {
  std::string LogFile;      // the source's base name with ".log", beside it
  std::string MessageFile;  // and with ".mlog"
  bool LogRead = false;     // TeX's log was there, as new as mox's messages
  TexLog Log;               // the rows of both files; pages from the log
};

BuildMessages ReadBuildMessages(const std::string& source);

}  // namespace mox::varelo
