// The three ways the previewer talks to the user: an error box, a status line
// in the frame caption, and a warning that may ask "Continue?".
#pragma once

#include <cstddef>
#include <string_view>

namespace mox {

// Formatted warnings are cut to fit this buffer size, terminator included.
inline constexpr std::size_t kWarningBufferSize = 256;

// Modal box with the error caption, OK and the information icon.
int ShowError(std::string_view text);
// Replaces the frame caption with text.
void ShowStatus(std::string_view text);
// Without ask: a status line, and true. With ask: a Yes/No box that adds the
// question "Continue?"; true only for Yes.
bool ShowWarning(std::string_view text, bool ask);

}  // namespace mox
