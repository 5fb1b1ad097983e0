#include "tools/moxrender/tool_arguments.h"

#include <cstdio>
#include <cstdlib>

namespace mox {

std::optional<ToolArguments> SplitToolArguments(const std::vector<std::string>& arguments) {
  ToolArguments tool;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (i == 0 || argument.rfind("--", 0) != 0) {
      tool.Rest.push_back(argument);
    } else if (argument == "--info") {
      tool.Info = true;
    } else if (argument == "--items") {
      tool.Items = true;
    } else if (argument == "--text") {
      tool.Text = true;
    } else if (argument == "--links") {
      tool.Text = true;
      tool.Links = true;
    } else if (argument == "--null") {
      tool.Null = true;
    } else if (argument == "--no-frame") {
      tool.LeaveOutFrame = true;
    } else if (argument == "--out" && i + 1 < arguments.size()) {
      tool.OutPattern = arguments[++i];
    } else if (argument == "--verbose") {
      tool.Verbose = true;
    } else if (argument == "--strict") {
      tool.Strict = true;
    } else if (argument == "--page" && i + 1 < arguments.size()) {
      char* end = nullptr;
      const long page = std::strtol(arguments[++i].c_str(), &end, 10);
      if (end == arguments[i].c_str() || *end != '\0' || page < 1) {
        std::fprintf(stderr, "moxrender: --page wants a page number from 1: %s\n",
                     arguments[i].c_str());
        return std::nullopt;
      }
      tool.Pages.push_back(static_cast<int>(page));
    } else {
      std::fprintf(stderr, "moxrender: unknown flag %s\n", argument.c_str());
      return std::nullopt;
    }
  }
  return tool;
}

}  // namespace mox
