// Environment variables, as GBK text.
#pragma once

#include <optional>
#include <string>

namespace mox::platform {

// The value of the variable, or nothing when it is not set.
std::optional<std::string> GetEnvironmentText(const std::string& name);
// Sets (or, with nothing, removes) a variable of this process.
void SetEnvironmentText(const std::string& name,
                        const std::optional<std::string>& value);

}  // namespace mox::platform
