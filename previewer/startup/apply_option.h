// What one token of the options does to the settings: an option ("-" and a
// letter with its argument) or the document name.
#pragma once

#include <string>
#include <string_view>

#include "previewer/startup/options.h"

namespace mox {

// Applies token to options (the language among them). False when the token
// is an invalid option; the settings are then left as they were.
bool ApplyOptionToken(std::string_view token, Options& options);

// The document name as the user gave it, with ".DVI" added when it has no
// extension: no "." at all, or the last "." followed at once by a folder
// separator ("..\\paper").
std::string DocumentNameOf(std::string_view name);

}  // namespace mox
