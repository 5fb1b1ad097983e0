// Opening and closing a document: the entry points that open a file into a
// ScanDocument and release everything it holds.
#pragma once

#include <optional>
#include <string>

#include "previewer/base/bilingual.h"
#include "previewer/base/document.h"
#include "previewer/base/nearest_int.h"

namespace mox {

struct ScanDocument;

// Opens and validates a document and builds its page index and font tables.
// 0 on success; 1 on failure, after a message, with no document open.
int OpenDviFile(ScanDocument& doc, const std::string& name);
// Why the file cannot be opened as a whole document, judged from its end
// alone (trailer, post_post, postamble and the chain of pages), or nothing
// when it can. A file TeX is still writing, or left unfinished at an error,
// fails this; the open document is not touched.
// The message is in `language`.
std::optional<std::string> DviFileProblem(const std::string& name, Language language);

// Releases everything of the open document, if any: the one place where a
// document's file, page index, page buffer, scan state and fonts go.
void CloseDviFile(ScanDocument& doc);

// Reopens the document's file by name when it was closed between scans;
// aborts with "Cannot reopen DVI file!" when it cannot.
void ReopenDviFile(ScanDocument& doc);

}  // namespace mox
