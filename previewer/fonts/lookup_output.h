// What kpsewhich prints when it is asked for several files at once: one
// path a line for each file it found, in the order asked, and nothing for
// one it did not find.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mox {

// The path printed for each name, in the names' order, or nothing. A line
// belongs to the first name without a path that its last part (after the
// last "/" or "\\" byte: names hold neither) equals, or else equals but for
// the case of ASCII letters; other lines are passed over. Lines end in "\n" or "\r\n" and
// are paths as platform::PathFromProgramOutput takes them.
std::vector<std::optional<std::string>> MatchLookupOutput(const std::vector<std::string>& names,
                                                          std::string_view output);

}  // namespace mox
