// The editor's half of the source links: lines found in texts with any line
// ends, and the forward search's message and previewer command line for a
// source in a folder with blanks and Chinese characters.
#include "frontend/core/source_link.h"

#include <gtest/gtest.h>

#include <string>

namespace mox::varelo {
namespace {

TEST(SourceLinkLines, LinesStartAfterEveryKindOfLineEndAndRoundTrip) {
  const std::string_view text = "a\r\nbb\nccc\rdddd";
  EXPECT_EQ(LineStart(text, 1), 0u);
  EXPECT_EQ(LineStart(text, 2), 3u);
  EXPECT_EQ(LineStart(text, 3), 6u);
  EXPECT_EQ(LineStart(text, 4), 10u);
  EXPECT_EQ(LineStart(text, 9), text.size());
  for (std::int32_t line = 1; line <= 4; ++line) {
    EXPECT_EQ(LineOf(text, LineStart(text, line)), line);
  }
  EXPECT_EQ(LineOf(text, 4), 2);  // inside "bb"
  const std::u16string_view control = u"a\rb\rc";  // the control's line ends
  EXPECT_EQ(LineStart(control, 3), 4u);
  EXPECT_EQ(LineOf(control, 4), 3);
}

TEST(SourceLinkForward, PositionAndPreviewerCommandForASpacedChinesePath) {
  const std::string folder = std::string("C:\\my docs\\") + "\xD6\xD0\xCE\xC4";
  const ForwardSearch search = ForwardSearchFor("C:\\Program Files\\MOX", folder + "\\paper.ctx", 42);
  EXPECT_EQ(search.Position.Line, 42);
  EXPECT_EQ(search.Position.DviFile, JoinPath(folder, "paper.dvi"));
  EXPECT_EQ(search.Previewer.CommandLine,
            Quoted(JoinPath("C:\\Program Files\\MOX", "moxwin32.exe")) + " -S42:\"" + folder +
                "\\paper.ctx\" \"" + JoinPath(folder, "paper.dvi") + "\"");
  EXPECT_EQ(CommandLineLine({"Varelo.exe", "a.ctx", "17"}), 17);
  EXPECT_EQ(CommandLineLine({"Varelo.exe", "a.ctx", "x17"}), 0);
}

}  // namespace
}  // namespace mox::varelo
