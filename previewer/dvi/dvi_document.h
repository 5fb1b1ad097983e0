// Opening and closing the document whose state previewer/base/document.h
// holds.
#pragma once

#include <optional>
#include <string>

#include "previewer/base/document.h"
#include "previewer/base/nearest_int.h"

namespace mox {

// Opens and validates a document and builds its page index and font tables.
// 0 on success; 1 on failure, after a message, with no document open.
int OpenDviFile(const std::string& name);
// Why the file cannot be opened as a whole document, judged from its end
// alone (trailer, post_post, postamble and the chain of pages), or nothing
// when it can. A file TeX is still writing, or left unfinished at an error,
// fails this; the open document is not touched.
std::optional<std::string> DviFileProblem(const std::string& name);

// Releases everything of the open document, if any.
void CloseDviFile();

// Reopens the document's file by name when it was closed between scans;
// aborts with "Cannot reopen DVI file!" when it cannot.
void ReopenDviFile();

}  // namespace mox
