// hyperref's links and anchors in the fixtures made with its hypertex and
// dvips drivers, and its specials read one by one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/base/nearest_int.h"
#include "previewer/text/document_targets.h"
#include "previewer/text/link_specials.h"
#include "tests/text/text_fixture.h"

namespace mox::test {
namespace {

// Each link as its target and the text inside each of its rectangles.
std::vector<std::string> Described(const PageText& page) {
  std::vector<std::string> links;
  for (const PageLink& link : page.Links) {
    std::string text = (link.Internal ? "#" : "") + link.Target + ":";
    for (const TextBox& box : link.Rectangles) text += " [" + CopyText(page, box) + "]";
    links.push_back(text);
  }
  return links;
}

std::vector<std::string> AnchorNames(const PageText& page) {
  std::vector<std::string> names;
  for (const PageAnchor& anchor : page.Anchors) names.push_back(anchor.Name);
  return names;
}

class LinkDocumentTest : public TextDocumentTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LinkDocumentTest, LinksCoverTheirTextAndLeadToTheirTargets) {
  const std::string name = GetParam();
  Load(name);
  const PageText first = Page(0);
  // hypertex's address runs on to the next line with the text, in two
  // rectangles; the dvips driver keeps it in one box.
  const std::string url = name == "links-hypertex.dvi" ? "http://example.org/mox: [http://example.] [org/mox]"
                                                    : "http://example.org/mox: [http://example.org/mox]";
  EXPECT_EQ(Described(first),
            (std::vector<std::string>{"#section.2: [2]", "#section.2: [2]", "#cite.knuth: [1]", url,
                                      "https://www.ctan.org/pkg/hyperref: [the package page]"}));
  EXPECT_EQ(AnchorNames(first), (std::vector<std::string>{"page.1", "Doc-Start", "section.1"}));
  const PageText second = Page(1);
  EXPECT_EQ(Described(second), (std::vector<std::string>{"#section.1: [1]"}));
  EXPECT_EQ(AnchorNames(second),
            (std::vector<std::string>{"page.2", "section.2", "section*.1", "cite.knuth"}));

  // The section's anchor is on the second page a little above its heading.
  const DocumentTargets targets = ReadDocumentTargets(doc_);
  const std::optional<LinkTarget> section = TargetOf(targets, "section.2");
  ASSERT_TRUE(section);
  EXPECT_EQ(section->Page, 1);
  const TextCharacter& heading = second.Characters.front();  // the "2" of "2 More"
  const std::int32_t line = NearestInt(heading.Quad * doc_.Dvi.ConversionY);
  EXPECT_LE(section->Y, heading.Box.Top);
  EXPECT_GT(section->Y, heading.Box.Top - 2 * line);
  EXPECT_EQ(TargetOf(targets, "cite.knuth")->Page, 1);
  EXPECT_FALSE(TargetOf(targets, "section.3"));
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, LinkDocumentTest,
                         ::testing::Values("links-hypertex.dvi", "links-dvips.dvi"));

TEST(LinkSpecials, TheFormsHyperrefAndOthersWrite) {
  const auto parse = [](std::string_view text) { return ParseLinkSpecial(text); };
  // Tags in any case, with either quote, or none.
  EXPECT_EQ(parse("HTML:<A HREF='#x'>")->Text, "#x");
  EXPECT_EQ(parse("html: <a  name=top >")->Kind, LinkSpecialKind::AnchorStart);
  EXPECT_EQ(parse("html:</A>")->Kind, LinkSpecialKind::End);
  EXPECT_FALSE(parse("html:<abbr title=\"x\">"));
  // PostScript strings with nested parentheses and escapes; a /GoTo action;
  // a link to a file's destination.
  const auto uri = parse("ps:SDict begin [/Action <</Subtype/URI/URI(a\\(b\\)(c)\\101)>>"
                         "/Subtype /Link H.B /ANN pdfmark end");
  ASSERT_TRUE(uri);
  EXPECT_EQ(uri->Text, "a(b)(c)A");
  EXPECT_FALSE(uri->Internal);
  const auto go = parse("ps:SDict begin [/Subtype /Link /Action << /S /GoTo /D (intro) >> /ANN pdfmark end");
  ASSERT_TRUE(go);
  EXPECT_EQ(go->Text, "intro");
  EXPECT_TRUE(go->Internal);
  EXPECT_EQ(parse("ps:SDict begin [/Subtype/Link/Action<</S/GoToR/F(other.pdf)/D(x)>>/ANN pdfmark end")
                ->Text,
            "other.pdf#x");
  // Other annotations and marks are no links; a raised corner is in points.
  EXPECT_FALSE(parse("ps:SDict begin [/Subtype /Text /Contents (note) /ANN pdfmark end"));
  EXPECT_FALSE(parse("ps:SDict begin [/Count -0/Dest (s) cvn/Title (T) /OUT pdfmark end"));
  EXPECT_DOUBLE_EQ(parse("ps:SDict begin 14 H.A end")->RaisePoints, 12.0);
  EXPECT_FALSE(parse("ps:SDict begin [/Subtype /Link /Dest (unterminated /ANN pdfmark end"));
}

}  // namespace
}  // namespace mox::test
