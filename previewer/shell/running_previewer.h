// One previewer a document: a previewer started on a file that a running
// one already shows, or with a forward search ("-S"), hands the request to
// the running one, which comes to the front, instead of opening a second
// window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace mox {

// Hands the start's request over: to the previewer showing the document,
// else, for a forward search, to the one in front (which opens the
// document). True when one took it and this start has nothing left to do.
bool HandToRunningPreviewer(const std::string& document, std::int32_t source_line,
                            const std::string& source_file);

// The answer to another start's show request (the WM_COPYDATA lparam): a
// document shown from the same file comes to the front. True when it did.
bool AnswerShowRequest(LPARAM lparam, const std::string& shown_document, HWND frame);

}  // namespace mox
