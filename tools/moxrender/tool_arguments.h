// The tool's own flags, which begin with "--", taken out of the command line
// before the rest goes to the previewer's option reader.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mox {

struct ToolArguments {
  bool Info = false;
  bool Items = false;
  bool Text = false;                // print the pages' text instead of drawing them
  bool Links = false;               // and after it their links, with --text
  bool Null = false;                // render without writing files
  bool LeaveOutFrame = false;       // no dotted frame round the page
  std::string OutPattern;           // "%d" becomes the physical page number
  bool Verbose = false;
  bool Strict = false;
  std::vector<int> Pages;           // 1-based physical pages
  std::vector<std::string> Rest;    // argument 0 and the previewer's options
};

// Nothing and a message on stderr for an unknown or incomplete flag.
std::optional<ToolArguments> SplitToolArguments(const std::vector<std::string>& arguments);

}  // namespace mox
