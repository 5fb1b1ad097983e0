// Moving through a document's text as the caret does: by characters (a
// CR LF and a surrogate pair are one), by words, and the word under a
// double-click. A word is a run of letters and digits, a run of wide
// (Chinese) characters, or a run of other signs; blanks end words.
#pragma once

#include <cstddef>

#include "platform/text_document.h"

namespace mox::platform {

std::size_t NextCharacter(const TextDocument& document, std::size_t position);
std::size_t PreviousCharacter(const TextDocument& document, std::size_t position);

// Ctrl+Right: past the rest of the word and the blanks after it (a line
// end is a step of its own). Ctrl+Left: back to the start of the word
// before the position.
std::size_t NextWordStart(const TextDocument& document, std::size_t position);
std::size_t PreviousWordStart(const TextDocument& document, std::size_t position);

// The word that holds a position (the one before it at a word's end), or
// the character there when it is no word: [start, end).
void WordAround(const TextDocument& document, std::size_t position, std::size_t& start,
                std::size_t& end);

}  // namespace mox::platform
