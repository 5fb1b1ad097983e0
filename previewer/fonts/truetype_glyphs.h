// Where the TrueType part of the load run (LoadTrueTypeGlyphs, declared with
// the face table) takes the memory of its glyph lists from. A failed
// allocation there is a question to the user, not the load run's memory
// error, so tests install a resource that fails to reach that question.
#pragma once

#include <memory_resource>

namespace mox {

// nullptr restores the default resource.
void SetTrueTypeListMemory(std::pmr::memory_resource* memory);

}  // namespace mox
