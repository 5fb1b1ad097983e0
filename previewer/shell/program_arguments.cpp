#include "previewer/shell/program_arguments.h"

namespace mox {
namespace {
std::vector<std::string>& Stored() {
  static std::vector<std::string> arguments;
  return arguments;
}
}  // namespace

void StoreProgramArguments(std::vector<std::string> arguments) {
  Stored() = std::move(arguments);
}

const std::vector<std::string>& ProgramArguments() { return Stored(); }

}  // namespace mox
