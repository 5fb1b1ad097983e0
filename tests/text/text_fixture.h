// Tests of the pages' text on documents made by real TeX
// (tests/fixtures/dvi), opened, pre-scanned and loaded with the fixture
// fonts as the previewer opens them.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "previewer/dvi/document_operation.h"
#include "previewer/text/copy_text.h"
#include "previewer/text/page_text.h"
#include "tests/support/document_fixture.h"

namespace mox::test {

// UTF-8 text written in a test: the test's own literals are GBK.
inline std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

inline std::string FixturePath(const std::string& name) {
  return std::string(MOX_FIXTURES_DIR) + "/" + name;
}

class TextDocumentTest : public DocumentTest {
 protected:
  // Opens a copy of a fixture in the test folder (so that a test may cut
  // it short), with the fixture fonts.
  void Load(const std::string& name) {
    doc_.Settings.PkFontPath = FixturePath("pk/dpi$d");
    doc_.Settings.ChineseFontPath = FixturePath("hzfonts");
    for (int i = 0; i < 8; ++i) ui_.AnswerNext(platform::kAnswerYes);
    path_ = dir_.File(name);
    WriteFile(path_, ReadFile(FixturePath("dvi/" + name)));
    ASSERT_EQ(OpenDviFile(doc_, path_), 0) << name;
    ASSERT_EQ(PreScan(doc_), 0);
    ASSERT_EQ(LoadFonts(doc_), 0);
  }

  PageText Page(int page) {
    std::string problem;
    std::optional<PageText> text = ReadPageText(doc_, page, &problem);
    EXPECT_TRUE(text) << problem;
    return text ? std::move(*text) : PageText{};
  }

  std::string Text(int page) { return PlainText(Page(page)); }
};

}  // namespace mox::test
