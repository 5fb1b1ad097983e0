// Opening and closing the document whose state previewer/base/document.h
// holds.
#pragma once

#include <string>

#include "previewer/base/document.h"
#include "previewer/base/nearest_int.h"

namespace mox {

// Opens and validates a document and builds its page index and font tables.
// 0 on success; 1 on failure, after a message, with no document open.
int OpenDviFile(const std::string& name);
// Releases everything of the open document, if any.
void CloseDviFile();

// Reopens the document's file by name when it was closed between scans;
// aborts with "Cannot reopen DVI file!" when it cannot.
void ReopenDviFile();

}  // namespace mox
