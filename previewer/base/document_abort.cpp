#include "previewer/base/document_abort.h"

#include <utility>

namespace mox {

void AbortDocument(std::string message) { throw DocumentAbort{std::move(message)}; }

}  // namespace mox
